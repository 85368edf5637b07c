#include "frmScenario.h"

#include "ScenarioPrintout.h"

#include "engine/Codes.h"
#include "engine/Limits.h"
#include "engine/NumberFormat.h"
#include "print/PageSurface.h"
#include "print/PrintRange.h"
#include "travina/CTravinaCtrl.h"
#include "ui/NumberField.h"
#include "ui/NumberFieldValidator.h"
#include "ui/ScrollingContainer.h"
#include "ui/Twips.h"
#include "ui/UserDialogs.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QScopedValueRollback>
#include <QStyle>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

namespace scenario {

namespace {

constexpr int kRateDecimals = 5;
constexpr int kLengthDecimals = 4;

const QColor kBelowMinimumColor(255, 192, 192);

// Lengths the container takes are its own twips, a fixed number to the pixel.
constexpr int kContainerTwips = CTravinaCtrl::TwipsPerPixel;

QComboBox *list(const char *name, const QStringList &entries)
{
    auto *box = new QComboBox;
    box->setObjectName(QLatin1String(name));
    box->addItems(entries);
    return box;
}

QStringList texts(const std::vector<std::string> &entries)
{
    QStringList out;
    for (const std::string &entry : entries)
        out << QString::fromStdString(entry);
    return out;
}

QLabel *caption(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(buddy);
    return label;
}

QRect twips(const QWidget *widget, const QWidget *contents)
{
    const QPoint at = widget->mapTo(contents, QPoint(0, 0));
    return {ui::twipsFromPixels(at.x()), ui::twipsFromPixels(at.y()), ui::twipsFromPixels(widget->width()),
            ui::twipsFromPixels(widget->height())};
}

// A field with its unit list beside it.
QWidget *pair(QWidget *field, QWidget *unit)
{
    auto *both = new QWidget;
    auto *row = new QHBoxLayout(both);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(field);
    row->addWidget(unit);
    row->addStretch();
    return both;
}

} // namespace

frmScenario::frmScenario(const engine::NumberFormat &format, int compounding, const SharedCommands &commands,
                         ScenarioServices services, QWidget *parent)
    : QWidget(parent)
    , m_scenario(compounding)
    , m_format(format)
    , m_services(std::move(services))
{
    setObjectName(QStringLiteral("frmScenario"));
    setWindowTitle(QStringLiteral("Scenario"));
    createControls();
    createMenus(commands);
    Form_Load();
}

frmScenario::~frmScenario() = default;

void frmScenario::createControls()
{
    const ui::Container container = ui::createContainer(*this);
    m_container = container.control;
    m_frame = container.frame;

    m_txtLoanAmount = ui::numberField("txtLoanAmount", engine::kMaxAmount, engine::kAmountDecimals, m_format);
    m_txtAnnualRate = ui::numberField("txtAnnualRate", engine::kMaxPercent, kRateDecimals, m_format);
    m_txtAmortization = ui::numberField("txtAmortization", engine::kMaxAmortization, kLengthDecimals, m_format);
    m_txtPayment = ui::numberField("txtPayment", engine::kMaxAmount, engine::kAmountDecimals, m_format);
    m_txtTerm = ui::numberField("txtTerm", engine::kMaxAmortization, kLengthDecimals, m_format);
    // Amortization and term are short numbers: their unit lists sit close beside them.
    for (QLineEdit *length : {m_txtAmortization, m_txtTerm})
        length->setFixedWidth(length->fontMetrics().horizontalAdvance(QStringLiteral("9999.9999")) + 16);
    m_txtAnnualRate->setToolTip(QStringLiteral("Percent a year"));

    const QStringList units = {QStringLiteral("Year"), QStringLiteral("Month")};
    m_cboAmortUnit = list("cboAmortUnit", units);
    m_cboTermUnit = list("cboTermUnit", units);
    m_cboCompounding = list("cboCompounding", texts(engine::compoundingListTexts(engine::kMortgageLoan)));
    QStringList frequencies;
    for (int code = engine::kMonthly; code <= engine::kWeekly; ++code)
        frequencies << QString::fromStdString(engine::frequencyLabel(code));
    m_cboFrequency = list("cboFrequency", frequencies);
    QStringList days;
    for (const char *text : engine::kDaysInYearTexts)
        days << QLatin1String(text);
    m_cboDaysInYear = list("cboDaysInYear", days);

    auto *inputs = new QGridLayout;
    inputs->setHorizontalSpacing(10);
    inputs->setVerticalSpacing(8);
    inputs->addWidget(caption(QStringLiteral("Loan Amount:"), m_txtLoanAmount), 0, 0);
    inputs->addWidget(m_txtLoanAmount, 0, 1, Qt::AlignLeft);
    inputs->addWidget(caption(QStringLiteral("Annual Rate:"), m_txtAnnualRate), 1, 0);
    inputs->addWidget(m_txtAnnualRate, 1, 1, Qt::AlignLeft);
    inputs->addWidget(caption(QStringLiteral("Amortization:"), m_txtAmortization), 2, 0);
    inputs->addWidget(pair(m_txtAmortization, m_cboAmortUnit), 2, 1);
    inputs->addWidget(caption(QStringLiteral("Payment Amount:"), m_txtPayment), 3, 0);
    inputs->addWidget(m_txtPayment, 3, 1, Qt::AlignLeft);
    inputs->setColumnMinimumWidth(2, 24);
    inputs->addWidget(caption(QStringLiteral("Interest Compounded:"), m_cboCompounding), 0, 3);
    inputs->addWidget(m_cboCompounding, 0, 4);
    inputs->addWidget(caption(QStringLiteral("Frequency of Payment:"), m_cboFrequency), 1, 3);
    inputs->addWidget(m_cboFrequency, 1, 4);
    inputs->addWidget(caption(QStringLiteral("Number of Days in a Year:"), m_cboDaysInYear), 2, 3);
    inputs->addWidget(m_cboDaysInYear, 2, 4, Qt::AlignLeft);
    inputs->addWidget(caption(QStringLiteral("Term:"), m_txtTerm), 3, 3);
    inputs->addWidget(pair(m_txtTerm, m_cboTermUnit), 3, 4);

    m_lblTitle = new QLabel(QString::fromLatin1(engine::kScenarioTableTitle));
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = m_lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    m_lblTitle->setFont(titleFont);

    // The table: headings over the columns, the frequencies down the side, one sunken cell per figure.
    auto *table = new QGridLayout;
    table->setSpacing(2);
    auto heading = [](const QString &text, Qt::Alignment alignment) {
        auto *label = new QLabel(text);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        label->setAlignment(alignment | Qt::AlignBottom);
        label->setContentsMargins(4, 0, 4, 2);
        return label;
    };
    table->addWidget(heading(QString::fromLatin1(engine::kScenarioRowHeading), Qt::AlignLeft), 0, 0);
    // Room for the widest figure each column shows in practice; a wider one widens its column.
    const std::array<QString, engine::kScenarioColumns> widest = {
        QStringLiteral("100.0000000000%"), QStringLiteral("$9,999,999.99"),  QStringLiteral("999 YR 11 MTH"),
        QStringLiteral("$99,999,999.99"),  QStringLiteral("$99,999,999.99"), QStringLiteral("$99,999,999.99")};
    for (int column = 0; column < engine::kScenarioColumns; ++column) {
        const Qt::Alignment alignment = column == engine::scnAmortization ? Qt::AlignHCenter : Qt::AlignRight;
        table->addWidget(heading(QString::fromLatin1(engine::kScenarioColumnCaptions[size_t(column)]), alignment), 0,
                         column + 1);
        for (int row = 0; row < engine::kScenarioRows; ++row) {
            auto *cell = new QLabel;
            cell->setObjectName(QStringLiteral("lblCell%1_%2").arg(row).arg(column));
            cell->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
            cell->setAlignment(alignment | Qt::AlignVCenter);
            cell->setContentsMargins(4, 1, 4, 1);
            cell->setAutoFillBackground(true);
            cell->setBackgroundRole(QPalette::Base);
            cell->setMinimumWidth(cell->fontMetrics().horizontalAdvance(widest[size_t(column)]) + 14);
            cell->setTextInteractionFlags(Qt::TextSelectableByMouse);
            table->addWidget(cell, row + 1, column + 1);
            m_cells[size_t(row)][size_t(column)] = cell;
        }
    }
    for (int row = 0; row < engine::kScenarioRows; ++row) {
        auto *label = new QLabel(QString::fromLatin1(engine::kScenarioRowCaptions[size_t(row)]));
        label->setContentsMargins(4, 0, 12, 0);
        table->addWidget(label, row + 1, 0);
    }

    auto *line = new QFrame;
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    auto *content = new QVBoxLayout(m_frame);
    content->setContentsMargins(12, 12, 12, 12);
    content->setSpacing(10);
    auto *top = new QHBoxLayout;
    top->addLayout(inputs);
    top->addStretch();
    content->addLayout(top);
    content->addWidget(line);
    content->addWidget(m_lblTitle);
    auto *bottom = new QHBoxLayout;
    bottom->addLayout(table);
    bottom->addStretch();
    content->addLayout(bottom);
    content->addStretch();

    for (QLineEdit *field : {m_txtLoanAmount, m_txtAnnualRate, m_txtAmortization, m_txtPayment, m_txtTerm})
        field->installEventFilter(this);
    // Tab goes down the loan's fields, then down the payment's.
    const QList<QWidget *> order = {m_txtLoanAmount, m_txtAnnualRate,  m_txtAmortization, m_cboAmortUnit,
                                    m_txtPayment,    m_cboCompounding, m_cboFrequency,    m_cboDaysInYear,
                                    m_txtTerm,       m_cboTermUnit};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void frmScenario::createMenus(const SharedCommands &commands)
{
    auto addMenu = [this](const QString &title, const char *name) {
        auto *menu = new QMenu(title, this);
        menu->setObjectName(QLatin1String(name));
        m_menus << menu;
        return menu;
    };
    QMenu *file = addMenu(QStringLiteral("&File"), "mnuFile");
    file->addActions({commands.newDocument, commands.open, commands.close});
    file->addSeparator();
    m_print = file->addAction(QStringLiteral("&Print..."), this, &frmScenario::mnuFilePrint_Click);
    // Only while the focus is here: the main window's Print takes the same key for the documents.
    m_print->setShortcut(QKeySequence::Print);
    m_print->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(m_print);
    m_recentSeparator = file->addSeparator();
    m_recentFiles = commands.recentFiles;
    file->addActions(m_recentFiles);
    file->addSeparator();
    file->addAction(commands.exit);
    // The recent files are the main window's own entries: only the separator before them is this menu's.
    connect(file, &QMenu::aboutToShow, this, [this] {
        m_recentSeparator->setVisible(std::any_of(m_recentFiles.cbegin(), m_recentFiles.cend(),
                                                  [](QAction *entry) { return entry->isVisible(); }));
    });

    QMenu *edit = addMenu(QStringLiteral("&Edit"), "mnuEdit");
    m_undo = edit->addAction(QStringLiteral("&Undo"));
    edit->addSeparator();
    m_cut = edit->addAction(QStringLiteral("Cu&t"));
    m_copy = edit->addAction(QStringLiteral("&Copy"), this, &frmScenario::mnuEditCopy_Click);
    m_paste = edit->addAction(QStringLiteral("&Paste"), this, &frmScenario::mnuEditPaste_Click);
    connect(edit, &QMenu::aboutToShow, this, &frmScenario::updateEditMenu);
    updateEditMenu();

    QMenu *view = addMenu(QStringLiteral("&View"), "mnuView");
    view->addActions({commands.toolbar, commands.statusBar});

    QMenu *window = addMenu(QStringLiteral("&Window"), "mnuWindow");
    window->addActions(commands.window);

    QMenu *help = addMenu(QStringLiteral("&Help"), "mnuHelp");
    help->addAction(commands.contents);
    help->addSeparator();
    help->addAction(commands.about);
}

void frmScenario::updateEditMenu()
{
    // Nothing typed here can be undone or cut from the menu; the fields' own keys do that.
    m_undo->setEnabled(false);
    m_cut->setEnabled(false);
    m_copy->setEnabled(m_activeField != nullptr);
    m_paste->setEnabled(m_activeField != nullptr && !QGuiApplication::clipboard()->text().isEmpty());
}

void frmScenario::Form_Load()
{
    const QSignalBlocker blockers[] = {QSignalBlocker(m_cboDaysInYear), QSignalBlocker(m_cboCompounding),
                                       QSignalBlocker(m_cboAmortUnit), QSignalBlocker(m_cboFrequency),
                                       QSignalBlocker(m_cboTermUnit)};
    m_cboDaysInYear->setCurrentIndex(0);
    m_cboCompounding->setCurrentIndex(engine::compoundingPosition(engine::kMortgageLoan, m_scenario.compounding()));
    m_cboAmortUnit->setCurrentIndex(engine::kYears);
    m_cboTermUnit->setCurrentIndex(engine::kYears);
    m_cboFrequency->setCurrentIndex(engine::kMonthly);
    showPayment(true);
    showTable();

    connect(m_txtLoanAmount, &QLineEdit::textChanged, this, &frmScenario::txtLoanAmount_Change);
    connect(m_txtAnnualRate, &QLineEdit::textChanged, this, &frmScenario::txtAnnualRate_Change);
    connect(m_cboCompounding, &QComboBox::currentIndexChanged, this, &frmScenario::cboCompounding_Click);
    connect(m_txtAmortization, &QLineEdit::textChanged, this, &frmScenario::txtAmortization_Change);
    connect(m_cboAmortUnit, &QComboBox::currentIndexChanged, this, &frmScenario::cboAmortUnit_Click);
    connect(m_cboFrequency, &QComboBox::currentIndexChanged, this, &frmScenario::cboFrequency_Click);
    connect(m_txtPayment, &QLineEdit::textChanged, this, &frmScenario::txtPayment_Change);
    // A payment emptied while typing shows the computed one again once the user leaves the field.
    connect(m_txtPayment, &QLineEdit::editingFinished, this, [this] { showPayment(true); });
    connect(m_cboDaysInYear, &QComboBox::currentIndexChanged, this, &frmScenario::cboDaysInYear_Click);
    connect(m_txtTerm, &QLineEdit::textChanged, this, &frmScenario::txtTerm_Change);
    connect(m_cboTermUnit, &QComboBox::currentIndexChanged, this, &frmScenario::cboTermUnit_Click);
}

std::optional<double> frmScenario::fieldValue(const QLineEdit *field) const
{
    return ui::numberFieldValue(field, m_format);
}

void frmScenario::txtLoanAmount_Change()
{
    m_scenario.loanAmountChanged(fieldValue(m_txtLoanAmount));
    showPayment(true);
    showTable();
}

void frmScenario::txtAnnualRate_Change()
{
    m_scenario.annualRateChanged(fieldValue(m_txtAnnualRate));
    showPayment(true);
    showTable();
}

void frmScenario::cboCompounding_Click()
{
    m_scenario.compoundingChanged(engine::compoundingCodeAt(engine::kMortgageLoan, m_cboCompounding->currentIndex()));
    showPayment(true);
    showTable();
}

void frmScenario::txtAmortization_Change()
{
    m_scenario.amortizationChanged(fieldValue(m_txtAmortization));
    showPayment(true);
    showTable();
}

void frmScenario::cboAmortUnit_Click()
{
    m_scenario.amortizationUnitChanged(m_cboAmortUnit->currentIndex());
    showPayment(true);
    showTable();
}

void frmScenario::cboFrequency_Click()
{
    m_scenario.frequencyChanged(m_cboFrequency->currentIndex());
    showPayment(true);
    showTable();
}

void frmScenario::txtPayment_Change()
{
    if (m_recalculating)
        return;
    m_scenario.paymentChanged(fieldValue(m_txtPayment));
    // The user is typing: the text stays theirs, only its colour follows.
    showPayment(false);
    showTable();
}

void frmScenario::cboDaysInYear_Click()
{
    m_scenario.daysInYearChanged(m_cboDaysInYear->currentIndex());
    showPayment(false);
    showTable();
}

void frmScenario::txtTerm_Change()
{
    m_scenario.termChanged(fieldValue(m_txtTerm));
    showTable();
}

void frmScenario::cboTermUnit_Click()
{
    m_scenario.termUnitChanged(m_cboTermUnit->currentIndex());
    showTable();
}

QColor frmScenario::paymentColor(engine::PaymentState state)
{
    switch (state) {
    case engine::PaymentState::BelowMinimum:
        return kBelowMinimumColor;
    case engine::PaymentState::Differs:
        return QToolTip::palette().color(QPalette::ToolTipBase);
    case engine::PaymentState::Normal:
        break;
    }
    return QGuiApplication::palette().color(QPalette::Base);
}

void frmScenario::showPayment(bool rewriteText)
{
    if (rewriteText) {
        const QScopedValueRollback guard(m_recalculating, true);
        const std::optional<double> payment = m_scenario.payment();
        const QString text = payment ? ui::numberFieldText(*payment, engine::kAmountDecimals, m_format) : QString();
        if (m_txtPayment->text() != text) {
            m_txtPayment->setText(text);
            m_txtPayment->setCursorPosition(0);
        }
    }
    QPalette look = m_txtPayment->palette();
    look.setColor(QPalette::Base, paymentColor(m_scenario.paymentState()));
    m_txtPayment->setPalette(look);
}

void frmScenario::showTable()
{
    const engine::ScenarioTable table = m_scenario.table(m_format);
    for (int row = 0; row < engine::kScenarioRows; ++row) {
        for (int column = 0; column < engine::kScenarioColumns; ++column)
            lblCell(row, column)->setText(QString::fromStdString(table[size_t(row)][size_t(column)]));
    }
    // A figure wider than its column widens the table: the scrolling area follows.
    const QSize content = m_frame->layout()->sizeHint();
    if (content.width() * kContainerTwips != m_container->virtualWidth()
        || content.height() * kContainerTwips != m_container->virtualHeight()) {
        m_container->setVirtualWidth(content.width() * kContainerTwips);
        m_container->setVirtualHeight(content.height() * kContainerTwips);
        Form_Resize();
    }
}

ScenarioLayout frmScenario::printLayout() const
{
    ScenarioLayout layout;
    layout.font = font();
    layout.titleFont = m_lblTitle->font();
    layout.titleHeight = ui::twipsFromPixels(m_lblTitle->height());
    for (int row = 0; row < engine::kScenarioRows; ++row) {
        for (int column = 0; column < engine::kScenarioColumns; ++column) {
            const QLabel *cell = lblCell(row, column);
            layout.cells[size_t(row)][size_t(column)] = {twips(cell, m_frame), cell->font(), cell->alignment(),
                                                         cell->frameShape() != QFrame::NoFrame};
        }
    }
    const auto isCell = [this](const QWidget *widget) {
        for (const auto &row : m_cells) {
            if (std::find(row.cbegin(), row.cend(), widget) != row.cend())
                return true;
        }
        return false;
    };
    for (const QWidget *widget : m_frame->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(m_frame) || isCell(widget))
            continue;
        PrintedText item;
        if (const auto *label = qobject_cast<const QLabel *>(widget)) {
            item.text = label->text();
            item.place.alignment = label->alignment();
            item.place.framed = label->frameShape() != QFrame::NoFrame;
        } else if (const auto *field = qobject_cast<const QLineEdit *>(widget)) {
            item.text = field->text();
            item.place.alignment = field->alignment();
            item.place.framed = true;
        } else if (const auto *choice = qobject_cast<const QComboBox *>(widget)) {
            item.text = choice->currentText();
            item.place.alignment = Qt::AlignLeft;
            item.place.framed = true;
        } else {
            continue;
        }
        item.place.box = twips(widget, m_frame);
        item.place.font = widget->font();
        layout.texts << item;
    }
    return layout;
}

void frmScenario::mnuFilePrint_Click()
{
    print::PageSurface surface;
    buildScenarioPages(printLayout(), m_scenario.table(m_format), surface);
    PrintScenario(surface);
}

void frmScenario::PrintScenario(print::PageSurface &surface)
{
    if (!m_services.dialogs)
        return;
    QPrinter printer;
    printer.setFullPage(true);
    printer.setPageLayout(surface.pageLayout());
    printer.setDocName(windowTitle());
    printer.setPrintRange(QPrinter::AllPages);
    if (!m_services.dialogs->print(this, printer, {1, surface.pageCount(), true}))
        return;
    // Nothing shows a page of the printout: its selection is the first.
    const auto [first, last] = print::chosenPages(printer, surface.pageCount(), 1);
    QString error;
    if (!surface.print(printer, first, last, &error) && m_services.showMessage)
        m_services.showMessage(QStringLiteral("The scenario could not be printed: %1").arg(error));
}

void frmScenario::mnuEditCopy_Click()
{
    if (!m_activeField)
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_activeField->text());
}

