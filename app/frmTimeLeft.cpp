#include "frmTimeLeft.h"

#include "SettingsKeys.h"

#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"
#include "engine/TimeLeft.h"
#include "ui/UserDialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStringListModel>
#include <QVBoxLayout>

namespace app {

frmTimeLeft::frmTimeLeft(const engine::LoanDocument &loan, const engine::NumberFormat &format, int gridRow,
                         ui::UserDialogs &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_loan(loan)
    , m_format(format)
    , m_dialogs(dialogs)
    , m_gridRow(gridRow)
{
    setObjectName(QStringLiteral("frmTimeLeft"));
    setWindowTitle(QStringLiteral("Number of Years/Payments Left"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *heading = new QLabel(QStringLiteral("Number of years/payments Left to Amortize the Loan"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    m_cboDate = new QComboBox;
    m_cboDate->setObjectName(QStringLiteral("cboDate"));
    // A schedule can hold tens of thousands of dates: a plain string list keeps filling the box fast.
    m_cboDate->setModel(new QStringListModel(m_cboDate));
    m_cboDate->setMaxVisibleItems(20);
    m_cboDate->setMinimumContentsLength(14);
    auto readOnly = [](const char *name) {
        auto *field = new QLineEdit;
        field->setObjectName(QLatin1String(name));
        field->setReadOnly(true);
        return field;
    };
    m_txtYears = readOnly("txtYears");
    m_txtPayments = readOnly("txtPayments");
    m_txtLastPayment = readOnly("txtLastPayment");
    m_txtYears->setMinimumWidth(
        m_txtYears->fontMetrics().horizontalAdvance(QStringLiteral("99 Years 11 Months 30 Days")) + 16);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    const std::array<std::pair<QString, QWidget *>, 4> rows = {
        std::pair {QStringLiteral("Select the starting date:"), static_cast<QWidget *>(m_cboDate)},
        std::pair {QStringLiteral("Years Left:"), static_cast<QWidget *>(m_txtYears)},
        std::pair {QStringLiteral("Payments Left:"), static_cast<QWidget *>(m_txtPayments)},
        std::pair {QStringLiteral("Last Payment Due:"), static_cast<QWidget *>(m_txtLastPayment)}};
    for (int row = 0; row < int(rows.size()); ++row) {
        auto *label = new QLabel(rows[size_t(row)].first);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(rows[size_t(row)].second);
        grid->addWidget(label, row, 0);
        grid->addWidget(rows[size_t(row)].second, row, 1);
    }
    grid->setColumnStretch(1, 1);

    m_cmdClose = new QPushButton(QStringLiteral("Close"));
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_cmdClose->setDefault(true);
    connect(m_cmdClose, &QPushButton::clicked, this, &frmTimeLeft::cmdClose_Click);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(12);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(m_cboDate, &QComboBox::currentIndexChanged, this, &frmTimeLeft::cboDate_Click);
    Form_Load();
    setFixedSize(sizeHint());
}

void frmTimeLeft::Form_Load()
{
    const engine::LoanDocument &loan = m_loan;
    const engine::NumberFormat &format = m_format;
    QStringList dates;
    dates.reserve(std::max(loan.gridMain0.rows() - 1, 0));
    // Every row, the start row and the lump sums paid between two payments included: position i is row i + 1.
    engine::ScheduleReader reader(loan.gridMain0);
    engine::ScheduleRowValues values;
    while (reader.next(values))
        dates << QString::fromStdString(format.formatDate(values.date()));
    {
        const QScopedValueRollback guard(m_loading, true);
        static_cast<QStringListModel *>(m_cboDate->model())->setStringList(dates);
        m_cboDate->setCurrentIndex(-1);
    }
    if (dates.isEmpty())
        return;
    // The grid shows schedule row r + 1 at its row r, so its current row is the list position.
    m_cboDate->setCurrentIndex(std::clamp(m_gridRow, 0, int(dates.size()) - 1));
}

void frmTimeLeft::cboDate_Click()
{
    if (m_loading || m_cboDate->currentIndex() < 0)
        return;
    const engine::LoanDocument &loan = m_loan;
    const engine::NumberFormat &format = m_format;
    engine::TimeLeftRow row;
    if (!engine::readTimeLeftRow(loan, m_cboDate->currentIndex() + 1, row))
        return;
    const engine::TimeLeftResult result = engine::computeTimeLeft(loan, row);
    switch (result.status) {
    case engine::TimeLeftResult::Status::Ok:
        m_txtYears->setText(QString::fromStdString(result.duration));
        m_txtPayments->setText(QString::fromStdString(engine::plainNumber(result.paymentsLeft)));
        m_txtLastPayment->setText(QString::fromStdString(format.formatDate(result.lastPayment)));
        break;
    case engine::TimeLeftResult::Status::PaymentTooLow:
        m_dialogs.message(this, kSettingsName, QString::fromLatin1(engine::kPaymentTooLowMessage), ui::UserDialogs::Ok,
                          ui::UserDialogs::Icon::Information);
        break;
    case engine::TimeLeftResult::Status::Failed:
        // Nothing sensible to show: the results stay as they were.
        break;
    }
}

void frmTimeLeft::cmdClose_Click()
{
    accept();
}

} // namespace app
