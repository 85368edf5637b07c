#include "frmLumpSums.h"

#include "ShellServices.h"

#include "document/DocumentFile.h"
#include "engine/Limits.h"
#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"
#include "ui/DateField.h"
#include "ui/DialogButton.h"
#include "ui/MoneyFieldValidator.h"
#include "ui/NumberField.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <vector>

namespace views {

frmLumpSums::frmLumpSums(engine::LoanDocument &loan, ShellServices &document, int gridRow,
                         const engine::NumberFormat &format, QWidget *parent)
    : QDialog(parent)
    , m_loan(loan)
    , m_document(document)
    , m_format(format)
{
    setObjectName(QStringLiteral("frmLumpSums"));
    setWindowTitle(QStringLiteral("Lump Sums Dialog"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_txtLumpSumDate = new ui::DateField(format);
    m_txtLumpSumDate->setObjectName(QStringLiteral("txtLumpSumDate"));
    m_txtLumpSumAmount = new QLineEdit;
    m_txtLumpSumAmount->setObjectName(QStringLiteral("txtLumpSumAmount"));
    m_txtLumpSumAmount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_amountValidator = new ui::MoneyFieldValidator(format, 0, engine::kMaxTypedChange, m_txtLumpSumAmount);
    m_txtLumpSumAmount->setValidator(m_amountValidator);
    ui::useKeypadDecimal(m_txtLumpSumAmount, format);
    m_txtLumpSumAmount->setMinimumWidth(m_txtLumpSumAmount->fontMetrics().horizontalAdvance(
                                            QString::fromStdString(format.currency(-engine::kMaxTypedChange)))
                                        + 16);
    auto *dateLabel = new QLabel(tr("&Date:"));
    dateLabel->setBuddy(m_txtLumpSumDate);
    auto *amountLabel = new QLabel(tr("&Lump Sum:"));
    amountLabel->setBuddy(m_txtLumpSumAmount);
    auto *help = new QLabel(QStringList {QStringLiteral("To add a Lump Sum, enter the date, the "),
                                         QStringLiteral("amount, and then click add."), QString(),
                                         QStringLiteral("To remove a Lump Sum, select the row "),
                                         QStringLiteral("you wish to remove, then click remove.")}
                                .join(QLatin1Char('\n')));

    m_cmdAdd = ui::dialogButton(QStringLiteral("&Add >"), "cmdAdd");
    m_cmdRemove = ui::dialogButton(QStringLiteral("< &Remove"), "cmdRemove");
    m_cmdOK = ui::dialogButton(QStringLiteral("OK"), "cmdOK");
    m_cmdOK->setDefault(true);
    m_cmdCancel = ui::dialogButton(QStringLiteral("Cancel"), "cmdCancel");

    // Each date keeps its day serial, the list's order, as data of its own rather than in a hidden column that a
    // screen reader would still read out.
    m_gridLumpSum2 = new QTableWidget(0, 2);
    m_gridLumpSum2->setObjectName(QStringLiteral("gridLumpSum2"));
    m_gridLumpSum2->setAccessibleName(tr("Lump sums"));
    m_gridLumpSum2->setAccessibleDescription(tr("The lump sums of the loan, by date, with their amounts."));
    m_gridLumpSum2->setTabKeyNavigation(false);
    m_gridLumpSum2->setHorizontalHeaderLabels({QStringLiteral("Date"), QStringLiteral("Amount")});
    m_gridLumpSum2->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_gridLumpSum2->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_gridLumpSum2->verticalHeader()->hide();
    m_gridLumpSum2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gridLumpSum2->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Several rows at once, with Ctrl and Shift, for Remove.
    m_gridLumpSum2->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_gridLumpSum2->setMinimumSize(m_txtLumpSumAmount->minimumWidth() * 2, 220);

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(8);
    fields->addWidget(dateLabel, 0, 0);
    fields->addWidget(m_txtLumpSumDate, 0, 1);
    fields->addWidget(amountLabel, 1, 0);
    fields->addWidget(m_txtLumpSumAmount, 1, 1);
    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addSpacing(12);
    left->addWidget(help);
    left->addStretch(1);
    auto *middle = new QVBoxLayout;
    middle->addWidget(m_cmdAdd);
    middle->addWidget(m_cmdRemove);
    middle->addStretch(1);
    auto *top = new QHBoxLayout;
    top->setSpacing(14);
    top->addLayout(left);
    top->addLayout(middle);
    top->addWidget(m_gridLumpSum2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 14);
    layout->setSpacing(14);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    // Enter in a field adds what the fields hold; elsewhere it is OK.
    m_txtLumpSumDate->installEventFilter(this);
    m_txtLumpSumAmount->installEventFilter(this);
    connect(m_txtLumpSumDate, &ui::DateField::dateChanged, this, &frmLumpSums::txtLumpSumDate_Change);
    // A date that is refused leaves no date: Add waits for one.
    connect(m_txtLumpSumDate, &ui::DateField::dateRefused, this, [this](const QString &message) {
        m_document.showMessage(message);
        txtLumpSumDate_Change();
    });
    connect(m_txtLumpSumAmount, &QLineEdit::textChanged, this, &frmLumpSums::txtLumpSumAmount_Change);
    connect(m_gridLumpSum2, &QTableWidget::cellClicked, this, &frmLumpSums::gridLumpSum2_Click);
    // Moving through the list with the keys fills the fields as a click does.
    connect(m_gridLumpSum2, &QTableWidget::currentCellChanged, this, [this] {
        if (m_gridLumpSum2->hasFocus())
            gridLumpSum2_Click();
    });
    // Delete in the list takes out the chosen entry, as Remove does.
    auto *remove = new QShortcut(QKeySequence::Delete, m_gridLumpSum2, nullptr, nullptr, Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, [this] {
        if (m_cmdRemove->isEnabled())
            cmdRemove_Click();
    });
    connect(m_cmdAdd, &QPushButton::clicked, this, &frmLumpSums::cmdAdd_Click);
    connect(m_cmdRemove, &QPushButton::clicked, this, &frmLumpSums::cmdRemove_Click);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmLumpSums::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmLumpSums::cmdCancel_Click);

    Form_Load(gridRow);
}

frmLumpSums::~frmLumpSums() = default;

void frmLumpSums::Form_Load(int gridRow)
{
    const engine::ScheduleTable &schedule = m_loan.gridMain0;
    m_range = engine::lumpSumDateRange(schedule);
    if (m_range) {
        m_txtLumpSumDate->setDateRange(ui::toQDate(m_range->first), ui::toQDate(m_range->last));
        // The grid shows schedule row r + 1 at its row r.
        const engine::LumpSumPreset preset = engine::lumpSumPreset(schedule, gridRow + 1, *m_range);
        m_date = preset.date != engine::kNoDate ? preset.date : m_range->first;
        m_amount = preset.amount;
    } else {
        // No schedule to date a lump sum in.
        m_txtLumpSumDate->setEnabled(false);
    }
    engine::removeLumpSumsOutsideSchedule(m_loan.gridLumpSum, schedule);
    m_list = m_loan.gridLumpSum;
    // Remove always has a chosen entry to take out: the lump sum the dialog opens on, else the first.
    const int entry = m_date == engine::kNoDate ? 0 : engine::findChangeEntryByDate(m_list, m_date);
    showList(entry > 0 ? entry - 1 : 0);
    showDate();
    showAmount();
    updateButtons();
}

void frmLumpSums::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_txtLumpSumDate->setFocus();
}

bool frmLumpSums::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // A date being typed counts once it is complete: take it before adding.
            m_txtLumpSumDate->interpretText();
            if (m_cmdAdd->isEnabled())
                cmdAdd_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmLumpSums::showList(int selectedRow)
{
    const int entries = m_list.rows() - 1;
    m_gridLumpSum2->clearContents();
    m_gridLumpSum2->setRowCount(entries);
    for (int r = 0; r < entries; ++r) {
        const int row = r + 1;
        auto *date = new QTableWidgetItem(QString::fromUtf8(m_list.text(row, engine::chgDateText)));
        date->setTextAlignment(Qt::AlignCenter);
        auto *amount = new QTableWidgetItem(
            QString::fromStdString(m_format.currency(engine::numberOrZero(m_list.text(row, engine::chgAmount)))));
        amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_gridLumpSum2->setItem(r, 0, date);
        m_gridLumpSum2->setItem(r, 1, amount);
        date->setData(Qt::UserRole, QString::fromUtf8(m_list.text(row, engine::chgDateSerial)));
    }
    if (selectedRow >= 0 && selectedRow < entries) {
        m_gridLumpSum2->setCurrentCell(selectedRow, 0);
        m_gridLumpSum2->selectRow(selectedRow);
    } else {
        m_gridLumpSum2->clearSelection();
    }
}

void frmLumpSums::showDate()
{
    if (m_date == engine::kNoDate)
        return;
    {
        const QScopedValueRollback guard(m_showing, true);
        m_txtLumpSumDate->setDate(ui::toQDate(m_date));
    }
    // The field keeps to its range: what it shows is the date.
    m_date = ui::toSerial(m_txtLumpSumDate->date());
}

void frmLumpSums::showAmount()
{
    const QScopedValueRollback guard(m_showing, true);
    m_txtLumpSumAmount->setText(m_amount == 0 ? QString() : QString::fromStdString(m_format.currency(m_amount)));
}

void frmLumpSums::updateButtons()
{
    m_cmdAdd->setEnabled(m_range && m_date != engine::kNoDate && m_amount != 0);
    m_cmdRemove->setEnabled(m_list.rows() > 1);
}

void frmLumpSums::txtLumpSumDate_Change()
{
    if (m_showing)
        return;
    const QDate date = m_txtLumpSumDate->date();
    m_date = date.isValid() ? ui::toSerial(date) : engine::kNoDate;
    updateButtons();
}

void frmLumpSums::txtLumpSumAmount_Change()
{
    if (m_showing)
        return;
    m_amount = engine::lumpSumAmount(m_amountValidator->value(m_txtLumpSumAmount->text()).value_or(0));
    updateButtons();
}

void frmLumpSums::gridLumpSum2_Click()
{
    const int row = m_gridLumpSum2->currentRow() + 1;
    if (row < 1 || row >= m_list.rows())
        return;
    m_date = engine::serialDate(m_list.text(row, engine::chgDateSerial));
    m_amount = engine::numberOrZero(m_list.text(row, engine::chgAmount));
    showDate();
    showAmount();
    updateButtons();
}

void frmLumpSums::cmdAdd_Click()
{
    if (!m_range || m_date == engine::kNoDate || m_amount == 0)
        return;
    if (!m_range->contains(m_date)) {
        m_document.showMessage(QString::fromLatin1(kOutOfRangeMessage));
        m_date = engine::pulledIntoRange(m_date, *m_range, m_loan.gdtmFirstPaymentDue, m_loan.gdtmLastPaymentDue);
        showDate();
        return;
    }
    const int row = engine::addLumpSum(m_list, m_date, m_amount, m_format);
    showList(row - 1);
    m_gridLumpSum2->setFocus();
    updateButtons();
}

void frmLumpSums::cmdRemove_Click()
{
    const int entries = m_list.rows() - 1;
    // The rows chosen, or the current one when none is, taken out from the last so that the others keep their places.
    std::vector<int> chosen;
    for (const QModelIndex &index : m_gridLumpSum2->selectionModel()->selectedRows())
        chosen.push_back(index.row());
    if (chosen.empty())
        chosen.push_back(m_gridLumpSum2->currentRow());
    std::sort(chosen.begin(), chosen.end(), std::greater<>());
    if (entries == 1) {
        m_list.setRows(1);
        showList(-1);
    } else {
        int removed = 0;
        for (int row : chosen) {
            if (row >= 0 && row < entries) {
                engine::removeChangeEntry(m_list, row + 1);
                ++removed;
            }
        }
        if (removed > 0)
            showList(std::min(chosen.back(), entries - removed - 1));
    }
    updateButtons();
}

void frmLumpSums::cmdOK_Click()
{
    hide();
    if (!engine::sameChangeEntries(m_list, m_loan.gridLumpSum)) {
        const engine::TextTable list = m_list;
        if (m_document.changeAndRecalculate(QStringLiteral("Lump Sums"),
                                            [&](document::DocumentData &changed) { changed.loan.gridLumpSum = list; }))
            m_document.markModified();
    }
    accept();
}

void frmLumpSums::cmdCancel_Click()
{
    reject();
}

} // namespace views