void frmScenario::mnuEditPaste_Click()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (!m_activeField || text.isEmpty())
        return;
    const std::optional<double> number =
        engine::parsePlainNumber(engine::stripNumberText(text.toStdString(), m_format));
    if (!number)
        return;
    // The field takes the number as if typed: in its own decimals, and only what it would let the user type.
    const auto *validator = qobject_cast<const ui::NumberFieldValidator *>(m_activeField->validator());
    QString shown = ui::numberFieldText(*number, validator ? validator->decimals() : engine::kAmountDecimals, m_format);
    int position = 0;
    if (validator && validator->validate(shown, position) != QValidator::Acceptable)
        return;
    m_activeField->setText(shown);
}

void frmScenario::Form_Resize()
{
    ui::fitContainer(*this, *m_container, *m_frame);
}

void frmScenario::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

bool frmScenario::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto *field = qobject_cast<QLineEdit *>(watched))
            m_activeField = field;
    }
    return QWidget::eventFilter(watched, event);
}

QSize frmScenario::sizeHint() const
{
    // The whole calculator, with the container's frame and scroll bars around it.
    const QSize content = m_frame->layout()->sizeHint();
    const QSize container = m_container->size();
    const QSize client = m_container->viewport()->size();
    if (m_container->testAttribute(Qt::WA_WState_Created) && !client.isEmpty())
        return content + (container - client);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return content + QSize(bar + 6, bar + 6);
}

} // namespace scenario
