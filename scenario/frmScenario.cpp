#include "frmScenario.h"

#include "ScenarioPrintout.h"
#include "ScenarioTableModel.h"

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
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QScopedValueRollback>
#include <QStyle>
#include <QTableView>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

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

// A caption's text without its mnemonic marks, as it reads.
QString plainCaption(QString text)
{
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

// The caption beside a field; the field takes its words as its name, which a screen reader cannot find for a field
// that sits beside its unit list.
QLabel *caption(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(buddy);
    QString name = plainCaption(text);
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    buddy->setAccessibleName(name);
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
    m_cboAmortUnit->setAccessibleName(tr("Amortization unit"));
    m_cboTermUnit->setAccessibleName(tr("Term unit"));
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
    inputs->addWidget(caption(tr("&Loan Amount:"), m_txtLoanAmount), 0, 0);
    inputs->addWidget(m_txtLoanAmount, 0, 1, Qt::AlignLeft);
    inputs->addWidget(caption(tr("Annual &Rate:"), m_txtAnnualRate), 1, 0);
    inputs->addWidget(m_txtAnnualRate, 1, 1, Qt::AlignLeft);
    inputs->addWidget(caption(tr("A&mortization:"), m_txtAmortization), 2, 0);
    inputs->addWidget(pair(m_txtAmortization, m_cboAmortUnit), 2, 1);
    inputs->addWidget(caption(tr("Pa&yment Amount:"), m_txtPayment), 3, 0);
    inputs->addWidget(m_txtPayment, 3, 1, Qt::AlignLeft);
    inputs->setColumnMinimumWidth(2, 24);
    inputs->addWidget(caption(tr("Interest &Compounded:"), m_cboCompounding), 0, 3);
    inputs->addWidget(m_cboCompounding, 0, 4);
    inputs->addWidget(caption(tr("Fre&quency of Payment:"), m_cboFrequency), 1, 3);
    inputs->addWidget(m_cboFrequency, 1, 4);
    inputs->addWidget(caption(tr("Number of &Days in a Year:"), m_cboDaysInYear), 2, 3);
    inputs->addWidget(m_cboDaysInYear, 2, 4, Qt::AlignLeft);
    inputs->addWidget(caption(tr("&Term:"), m_txtTerm), 3, 3);
    inputs->addWidget(pair(m_txtTerm, m_cboTermUnit), 3, 4);

    m_lblTitle = new QLabel(QString::fromLatin1(engine::kScenarioTableTitle));
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = m_lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    m_lblTitle->setFont(titleFont);

    // The table: headings over the columns, the frequencies down the side. Read-only; Tab passes through it, the
    // arrow keys move in it and Ctrl+C copies the cells chosen.
    m_resultsModel = new ScenarioTableModel(this);
    QFont bold = font();
    bold.setBold(true);
    m_resultsModel->setHeadingFont(bold);
    m_results = new QTableView;
    m_results->setObjectName(QStringLiteral("gridResults"));
    m_results->setModel(m_resultsModel);
    m_results->setAccessibleName(tr("Comparison of payment frequencies"));
    m_results->setAccessibleDescription(
        tr("For each payment frequency: the periodic rate, the payment, the amortization, and the interest and "
           "balance over the term."));
    m_results->setTabKeyNavigation(false);
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_results->setWordWrap(false);
    m_results->setCornerButtonEnabled(false);
    m_results->verticalHeader()->hide();
    m_results->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_results->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_results->horizontalHeader()->setHighlightSections(false);
    m_results->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_results->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_results->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_results->installEventFilter(this);

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
    bottom->addWidget(m_results);
    bottom->addStretch();
    content->addLayout(bottom);
    content->addStretch();

    for (QLineEdit *field : {m_txtLoanAmount, m_txtAnnualRate, m_txtAmortization, m_txtPayment, m_txtTerm})
        field->installEventFilter(this);
    // Tab goes down the loan's fields, then down the payment's.
    const QList<QWidget *> order = {m_txtLoanAmount, m_txtAnnualRate,  m_txtAmortization, m_cboAmortUnit,
                                    m_txtPayment,    m_cboCompounding, m_cboFrequency,    m_cboDaysInYear,
                                    m_txtTerm,       m_cboTermUnit,    m_results};
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
    m_copy->setEnabled(m_activeField != nullptr || (m_results->hasFocus() && !selectedResults().isEmpty()));
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
    m_resultsModel->setTable(m_scenario.table(m_format));
    fitResults();
    // A figure wider than its column widens the table: the scrolling area follows.
    const QSize content = m_frame->layout()->sizeHint();
    if (content.width() * kContainerTwips != m_container->virtualWidth()
        || content.height() * kContainerTwips != m_container->virtualHeight()) {
        m_container->setVirtualWidth(content.width() * kContainerTwips);
        m_container->setVirtualHeight(content.height() * kContainerTwips);
        Form_Resize();
    }
}

QString frmScenario::cellText(int row, int column) const
{
    return m_resultsModel->index(row, ScenarioTableModel::column(column)).data().toString();
}

void frmScenario::fitResults()
{
    // Room for the widest figure each column shows in practice; a wider one widens its column.
    static const std::array<QString, engine::kScenarioColumns> widest = {
        QStringLiteral("100.0000000000%"), QStringLiteral("$9,999,999.99"),  QStringLiteral("999 YR 11 MTH"),
        QStringLiteral("$99,999,999.99"),  QStringLiteral("$99,999,999.99"), QStringLiteral("$99,999,999.99")};
    const QFontMetrics metrics(m_results->font());
    const QFontMetrics headings(m_resultsModel->headerData(0, Qt::Horizontal, Qt::FontRole).value<QFont>());
    int width = 2 * m_results->frameWidth();
    for (int c = 0; c < m_resultsModel->columnCount(); ++c) {
        int needed = headings.horizontalAdvance(m_resultsModel->headerData(c, Qt::Horizontal).toString());
        if (c > 0)
            needed = std::max(needed, metrics.horizontalAdvance(widest[size_t(c - 1)]));
        for (int r = 0; r < m_resultsModel->rowCount(); ++r)
            needed = std::max(needed, metrics.horizontalAdvance(m_resultsModel->index(r, c).data().toString()));
        m_results->setColumnWidth(c, needed + 16);
        width += m_results->columnWidth(c);
    }
    const int rowHeight = metrics.height() + 8;
    m_results->verticalHeader()->setDefaultSectionSize(rowHeight);
    m_results->setFixedSize(width,
                            m_results->horizontalHeader()->sizeHint().height() + rowHeight * m_resultsModel->rowCount()
                                + 2 * m_results->frameWidth());
}

ScenarioLayout frmScenario::printLayout() const
{
    ScenarioLayout layout;
    layout.font = font();
    layout.titleFont = m_lblTitle->font();
    layout.titleHeight = ui::twipsFromPixels(m_lblTitle->height());
    // The table prints as it shows: its headings above the columns, each frequency beside its row of figures.
    const QPoint origin = m_results->viewport()->mapTo(m_frame, QPoint(0, 0));
    auto place = [&](const QRect &pixels) {
        return QRect(ui::twipsFromPixels(origin.x() + pixels.x()), ui::twipsFromPixels(origin.y() + pixels.y()),
                     ui::twipsFromPixels(pixels.width()), ui::twipsFromPixels(pixels.height()));
    };
    const QHeaderView *header = m_results->horizontalHeader();
    const QFont headingFont = m_resultsModel->headerData(0, Qt::Horizontal, Qt::FontRole).value<QFont>();
    for (int c = 0; c < m_resultsModel->columnCount(); ++c) {
        const QRect box(header->sectionViewportPosition(c), -header->height(), header->sectionSize(c),
                        header->height());
        layout.texts << PrintedText {m_resultsModel->headerData(c, Qt::Horizontal).toString(),
                                     {place(box), headingFont, ScenarioTableModel::alignment(c), false}};
    }
    for (int row = 0; row < engine::kScenarioRows; ++row) {
        const QModelIndex caption = m_resultsModel->index(row, 0);
        layout.texts << PrintedText {
            caption.data().toString(),
            {place(m_results->visualRect(caption)), font(), ScenarioTableModel::alignment(0), false}};
        for (int column = 0; column < engine::kScenarioColumns; ++column) {
            const int at = ScenarioTableModel::column(column);
            layout.cells[size_t(row)][size_t(column)] = {place(m_results->visualRect(m_resultsModel->index(row, at))),
                                                         m_results->font(), ScenarioTableModel::alignment(at), true};
        }
    }
    for (const QWidget *widget : m_frame->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(m_frame) || m_results->isAncestorOf(widget))
            continue;
        PrintedText item;
        if (const auto *label = qobject_cast<const QLabel *>(widget)) {
            item.text = plainCaption(label->text());
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

QString frmScenario::selectedResults() const
{
    const QModelIndexList chosen = m_results->selectionModel()->selectedIndexes();
    if (chosen.isEmpty())
        return {};
    int top = INT_MAX, left = INT_MAX, bottom = -1, right = -1;
    for (const QModelIndex &index : chosen) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    QStringList lines;
    for (int r = top; r <= bottom; ++r) {
        QStringList cells;
        for (int c = left; c <= right; ++c)
            cells << m_resultsModel->index(r, c).data().toString();
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

void frmScenario::copyResults()
{
    const QString text = selectedResults();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void frmScenario::mnuEditCopy_Click()
{
    if (m_results->hasFocus()) {
        copyResults();
        return;
    }
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
        else if (watched == m_results)
            m_activeField = nullptr;
    }
    if (watched == m_results && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        copyResults();
        return true;
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
