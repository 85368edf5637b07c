#include "frmWizard.h"

#include "MainWindow.h"
#include "NumberFieldValidator.h"
#include "SettingsKeys.h"
#include "SettingsStore.h"
#include "frmChild.h"

#include "engine/Arithmetic.h"
#include "engine/ArithmeticError.h"
#include "engine/Calendar.h"
#include "engine/Codes.h"
#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>
#include <cmath>

namespace app {

namespace {

using engine::Date;
using engine::kNoDate;

// List position -> code. The mortgage list runs from the least to the most frequent compounding.
constexpr std::array<int, 4> kMortgageCompoundingCodes = {2, 0, 3, 1};
constexpr std::array<int, 7> kFrequencyCodes = {
    engine::kAnnually, engine::kMonthly,           engine::kSemiMonthly, engine::kBiWeeklyAccelerated,
    engine::kBiWeekly, engine::kWeeklyAccelerated, engine::kWeekly};
constexpr int kPersonalCompoundingCode = 0;

const QString kDateTip = QStringLiteral("tip: Use the Arrow keys to change the date");
const QString kStartDateMessage = QStringLiteral("Start Date must be less than First Payment Due");

const QDate kEpoch(1899, 12, 30);

QDate toQDate(Date date)
{
    return kEpoch.addDays(date);
}

Date toSerial(const QDate &date)
{
    return Date(kEpoch.daysTo(date));
}

bool weeklyOrBiWeekly(int frequency)
{
    return frequency >= engine::kBiWeeklyAccelerated && frequency <= engine::kWeekly;
}

// The program's date pattern as a date picker's display format: the month, day and year runs keep their
// meaning, and anything else is shown literally.
QString pickerFormat(const QString &pattern)
{
    QString format;
    QString literal;
    auto flush = [&] {
        if (literal.isEmpty())
            return;
        format +=
            QLatin1Char('\'') + QString(literal).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
        literal.clear();
    };
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern.at(i + run) == c)
            ++run;
        if (c == QLatin1Char('M')) {
            flush();
            format += run == 1 ? QStringLiteral("M") : run == 2 ? QStringLiteral("MM") : QStringLiteral("MMM");
        } else if (c == QLatin1Char('d')) {
            flush();
            format += run == 1 ? QStringLiteral("d") : QStringLiteral("dd");
        } else if (c == QLatin1Char('y')) {
            flush();
            format += QStringLiteral("yyyy");
        } else {
            literal += QString(run, c);
        }
        i += run;
    }
    flush();
    return format.isEmpty() ? QStringLiteral("M/d/yyyy") : format;
}

// The premium of the mortgage insurance, in percent, for a down payment in percent.
double cmhcPremium(double downPaymentPercent)
{
    if (downPaymentPercent < 10)
        return 3.75;
    if (downPaymentPercent < 15)
        return 2.5;
    if (downPaymentPercent < 20)
        return 2;
    if (downPaymentPercent < 25)
        return 1.25;
    if (downPaymentPercent < 35)
        return 0.75;
    if (downPaymentPercent < 100)
        return 0.5;
    return 0;
}

QString plural(int count, const char *singular, const char *many)
{
    return QString::number(count) + QLatin1Char(' ') + QLatin1String(count == 1 ? singular : many);
}

// A term in whole years and months ("21 Years 6 Months").
QString yearsAndMonths(double years)
{
    int whole = int(std::floor(years));
    int months = int(std::lround((years - whole) * 12));
    if (months == 12) {
        ++whole;
        months = 0;
    }
    QStringList parts;
    if (whole != 0)
        parts << plural(whole, "Year", "Years");
    if (months != 0 || whole == 0)
        parts << plural(months, "Month", "Months");
    return parts.join(QLatin1Char(' '));
}

// A small pocket calculator for the buttons that choose the calculated field.
// A field the wizard fills and the user does not type in: shown on the dialog's own background, as read-only
// fields are, so that nobody tries.
void showAsReadOnly(QLineEdit *field)
{
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    QPalette look = field->palette();
    look.setColor(QPalette::Base, look.color(QPalette::Window));
    field->setPalette(look);
}

QIcon calculatorIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x3c, 0x46, 0x50), 1.5));
    painter.setBrush(QColor(0x6b, 0x7b, 0x8c));
    painter.drawRoundedRect(QRectF(6.5, 2.5, 19, 27), 3, 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xd9, 0xf2, 0xd0));
    painter.drawRect(QRectF(9, 5, 14, 6));
    painter.setBrush(QColor(0xf4, 0xf4, 0xf4));
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            painter.drawRect(QRectF(9 + column * 5, 14 + row * 5, 3.5, 3.5));
    }
    return QIcon(pixmap);
}

QString calculatedFieldName(frmWizard::CalculatedField field)
{
    switch (field) {
    case frmWizard::CalculatedField::LoanAmount:
        return QStringLiteral("Loan Amount");
    case frmWizard::CalculatedField::InterestRate:
        return QStringLiteral("Interest Rate");
    case frmWizard::CalculatedField::Amortization:
        return QStringLiteral("Amortization");
    case frmWizard::CalculatedField::BasicPayment:
        break;
    }
    return QStringLiteral("Basic Payments");
}

const std::array<QString, 5> kCaptions = {QString(), QStringLiteral("Loan Data Wizard - Loan Type"),
                                          QStringLiteral("Loan Data Wizard - Optional Information"),
                                          QStringLiteral("Loan Data Wizard - Loan Data"),
                                          QStringLiteral("Loan Data Wizard - Term Information")};

} // namespace

int frmWizard::compoundingCode(int loanType, int listPosition)
{
    if (loanType == engine::kPersonalLoan)
        return listPosition == 0 ? kPersonalCompoundingCode : -1;
    if (listPosition < 0 || listPosition >= int(kMortgageCompoundingCodes.size()))
        return -1;
    return kMortgageCompoundingCodes[size_t(listPosition)];
}

int frmWizard::compoundingPosition(int loanType, int code)
{
    if (loanType == engine::kPersonalLoan)
        return code == kPersonalCompoundingCode ? 0 : -1;
    for (size_t i = 0; i < kMortgageCompoundingCodes.size(); ++i) {
        if (kMortgageCompoundingCodes[i] == code)
            return int(i);
    }
    return -1;
}

int frmWizard::frequencyCode(int listPosition)
{
    if (listPosition < 0 || listPosition >= int(kFrequencyCodes.size()))
        return -1;
    return kFrequencyCodes[size_t(listPosition)];
}

int frmWizard::frequencyPosition(int code)
{
    for (size_t i = 0; i < kFrequencyCodes.size(); ++i) {
        if (kFrequencyCodes[i] == code)
            return int(i);
    }
    return -1;
}

frmWizard::frmWizard(MainWindow &shell, frmChild &document, Clock today, QWidget *parent)
    : QDialog(parent)
    , m_shell(shell)
    , m_document(document)
    , m_format(shell.numberFormat())
    , m_today(today ? std::move(today) : Clock([] { return QDate::currentDate(); }))
    , m_propertiesMode(shell.state().gblnPropertiesMode)
{
    setObjectName(QStringLiteral("frmWizard"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_banner = new QLabel(this);
    QFont bannerFont = m_banner->font();
    bannerFont.setBold(true);
    bannerFont.setPointSizeF(bannerFont.pointSizeF() * 1.25);
    m_banner->setFont(bannerFont);
    m_banner->setContentsMargins(14, 10, 14, 10);
    m_banner->setAutoFillBackground(true);
    m_banner->setBackgroundRole(QPalette::Base);
    auto *bannerLine = new QFrame(this);
    bannerLine->setFrameShape(QFrame::HLine);
    bannerLine->setFrameShadow(QFrame::Sunken);

    m_pages = new QStackedWidget(this);
    buildLoanTypePage();
    buildOptionalPage();
    buildLoanDataPage();
    buildTermPage();

    auto *buttonLine = new QFrame(this);
    buttonLine->setFrameShape(QFrame::HLine);
    buttonLine->setFrameShadow(QFrame::Sunken);
    m_cmdBack = new QPushButton(QStringLiteral("< &Back"), this);
    m_cmdNext = new QPushButton(QStringLiteral("&Next >"), this);
    m_cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cmdBack->setObjectName(QStringLiteral("cmdBack"));
    m_cmdNext->setObjectName(QStringLiteral("cmdNext"));
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdNext->setDefault(true);
    // Wide enough for either caption, so the buttons keep their places when Next becomes Finish.
    const int buttonWidth = std::max(m_cmdNext->sizeHint().width(), m_cmdBack->sizeHint().width()) + 8;
    for (QPushButton *button : {m_cmdBack, m_cmdNext, m_cmdCancel})
        button->setMinimumWidth(buttonWidth);
    connect(m_cmdBack, &QPushButton::clicked, this, &frmWizard::cmdBack_Click);
    connect(m_cmdNext, &QPushButton::clicked, this, &frmWizard::cmdNext_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmWizard::cmdCancel_Click);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 8, 12, 12);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdBack);
    buttons->addWidget(m_cmdNext);
    buttons->addSpacing(10);
    buttons->addWidget(m_cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_banner);
    layout->addWidget(bannerLine);
    layout->addWidget(m_pages, 1);
    layout->addWidget(buttonLine);
    layout->addLayout(buttons);

    {
        const QScopedValueRollback guard(m_updating, m_updating + 1);
        m_chkSkipOptional->setChecked(m_shell.settings().intValue(kSettingsSection, kStep2, 0) != 0);
        m_chkToolTip->setChecked(m_shell.settings().intValue(kSettingsSection, kToolTip, 1) != 0);
        if (m_propertiesMode)
            loadDocument();
        else
            loadNewDocument();
        setCalculatedField(CalculatedField::BasicPayment);
    }
    // Opening is not an edit: what the loading set does not count as a change.
    m_titleChanged = m_loanDataChanged = m_amountBorrowedChanged = m_compoundingChanged = m_loanInputsChanged = false;
    applyToolTips();
    showStep(StepLoanType);
    // Every page gets the size of the largest, so the dialog does not jump from step to step.
    setFixedSize(sizeHint().expandedTo(QSize(500, 0)));
}

frmWizard::~frmWizard() = default;

// ---------------------------------------------------------------------------------------------------------------
// Building the pages

QLabel *frmWizard::addRow(QGridLayout *grid, int row, const QString &label, QWidget *field, int span)
{
    auto *caption = new QLabel(label);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caption->setBuddy(field);
    grid->addWidget(caption, row, 0);
    grid->addWidget(field, row, 1, 1, span);
    m_labels.insert(field, caption);
    return caption;
}

QLineEdit *frmWizard::numberField(double maximum, int decimals)
{
    auto *field = new QLineEdit;
    const QString separator = QString::fromStdString(m_format.decimalSeparator);
    field->setValidator(
        new NumberFieldValidator(maximum, decimals, separator.isEmpty() ? QLatin1Char('.') : separator.at(0), field));
    field->setAlignment(Qt::AlignRight);
    const int width = field->fontMetrics().horizontalAdvance(QStringLiteral("9999999999.999")) + 16;
    field->setFixedWidth(width);
    return field;
}

QDateEdit *frmWizard::dateField()
{
    auto *field = new QDateEdit;
    field->setCalendarPopup(true);
    field->setDisplayFormat(pickerFormat(m_shell.state().gstrDateFormat));
    field->setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
    // A typed date counts once it is complete, not at every keystroke.
    field->setKeyboardTracking(false);
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("Sep/30/2000")) + 48);
    setTip(field, kDateTip);
    return field;
}

void frmWizard::setTip(QWidget *control, const QString &tip)
{
    m_toolTips.insert(control, tip);
}

void frmWizard::applyToolTips()
{
    const bool on = m_chkToolTip->isChecked();
    for (auto it = m_toolTips.cbegin(); it != m_toolTips.cend(); ++it)
        it.key()->setToolTip(on ? it.value() : QString());
}

QLabel *frmWizard::labelFor(const QWidget *control) const
{
    return m_labels.value(control, nullptr);
}

void frmWizard::buildLoanTypePage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);

    m_optPersonalLoan = new QRadioButton(QStringLiteral("Personal Loan"));
    m_optMortgageLoan = new QRadioButton(QStringLiteral("Mortgage Loan"));
    m_optPersonalLoan->setObjectName(QStringLiteral("optPersonalLoan"));
    m_optMortgageLoan->setObjectName(QStringLiteral("optMortgageLoan"));
    auto *types = new QButtonGroup(page);
    types->addButton(m_optPersonalLoan);
    types->addButton(m_optMortgageLoan);
    auto *typeBox = new QVBoxLayout;
    typeBox->setSpacing(4);
    typeBox->addWidget(m_optPersonalLoan);
    typeBox->addWidget(m_optMortgageLoan);
    auto *typeLabel = new QLabel(QStringLiteral("Loan Type:"));
    typeLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    typeLabel->setContentsMargins(0, 2, 0, 0);
    grid->addWidget(typeLabel, 0, 0);
    grid->addLayout(typeBox, 0, 1);
    m_labels.insert(m_optPersonalLoan, typeLabel);
    m_labels.insert(m_optMortgageLoan, typeLabel);

    m_cboCompounding = new QComboBox;
    m_cboCompounding->setObjectName(QStringLiteral("cboCompounding"));
    m_cboCompounding->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_cboCompounding->setMinimumContentsLength(24);
    addRow(grid, 1, QStringLiteral("Interest Compounded:"), m_cboCompounding);
    grid->setColumnStretch(2, 1);

    auto *tip = new QLabel(QStringLiteral("Tip: Mortgages in Canada are calculated on a\n"
                                          "semi-annual base while in the U.S., interests are\n"
                                          "compounded each month."));
    tip->setObjectName(QStringLiteral("lblTip"));
    tip->setFrameShape(QFrame::StyledPanel);
    tip->setContentsMargins(8, 6, 8, 6);

    m_chkSkipOptional = new QCheckBox(QStringLiteral("Skip Optional Information"));
    m_chkToolTip = new QCheckBox(QStringLiteral("Tool Tip"));
    m_chkSkipOptional->setObjectName(QStringLiteral("chkSkipOptional"));
    m_chkToolTip->setObjectName(QStringLiteral("chkToolTip"));
    auto *checks = new QHBoxLayout;
    checks->addWidget(m_chkSkipOptional);
    checks->addSpacing(16);
    checks->addWidget(m_chkToolTip);
    checks->addStretch(1);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 18, 24, 12);
    layout->addLayout(grid);
    layout->addSpacing(14);
    layout->addWidget(tip, 0, Qt::AlignLeft);
    layout->addStretch(1);
    layout->addLayout(checks);
    m_pages->addWidget(page);

    connect(m_optPersonalLoan, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optPersonalLoan_Click();
    });
    connect(m_optMortgageLoan, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optMortgageLoan_Click();
    });
    connect(m_cboCompounding, &QComboBox::currentIndexChanged, this, &frmWizard::cboCompounding_Click);
    connect(m_chkSkipOptional, &QCheckBox::toggled, this, &frmWizard::chkSkipOptional_Click);
    connect(m_chkToolTip, &QCheckBox::toggled, this, &frmWizard::chkToolTip_Click);
}

void frmWizard::buildOptionalPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);

    m_txtTitle = new QLineEdit;
    m_txtTitle->setObjectName(QStringLiteral("txtTitle"));
    setTip(m_txtTitle, QStringLiteral("Enter the Title of your Document Here"));
    addRow(grid, 0, QStringLiteral("Title:"), m_txtTitle, 4);

    m_txtComments = new QPlainTextEdit;
    m_txtComments->setObjectName(QStringLiteral("txtComments"));
    m_txtComments->setTabChangesFocus(true);
    m_txtComments->setFixedHeight(m_txtComments->fontMetrics().lineSpacing() * 3 + 14);
    setTip(m_txtComments, QStringLiteral("Enter Additional Information Here"));
    addRow(grid, 1, QStringLiteral("Comments:"), m_txtComments, 4)->setAlignment(Qt::AlignRight | Qt::AlignTop);

    m_txtPurchasePrice = numberField(kMaxWholeAmount, 2);
    m_txtPurchasePrice->setObjectName(QStringLiteral("txtPurchasePrice"));
    addRow(grid, 2, QStringLiteral("Purchase Price:"), m_txtPurchasePrice);

    m_txtDownPaymentPercent = numberField(kMaxPercent, 4);
    m_txtDownPaymentPercent->setObjectName(QStringLiteral("txtDownPaymentPercent"));
    m_txtDownPaymentPercent->setFixedWidth(m_txtDownPaymentPercent->width() * 6 / 10);
    setTip(m_txtDownPaymentPercent, QStringLiteral("Down Payment in Percent"));
    m_txtDownPaymentDollars = numberField(kMaxWholeAmount, 2);
    m_txtDownPaymentDollars->setObjectName(QStringLiteral("txtDownPaymentDollars"));
    setTip(m_txtDownPaymentDollars, QStringLiteral("Down Payment in Dollar Amount"));
    auto *downPayment = new QWidget;
    auto *downLayout = new QHBoxLayout(downPayment);
    downLayout->setContentsMargins(0, 0, 0, 0);
    downLayout->addWidget(m_txtDownPaymentPercent);
    downLayout->addWidget(new QLabel(QStringLiteral("%")));
    downLayout->addSpacing(10);
    downLayout->addWidget(m_txtDownPaymentDollars);
    QString currency = QString::fromStdString(m_format.currencyPrefix).trimmed();
    if (currency.isEmpty())
        currency = QString::fromStdString(m_format.currencySuffix).trimmed();
    downLayout->addWidget(new QLabel(currency));
    downLayout->addStretch(1);
    addRow(grid, 3, QStringLiteral("Down Payment:"), downPayment, 4);
    m_labels.insert(m_txtDownPaymentPercent, labelFor(downPayment));
    m_labels.insert(m_txtDownPaymentDollars, labelFor(downPayment));

    m_txtCMHC = numberField(kMaxPercent, 4);
    m_txtCMHC->setObjectName(QStringLiteral("txtCMHC"));
    m_txtCMHC->setFixedWidth(m_txtDownPaymentPercent->width());
    setTip(m_txtCMHC, QStringLiteral("Canada Mortgage and Housing Corporation"));
    auto *premium = new QWidget;
    auto *premiumLayout = new QHBoxLayout(premium);
    premiumLayout->setContentsMargins(0, 0, 0, 0);
    premiumLayout->addWidget(m_txtCMHC);
    premiumLayout->addWidget(new QLabel(QStringLiteral("%")));
    premiumLayout->addStretch(1);
    addRow(grid, 4, QStringLiteral("CMHC Premium:"), premium, 4);
    m_labels.insert(m_txtCMHC, labelFor(premium));

    m_txtAmountBorrowed = numberField(kMaxWholeAmount, 2);
    m_txtAmountBorrowed->setObjectName(QStringLiteral("txtAmountBorrowed"));
    addRow(grid, 5, QStringLiteral("Amount Borrowed:"), m_txtAmountBorrowed);
    grid->setColumnStretch(4, 1);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 18, 24, 12);
    layout->addLayout(grid);
    layout->addStretch(1);
    m_pages->addWidget(page);

    connect(m_txtTitle, &QLineEdit::textChanged, this, &frmWizard::txtTitle_Change);
    connect(m_txtComments, &QPlainTextEdit::textChanged, this, &frmWizard::txtComments_Change);
    connect(m_txtPurchasePrice, &QLineEdit::textChanged, this, &frmWizard::txtPurchasePrice_Change);
    connect(m_txtDownPaymentPercent, &QLineEdit::textChanged, this, &frmWizard::txtDownPaymentPercent_Change);
    connect(m_txtDownPaymentDollars, &QLineEdit::textChanged, this, &frmWizard::txtDownPaymentDollars_Change);
    connect(m_txtCMHC, &QLineEdit::textChanged, this, &frmWizard::txtCMHC_Change);
    connect(m_txtAmountBorrowed, &QLineEdit::textChanged, this, &frmWizard::txtAmountBorrowed_Change);
}

void frmWizard::buildLoanDataPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);

    m_calculators = new QButtonGroup(page);
    m_calculators->setExclusive(true);
    const QIcon icon = calculatorIcon();
    auto calculator = [&](CalculatedField field, const QString &name, const QString &tip) {
        auto *button = new QToolButton;
        button->setObjectName(name);
        button->setIcon(icon);
        button->setIconSize(QSize(18, 18));
        button->setCheckable(true);
        button->setAutoRaise(false);
        setTip(button, tip);
        m_calculators->addButton(button, int(field));
        return button;
    };
    auto withUnit = [](QWidget *field, QWidget *unit) {
        auto *box = new QWidget;
        auto *row = new QHBoxLayout(box);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(field);
        if (unit)
            row->addWidget(unit);
        row->addStretch(1);
        return box;
    };

    m_txtLoanAmount = numberField(kMaxAmount, 2);
    m_txtLoanAmount->setObjectName(QStringLiteral("txtLoanAmount"));
    addRow(grid, 0, QStringLiteral("Loan Amount:"), m_txtLoanAmount);
    grid->addWidget(calculator(CalculatedField::LoanAmount, QStringLiteral("cmdCalcLoanAmount"),
                               QStringLiteral("Calculate Loan Amount")),
                    0, 3);

    m_txtAnnualRate = numberField(kMaxPercent, 5);
    m_txtAnnualRate->setObjectName(QStringLiteral("txtAnnualRate"));
    addRow(grid, 1, QStringLiteral("Interest Rate:"), m_txtAnnualRate);
    grid->addWidget(new QLabel(QStringLiteral("%")), 1, 2);
    grid->addWidget(calculator(CalculatedField::InterestRate, QStringLiteral("cmdCalcInterestRate"),
                               QStringLiteral("Calculate Interest Rate")),
                    1, 3);

    m_txtPeriodicRate = new QLineEdit;
    m_txtPeriodicRate->setObjectName(QStringLiteral("txtPeriodicRate"));
    showAsReadOnly(m_txtPeriodicRate);
    m_txtPeriodicRate->setAlignment(Qt::AlignRight);
    m_txtPeriodicRate->setFixedWidth(m_txtLoanAmount->width());
    addRow(grid, 2, QStringLiteral("Periodic Rate:"), m_txtPeriodicRate);

    m_txtAmortization = numberField(kMaxAmortization, 4);
    m_txtAmortization->setObjectName(QStringLiteral("txtAmortization"));
    m_cboAmortUnit = new QComboBox;
    m_cboAmortUnit->setObjectName(QStringLiteral("cboAmortUnit"));
    m_cboAmortUnit->addItems({QStringLiteral("Years"), QStringLiteral("Months")});
    addRow(grid, 3, QStringLiteral("Amortization:"), m_txtAmortization);
    grid->addWidget(m_cboAmortUnit, 3, 2);
    grid->addWidget(calculator(CalculatedField::Amortization, QStringLiteral("cmdCalcAmortization"),
                               QStringLiteral("Calculate Amortization")),
                    3, 3);

    m_cboFrequency = new QComboBox;
    m_cboFrequency->setObjectName(QStringLiteral("cboFrequency"));
    for (int code : kFrequencyCodes)
        m_cboFrequency->addItem(QString::fromStdString(engine::frequencyListText(code)));
    addRow(grid, 4, QStringLiteral("Frequency of Installment:"), withUnit(m_cboFrequency, nullptr), 3);
    m_labels.insert(m_cboFrequency, labelFor(m_cboFrequency->parentWidget()));

    m_txtBasicPayment = numberField(kMaxAmount, 2);
    m_txtBasicPayment->setObjectName(QStringLiteral("txtBasicPayment"));
    addRow(grid, 5, QStringLiteral("Basic Payments:"), m_txtBasicPayment);
    grid->addWidget(calculator(CalculatedField::BasicPayment, QStringLiteral("cmdCalcBasicPayment"),
                               QStringLiteral("Calculate Basic Payment")),
                    5, 3);

    m_cboPeriodsPerYear = new QComboBox;
    m_cboPeriodsPerYear->setObjectName(QStringLiteral("cboPeriodsPerYear"));
    m_cboPeriodsPerYear->addItems(
        {QStringLiteral("52.18 Weeks"), QStringLiteral("52.14 Weeks"), QStringLiteral("52 Weeks")});
    addRow(grid, 6, QStringLiteral("Periods per Year:"), withUnit(m_cboPeriodsPerYear, nullptr), 3);
    m_labels.insert(m_cboPeriodsPerYear, labelFor(m_cboPeriodsPerYear->parentWidget()));

    m_lblCalculatedField = new QLabel;
    m_lblCalculatedField->setObjectName(QStringLiteral("lblCalculatedField"));
    QFont bold = m_lblCalculatedField->font();
    bold.setBold(true);
    m_lblCalculatedField->setFont(bold);
    auto *marker = new QLabel;
    marker->setPixmap(icon.pixmap(16, 16));
    auto *calculated = new QWidget;
    auto *calculatedRow = new QHBoxLayout(calculated);
    calculatedRow->setContentsMargins(0, 0, 0, 0);
    calculatedRow->addWidget(marker);
    calculatedRow->addWidget(m_lblCalculatedField);
    calculatedRow->addStretch(1);
    addRow(grid, 7, QStringLiteral("Calculated field:"), calculated, 3);
    grid->setColumnStretch(4, 1);
    grid->setRowMinimumHeight(7, m_txtLoanAmount->sizeHint().height());

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 18, 24, 12);
    layout->addLayout(grid);
    layout->addStretch(1);
    m_pages->addWidget(page);

    // Tab goes from field to field, then to the calculator buttons: in the order of the grid, a button would sit
    // between two fields and swallow what was meant for the next one.
    QList<QWidget *> chain = {m_txtLoanAmount, m_txtAnnualRate,   m_txtAmortization,  m_cboAmortUnit,
                              m_cboFrequency,  m_txtBasicPayment, m_cboPeriodsPerYear};
    for (CalculatedField field : {CalculatedField::LoanAmount, CalculatedField::InterestRate,
                                  CalculatedField::Amortization, CalculatedField::BasicPayment})
        chain << cmdCalculate(field);
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    connect(m_txtLoanAmount, &QLineEdit::textChanged, this, &frmWizard::txtLoanAmount_Change);
    connect(m_txtAnnualRate, &QLineEdit::textChanged, this, &frmWizard::txtAnnualRate_Change);
    connect(m_txtAmortization, &QLineEdit::textChanged, this, &frmWizard::txtAmortization_Change);
    connect(m_cboAmortUnit, &QComboBox::currentIndexChanged, this, &frmWizard::cboAmortUnit_Click);
    connect(m_cboFrequency, &QComboBox::currentIndexChanged, this, &frmWizard::cboFrequency_Click);
    connect(m_txtBasicPayment, &QLineEdit::textChanged, this, &frmWizard::txtBasicPayment_Change);
    connect(m_cboPeriodsPerYear, &QComboBox::currentIndexChanged, this, &frmWizard::cboPeriodsPerYear_Click);
    connect(cmdCalculate(CalculatedField::LoanAmount), &QToolButton::clicked, this,
            &frmWizard::cmdCalcLoanAmount_Click);
    connect(cmdCalculate(CalculatedField::InterestRate), &QToolButton::clicked, this,
            &frmWizard::cmdCalcInterestRate_Click);
    connect(cmdCalculate(CalculatedField::Amortization), &QToolButton::clicked, this,
            &frmWizard::cmdCalcAmortization_Click);
    connect(cmdCalculate(CalculatedField::BasicPayment), &QToolButton::clicked, this,
            &frmWizard::cmdCalcBasicPayment_Click);
}

void frmWizard::buildTermPage()
{
    auto *page = new QWidget;

    auto *options = new QGroupBox(QStringLiteral("Date Selection Options"));
    m_optAmountBorrowedOnDate = new QRadioButton(QStringLiteral("Amount Borrowed on selected Date"));
    m_optFirstPaymentOnDate = new QRadioButton(QStringLiteral("First Payment on Selected Date"));
    m_optAmountBorrowedOnDate->setObjectName(QStringLiteral("optAmountBorrowedOnDate"));
    m_optFirstPaymentOnDate->setObjectName(QStringLiteral("optFirstPaymentOnDate"));
    auto *optionsLayout = new QVBoxLayout(options);
    optionsLayout->setSpacing(4);
    optionsLayout->addWidget(m_optAmountBorrowedOnDate);
    optionsLayout->addWidget(m_optFirstPaymentOnDate);

    m_datesGrid = new QGridLayout;
    m_datesGrid->setHorizontalSpacing(12);
    m_datesGrid->setVerticalSpacing(8);
    m_dtpStartDate = dateField();
    m_dtpStartDate->setObjectName(QStringLiteral("dtpStartDate"));
    m_dtpFirstPaymentDue = dateField();
    m_dtpFirstPaymentDue->setObjectName(QStringLiteral("dtpFirstPaymentDue"));
    m_lblStartDate = new QLabel(QStringLiteral("Amount Borrowed on:"));
    m_lblFirstPaymentDue = new QLabel(QStringLiteral("First Payment due on:"));
    for (QLabel *label : {m_lblStartDate, m_lblFirstPaymentDue})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblStartDate->setBuddy(m_dtpStartDate);
    m_lblFirstPaymentDue->setBuddy(m_dtpFirstPaymentDue);
    m_labels.insert(m_dtpStartDate, m_lblStartDate);
    m_labels.insert(m_dtpFirstPaymentDue, m_lblFirstPaymentDue);
    m_datesGrid->setColumnStretch(2, 1);

    auto *term = new QGroupBox(QStringLiteral("Term:"));
    auto *termGrid = new QGridLayout(term);
    termGrid->setHorizontalSpacing(12);
    termGrid->setVerticalSpacing(8);
    auto readOnly = [&](const char *name) {
        auto *field = new QLineEdit;
        field->setObjectName(QLatin1String(name));
        showAsReadOnly(field);
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("9999 Years 11 Months")) + 16);
        return field;
    };
    m_txtTermYearsMonths = readOnly("txtTermYearsMonths");
    m_txtTermMonths = readOnly("txtTermMonths");
    m_txtNumberOfPeriods = numberField(kMaxPeriods, 0);
    m_txtNumberOfPeriods->setObjectName(QStringLiteral("txtNumberOfPeriods"));
    m_txtLastPaymentDue = readOnly("txtLastPaymentDue");
    addRow(termGrid, 0, QStringLiteral("Term Length:"), m_txtTermYearsMonths);
    addRow(termGrid, 1, QStringLiteral("Term Length:"), m_txtTermMonths);
    addRow(termGrid, 2, QStringLiteral("Number of Periods:"), m_txtNumberOfPeriods);
    addRow(termGrid, 3, QStringLiteral("Last Payment Due:"), m_txtLastPaymentDue);
    termGrid->setColumnStretch(2, 1);
    // The date labels line up with the term's labels inside their frame.
    int labelWidth = 0;
    for (QLabel *label : term->findChildren<QLabel *>())
        labelWidth = std::max(labelWidth, label->sizeHint().width());
    for (QLabel *label : {m_lblStartDate, m_lblFirstPaymentDue})
        labelWidth =
            std::max(labelWidth, label->fontMetrics().horizontalAdvance(QStringLiteral("First Payment due on:")));
    termGrid->setColumnMinimumWidth(0, labelWidth);
    m_datesGrid->setColumnMinimumWidth(0, labelWidth);
    const int inset = termGrid->contentsMargins().left() + term->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    m_datesGrid->setContentsMargins(inset, 0, 0, 0);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 14, 24, 12);
    layout->addWidget(options);
    layout->addSpacing(6);
    layout->addLayout(m_datesGrid);
    layout->addSpacing(6);
    layout->addWidget(term);
    layout->addStretch(1);
    m_pages->addWidget(page);

    connect(m_optAmountBorrowedOnDate, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optAmountBorrowedOnDate_Click();
    });
    connect(m_optFirstPaymentOnDate, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optFirstPaymentOnDate_Click();
    });
    connect(m_dtpStartDate, &QDateEdit::dateChanged, this, &frmWizard::dtpStartDate_Change);
    connect(m_dtpFirstPaymentDue, &QDateEdit::dateChanged, this, &frmWizard::dtpFirstPaymentDue_Change);
    connect(m_txtNumberOfPeriods, &QLineEdit::textChanged, this, &frmWizard::txtNumberOfPeriods_Change);
}

QToolButton *frmWizard::cmdCalculate(CalculatedField field) const
{
    return qobject_cast<QToolButton *>(m_calculators->button(int(field)));
}

// ---------------------------------------------------------------------------------------------------------------
// Fields and values

std::optional<double> frmWizard::value(const QLineEdit *field) const
{
    const QString text = field->text().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const auto number = m_format.parseNumber(text.toStdString());
    if (!number || !std::isfinite(*number) || *number < 0)
        return std::nullopt;
    return number;
}

bool frmWizard::filled(const QLineEdit *field) const
{
    return value(field).has_value();
}

void frmWizard::setFieldText(QLineEdit *field, const QString &text)
{
    if (field->text() == text)
        return;
    const QScopedValueRollback guard(m_updating, m_updating + 1);
    field->setText(text);
    field->setCursorPosition(0);
}

void frmWizard::setMoney(QLineEdit *field, std::optional<double> amount)
{
    setFieldText(field, amount ? QString::fromStdString(m_format.fixed(*amount, 2)) : QString());
}

void frmWizard::setNumber(QLineEdit *field, std::optional<double> number, int decimals)
{
    if (!number) {
        setFieldText(field, QString());
        return;
    }
    QString text = QString::fromStdString(m_format.fixed(*number, decimals));
    const QString separator = QString::fromStdString(m_format.decimalSeparator);
    // Only the decimals that matter: 3.75, not 3.7500.
    if (decimals > 0 && text.contains(separator)) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(separator))
            text.chop(separator.size());
    }
    setFieldText(field, text);
}

// ---------------------------------------------------------------------------------------------------------------
// Opening

void frmWizard::loadNewDocument()
{
    SettingsStore &settings = m_shell.settings();
    m_compounding = settings.intValue(kSettingsSection, kInterestCompound, 0);
    m_startPayment = settings.intValue(kSettingsSection, kStartPayment, 0) != 0 ? 1 : 0;
    setLoanType(engine::kMortgageLoan);
    m_cboAmortUnit->setCurrentIndex(engine::kYears);
    m_frequency = engine::kMonthly;
    m_cboFrequency->setCurrentIndex(frequencyPosition(m_frequency));
    m_cboPeriodsPerYear->setCurrentIndex(1);
    m_cboPeriodsPerYear->setEnabled(false);

    // The first payment falls today; the loan starts one installment period earlier.
    const Date today = toSerial(m_today());
    Date start = today;
    try {
        start = engine::nthPaymentDate(today, m_frequency, 0, 0);
    } catch (const engine::ArithmeticError &) { }
    setDates(start, today);
    m_previousStartDate = start;
    setStartPayment(m_startPayment, true);
}

void frmWizard::loadDocument()
{
    const engine::LoanDocument &doc = m_document.loan();
    m_compounding = doc.gintCompounding;
    setLoanType(doc.gintLoanType == engine::kPersonalLoan ? engine::kPersonalLoan : engine::kMortgageLoan);
    m_txtTitle->setText(QString::fromStdString(doc.gstrTitle));
    m_txtComments->setPlainText(QString::fromStdString(doc.gstrComments));

    setMoney(m_txtPurchasePrice, doc.gvarPurchasePrice);
    m_downPaymentInPercent = doc.gintDownPaymentUnit != 0;
    if (m_downPaymentInPercent)
        setNumber(m_txtDownPaymentPercent, doc.gvarDownPayment, 4);
    else
        setMoney(m_txtDownPaymentDollars, doc.gvarDownPayment);
    deriveDownPayment();
    setNumber(m_txtCMHC, doc.gvarCMHC, 4);
    m_cmhcGiven = doc.gvarCMHC.has_value();
    setMoney(m_txtAmountBorrowed, doc.gvarAmountBorrowed);

    setMoney(m_txtLoanAmount, doc.gdblLoanAmount);
    m_frequency = frequencyPosition(doc.gintFreqOfInst) >= 0 ? doc.gintFreqOfInst : engine::kMonthly;
    m_cboFrequency->setCurrentIndex(frequencyPosition(m_frequency));
    // The list keeps the user's year length even while a frequency that has no use for it is chosen.
    const int index = weeklyOrBiWeekly(m_frequency) ? doc.gintPeriodsPerYearIndex : doc.gintPeriodsPerYearIndexTmp;
    m_cboPeriodsPerYear->setCurrentIndex(std::clamp(index, 0, 2));
    m_cboPeriodsPerYear->setEnabled(weeklyOrBiWeekly(m_frequency));
    setNumber(m_txtAnnualRate, doc.gdblAnnualRate * 100, 5);
    refreshPeriodicRate();
    m_cboAmortUnit->setCurrentIndex(doc.gintAmortUnit == engine::kMonths ? engine::kMonths : engine::kYears);
    setNumber(m_txtAmortization, doc.glngAmortization, 4);
    setMoney(m_txtBasicPayment, doc.gdblBasicPayment);

    m_startPayment = doc.gintStartPayment != 0 ? 1 : 0;
    Date anchor = doc.gdtmFirstPaymentDue;
    if (!engine::isValidSerial(anchor) || anchor <= 0)
        anchor = toSerial(m_today());
    Date start = doc.gdtmStartDate;
    Date first = anchor;
    try {
        if (m_startPayment != 0) {
            // The anchor is the day the money was lent; the first payment falls one period later.
            start = anchor;
            first = engine::nthPaymentDate(anchor, m_frequency, 1, 1);
        } else if (start <= 0 || start >= first) {
            // No usable start date: the natural one, an installment period before the first payment.
            start = engine::nthPaymentDate(first, m_frequency, 0, 0);
        }
    } catch (const engine::ArithmeticError &) { }
    setDates(start, first);
    m_previousStartDate = startDate();

    double periods = 0;
    try {
        periods = engine::toInt32(std::clamp(doc.mdblNperTerm, 0.0, kMaxPeriods));
    } catch (const engine::ArithmeticError &) { }
    setNumber(m_txtNumberOfPeriods, periods > 0 ? std::optional<double>(periods) : std::nullopt, 0);
    // The document's own dates stand: a start date between two periods is kept.
    setStartPayment(m_startPayment, false);
}

// ---------------------------------------------------------------------------------------------------------------
// Steps

void frmWizard::showStep(int step)
{
    m_step = step;
    m_pages->setCurrentIndex(step - 1);
    setWindowTitle(kCaptions[size_t(step)]);
    m_banner->setText(kCaptions[size_t(step)].section(QStringLiteral(" - "), 1));
    updateButtons();
    if (!isVisible())
        return;
    QWidget *first = nullptr;
    switch (step) {
    case StepLoanType:
        first = m_loanType == engine::kPersonalLoan ? m_optPersonalLoan : m_optMortgageLoan;
        break;
    case StepOptional:
        first = m_txtTitle;
        break;
    case StepLoanData:
        for (QLineEdit *field : {m_txtLoanAmount, m_txtAnnualRate, m_txtAmortization, m_txtBasicPayment}) {
            if (field->isEnabled()) {
                first = field;
                break;
            }
        }
        break;
    default:
        first = m_startPayment != 0 ? m_dtpStartDate : m_dtpFirstPaymentDue;
        break;
    }
    if (first)
        first->setFocus();
}

void frmWizard::updateButtons()
{
    m_cmdBack->setEnabled(m_step > StepLoanType);
    m_cmdNext->setText(m_step == StepTerm ? QStringLiteral("Finish") : QStringLiteral("&Next >"));
    bool next = true;
    if (m_step == StepLoanData) {
        next = filled(m_txtLoanAmount) && filled(m_txtAnnualRate) && filled(m_txtAmortization)
            && filled(m_txtBasicPayment);
    } else if (m_step == StepTerm) {
        // At least one payment, and a last payment the calendar can still date.
        const auto periods = value(m_txtNumberOfPeriods);
        next = periods && *periods >= 1 && m_lastPaymentDue != kNoDate;
    }
    m_cmdNext->setEnabled(next);
}

void frmWizard::cmdNext_Click()
{
    if (!m_cmdNext->isEnabled())
        return;
    switch (m_step) {
    case StepLoanType:
        if (m_chkSkipOptional->isChecked()) {
            enterLoanData();
            showStep(StepLoanData);
        } else {
            showStep(StepOptional);
        }
        break;
    case StepOptional:
        enterLoanData();
        showStep(StepLoanData);
        break;
    case StepLoanData:
        enterTerm();
        showStep(StepTerm);
        break;
    default:
        Finish();
        break;
    }
}

void frmWizard::cmdBack_Click()
{
    switch (m_step) {
    case StepOptional:
        showStep(StepLoanType);
        break;
    case StepLoanData:
        showStep(m_chkSkipOptional->isChecked() ? StepLoanType : StepOptional);
        break;
    case StepTerm:
        showStep(StepLoanData);
        break;
    default:
        break;
    }
}

void frmWizard::cmdCancel_Click()
{
    reject();
}

void frmWizard::reject()
{
    m_shell.state().gblnWizardCancelled = true;
    QDialog::reject();
}

void frmWizard::done(int result)
{
    removeLumpSumsOutsideTerm();
    QDialog::done(result);
}

// Entering the loan data. The amount borrowed and a changed compounding are carried over here whichever step
// came before, so that skipping the optional step does not leave a stale periodic rate behind.
void frmWizard::enterLoanData()
{
    bool changed = false;
    if (m_amountBorrowedChanged && filled(m_txtAmountBorrowed) && m_calculated != CalculatedField::LoanAmount) {
        // A calculated loan amount follows from the other three fields, so the amount borrowed does not replace it.
        const double borrowed = *value(m_txtAmountBorrowed);
        if (borrowed >= 0.01 && borrowed < kMaxAmount)
            setMoney(m_txtLoanAmount, borrowed);
        else
            setMoney(m_txtLoanAmount, std::nullopt);
        m_loanInputsChanged = true;
        changed = true;
    }
    if (m_compoundingChanged) {
        refreshPeriodicRate();
        recomputeBasicPayment();
        changed = true;
    }
    m_amountBorrowedChanged = false;
    m_compoundingChanged = false;
    refreshPeriodicRate();
    if (changed)
        recalculate();
}

void frmWizard::enterTerm()
{
    if (m_loanInputsChanged) {
        // The whole number of periods that covers the amortization, so that the last payment clears the loan.
        std::optional<double> periods;
        try {
            if (const auto length = value(m_txtAmortization)) {
                const double n = engine::lengthToPeriods(*length, m_cboAmortUnit->currentIndex(), m_frequency);
                const double whole = n > 0 ? engine::roundUpToDigits(n, 0) : 0;
                if (whole >= 1 && whole <= kMaxPeriods)
                    periods = whole;
            }
        } catch (const engine::ArithmeticError &) { }
        setNumber(m_txtNumberOfPeriods, periods, 0);
        m_loanInputsChanged = false;
    }
    refreshTerm();
}

// ---------------------------------------------------------------------------------------------------------------
// Step 1

void frmWizard::setLoanType(int loanType)
{
    const QScopedValueRollback guard(m_updating, m_updating + 1);
    m_loanType = loanType;
    (loanType == engine::kPersonalLoan ? m_optPersonalLoan : m_optMortgageLoan)->setChecked(true);
    fillCompoundingList();
}

void frmWizard::fillCompoundingList()
{
    const QScopedValueRollback guard(m_updating, m_updating + 1);
    m_cboCompounding->clear();
    if (m_loanType == engine::kPersonalLoan) {
        m_cboCompounding->addItem(QStringLiteral("Monthly"));
    } else {
        for (int code : kMortgageCompoundingCodes)
            m_cboCompounding->addItem(QString::fromStdString(engine::compoundingListText(code)));
    }
    m_cboCompounding->setCurrentIndex(compoundingPosition(m_loanType, m_compounding));
}

void frmWizard::optPersonalLoan_Click()
{
    if (m_updating || m_loanType == engine::kPersonalLoan)
        return;
    setLoanType(engine::kPersonalLoan);
    markLoanData();
    m_compoundingChanged = true;
}

void frmWizard::optMortgageLoan_Click()
{
    if (m_updating || m_loanType == engine::kMortgageLoan)
        return;
    setLoanType(engine::kMortgageLoan);
    markLoanData();
    m_compoundingChanged = true;
}

void frmWizard::cboCompounding_Click()
{
    if (m_updating)
        return;
    const int code = compoundingCode(m_loanType, m_cboCompounding->currentIndex());
    if (code < 0 || code == m_compounding)
        return;
    m_compounding = code;
    markLoanData();
    m_compoundingChanged = true;
}

void frmWizard::chkSkipOptional_Click()
{
    if (m_updating)
        return;
    m_shell.settings().setValue(kSettingsSection, kStep2,
                                m_chkSkipOptional->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

void frmWizard::chkToolTip_Click()
{
    if (m_updating)
        return;
    m_shell.settings().setValue(kSettingsSection, kToolTip,
                                m_chkToolTip->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    applyToolTips();
}

// ---------------------------------------------------------------------------------------------------------------
// Step 2

void frmWizard::txtTitle_Change()
{
    if (!m_updating)
        m_titleChanged = true;
}

void frmWizard::txtComments_Change()
{
    if (!m_updating)
        m_titleChanged = true;
}

void frmWizard::deriveDownPayment()
{
    const auto price = value(m_txtPurchasePrice);
    if (m_downPaymentInPercent) {
        const auto percent = value(m_txtDownPaymentPercent);
        std::optional<double> dollars;
        if (price && percent) {
            const double amount = engine::roundToDigits(*price * *percent / 100, 2);
            if (amount <= kMaxWholeAmount)
                dollars = amount;
        }
        setMoney(m_txtDownPaymentDollars, dollars);
    } else {
        const auto dollars = value(m_txtDownPaymentDollars);
        std::optional<double> percent;
        if (price && *price > 0 && dollars) {
            const double share = engine::roundToDigits(*dollars / *price * 100, 4);
            if (share <= kMaxPercent)
                percent = share;
        }
        setNumber(m_txtDownPaymentPercent, percent, 4);
    }
}

void frmWizard::deriveCMHC()
{
    // A premium the user typed stays; otherwise it follows the down payment.
    if (m_cmhcGiven)
        return;
    const auto percent = value(m_txtDownPaymentPercent);
    setNumber(m_txtCMHC, percent ? std::optional<double>(cmhcPremium(*percent)) : std::nullopt, 4);
}

void frmWizard::deriveAmountBorrowed()
{
    std::optional<double> borrowed;
    if (const auto price = value(m_txtPurchasePrice)) {
        const double down = value(m_txtDownPaymentDollars).value_or(0);
        const double premium = value(m_txtCMHC).value_or(0);
        const double amount = engine::roundToDigits((*price - down) * (1 + premium / 100), 2);
        if (amount >= 0 && amount <= kMaxWholeAmount)
            borrowed = amount;
    }
    setMoney(m_txtAmountBorrowed, borrowed);
}

void frmWizard::txtPurchasePrice_Change()
{
    if (m_updating)
        return;
    markLoanData();
    m_amountBorrowedChanged = true;
    deriveDownPayment();
    deriveCMHC();
    deriveAmountBorrowed();
}

void frmWizard::txtDownPaymentPercent_Change()
{
    if (m_updating)
        return;
    markLoanData();
    m_amountBorrowedChanged = true;
    m_downPaymentInPercent = true;
    deriveDownPayment();
    deriveCMHC();
    deriveAmountBorrowed();
}

void frmWizard::txtDownPaymentDollars_Change()
{
    if (m_updating)
        return;
    markLoanData();
    m_amountBorrowedChanged = true;
    m_downPaymentInPercent = false;
    deriveDownPayment();
    deriveCMHC();
    deriveAmountBorrowed();
}

void frmWizard::txtCMHC_Change()
{
    if (m_updating)
        return;
    markLoanData();
    m_amountBorrowedChanged = true;
    // Clearing the premium hands it back to the down payment at its next change.
    m_cmhcGiven = !m_txtCMHC->text().trimmed().isEmpty();
    deriveAmountBorrowed();
}

void frmWizard::txtAmountBorrowed_Change()
{
    if (m_updating)
        return;
    markLoanData();
    m_amountBorrowedChanged = true;
}

// ---------------------------------------------------------------------------------------------------------------
// Step 3

int frmWizard::periodsPerYearIndex() const
{
    // Only the weekly and bi-weekly frequencies have a choice of year length; the others are written with index 0,
    // the index whose label the summary shows for them.
    return weeklyOrBiWeekly(m_frequency) ? std::max(m_cboPeriodsPerYear->currentIndex(), 0) : 0;
}

double frmWizard::periodsPerYear() const
{
    return engine::periodsPerYearValue(m_frequency, periodsPerYearIndex());
}

int frmWizard::effectiveCompounding() const
{
    // A personal loan compounds monthly whatever its code says; converting its solved rate with its own code
    // (0, semi-annual) would show a rate that does not give back the payment.
    return m_loanType == engine::kPersonalLoan ? 1 : m_compounding;
}

double frmWizard::periodicRate() const
{
    const auto rate = value(m_txtAnnualRate);
    if (!rate)
        throw engine::ArithmeticError(engine::ArithmeticError::Kind::InvalidArgument, "No rate");
    return engine::periodicRate(*rate / 100, periodsPerYear(), m_loanType, m_compounding);
}

void frmWizard::refreshPeriodicRate()
{
    QString text;
    try {
        if (filled(m_txtAnnualRate))
            text = QString::fromStdString(m_format.percent(periodicRate(), 8, false));
    } catch (const engine::ArithmeticError &) { }
    setFieldText(m_txtPeriodicRate, text);
}

void frmWizard::setCalculatedField(CalculatedField field)
{
    m_calculated = field;
    const std::array<std::pair<CalculatedField, QLineEdit *>, 4> fields = {
        std::pair {CalculatedField::LoanAmount, m_txtLoanAmount},
        std::pair {CalculatedField::InterestRate, m_txtAnnualRate},
        std::pair {CalculatedField::Amortization, m_txtAmortization},
        std::pair {CalculatedField::BasicPayment, m_txtBasicPayment}};
    for (const auto &[which, edit] : fields)
        edit->setEnabled(which != field);
    cmdCalculate(field)->setChecked(true);
    m_lblCalculatedField->setText(calculatedFieldName(field));
}

void frmWizard::recalculate()
{
    const auto amount = value(m_txtLoanAmount);
    const auto rate = value(m_txtAnnualRate);
    const auto length = value(m_txtAmortization);
    const auto payment = value(m_txtBasicPayment);
    const int unit = m_cboAmortUnit->currentIndex();
    std::optional<double> result;
    try {
        switch (m_calculated) {
        case CalculatedField::LoanAmount:
            if (rate && length && payment) {
                const double periods = engine::lengthToPeriods(*length, unit, m_frequency);
                const double pv = engine::roundToDigits(engine::presentValue(periodicRate(), periods, -*payment), 2);
                if (periods > 0 && pv >= 0.01 && pv <= kMaxAmount)
                    result = pv;
            }
            break;
        case CalculatedField::InterestRate:
            if (amount && length && payment && *amount > 0 && *payment > 0) {
                const double periods = engine::lengthToPeriods(*length, unit, m_frequency);
                if (periods <= 0)
                    break;
                const double i = engine::rateForPayment(periods, *payment, *amount, kMaxPercent);
                // The search ends at a bound when no rate up to the limit gives the payment (a payment too low to
                // repay the amount even without interest, or one that needs a higher rate): nothing to show.
                if (std::abs(engine::levelPayment(i, periods, -*amount) - *payment) > 0.005)
                    break;
                const double annual = engine::annualRateFromPeriodicRate(i, periodsPerYear(), effectiveCompounding());
                if (annual * 100 <= kMaxPercent)
                    result = annual * 100;
            }
            break;
        case CalculatedField::Amortization:
            if (amount && rate && payment) {
                const double n = engine::nper(periodicRate(), -*payment, *amount);
                const double converted =
                    engine::roundToDigits(engine::periodsToLength(n, unit, m_frequency, kNoDate), 4);
                if (converted >= 0.1 && converted <= kMaxAmortization)
                    result = converted;
            }
            break;
        case CalculatedField::BasicPayment:
            if (amount && rate && length) {
                const double periods = engine::lengthToPeriods(*length, unit, m_frequency);
                if (periods <= 0)
                    break;
                const double level = engine::roundToDigits(engine::levelPayment(periodicRate(), periods, -*amount), 2);
                if (level <= kMaxAmount)
                    result = level;
            }
            break;
        }
    } catch (const engine::ArithmeticError &) {
        result.reset();
    }

    switch (m_calculated) {
    case CalculatedField::LoanAmount: {
        const QString before = m_txtLoanAmount->text();
        setMoney(m_txtLoanAmount, result);
        m_loanInputsChanged = m_loanInputsChanged || before != m_txtLoanAmount->text();
        break;
    }
    case CalculatedField::InterestRate: {
        const QString before = m_txtAnnualRate->text();
        setNumber(m_txtAnnualRate, result, 5);
        m_loanInputsChanged = m_loanInputsChanged || before != m_txtAnnualRate->text();
        refreshPeriodicRate();
        break;
    }
    case CalculatedField::Amortization: {
        const QString before = m_txtAmortization->text();
        setNumber(m_txtAmortization, result, 4);
        m_loanInputsChanged = m_loanInputsChanged || before != m_txtAmortization->text();
        break;
    }
    case CalculatedField::BasicPayment:
        setMoney(m_txtBasicPayment, result);
        break;
    }
    updateButtons();
}

void frmWizard::recomputeBasicPayment()
{
    const auto amount = value(m_txtLoanAmount);
    const auto length = value(m_txtAmortization);
    if (!amount || !length || !filled(m_txtAnnualRate))
        return;
    try {
        const double periods = engine::lengthToPeriods(*length, m_cboAmortUnit->currentIndex(), m_frequency);
        if (periods <= 0)
            return;
        const double level = engine::roundToDigits(engine::levelPayment(periodicRate(), periods, -*amount), 2);
        setMoney(m_txtBasicPayment, level <= kMaxAmount ? std::optional<double>(level) : std::nullopt);
    } catch (const engine::ArithmeticError &) {
        setMoney(m_txtBasicPayment, std::nullopt);
    }
}

// The payment of the old frequency carried into the new one; the amortization then follows from it.
void frmWizard::carryPaymentOver(int fromFrequency)
{
    const auto payment = value(m_txtBasicPayment);
    if (!payment) {
        recalculate();
        return;
    }
    std::optional<double> carried;
    try {
        const auto amount = value(m_txtLoanAmount);
        const auto length = value(m_txtAmortization);
        if (m_frequency == engine::kAnnually && amount && length && filled(m_txtAnnualRate)) {
            // One payment a year: the level payment at the effective annual rate over the years of amortization.
            const double years = m_cboAmortUnit->currentIndex() == engine::kMonths ? *length / 12 : *length;
            const double annualRate = *value(m_txtAnnualRate) / 100;
            const double effective = engine::periodicRate(annualRate, 1, m_loanType, m_compounding);
            carried = engine::levelPayment(effective, years, -*amount);
        } else {
            carried = engine::equivalentPayment(*payment, fromFrequency, m_frequency);
        }
        carried = engine::roundToDigits(*carried, 2);
        if (*carried > kMaxAmount)
            carried.reset();
    } catch (const engine::ArithmeticError &) {
        carried.reset();
    }
    setMoney(m_txtBasicPayment, carried);
    if (carried && filled(m_txtLoanAmount) && filled(m_txtAnnualRate))
        amortizationFromPayment();
    else
        recalculate();
}

// The amortization that the payment gives at the current rate (the number of periods, in the amortization unit).
void frmWizard::amortizationFromPayment()
{
    std::optional<double> length;
    try {
        const double n = engine::nper(periodicRate(), -*value(m_txtBasicPayment), *value(m_txtLoanAmount));
        const double converted =
            engine::roundToDigits(engine::periodsToLength(n, m_cboAmortUnit->currentIndex(), m_frequency, kNoDate), 4);
        if (converted >= 0.1 && converted <= kMaxAmortization)
            length = converted;
    } catch (const engine::ArithmeticError &) { }
    setNumber(m_txtAmortization, length, 4);
    if (m_calculated == CalculatedField::LoanAmount || m_calculated == CalculatedField::InterestRate)
        recalculate();
    updateButtons();
}

void frmWizard::txtLoanAmount_Change()
{
    if (m_updating)
        return;
    markLoanData();
    m_loanInputsChanged = true;
    recalculate();
}

void frmWizard::txtAnnualRate_Change()
{
    if (m_updating)
        return;
    markLoanData();
    m_loanInputsChanged = true;
    refreshPeriodicRate();
    recalculate();
}

void frmWizard::txtAmortization_Change()
{
    if (m_updating)
        return;
    markLoanData();
    m_loanInputsChanged = true;
    recalculate();
}

void frmWizard::txtBasicPayment_Change()
{
    if (m_updating)
        return;
    markLoanData();
    recalculate();
}

void frmWizard::cboAmortUnit_Click()
{
    if (m_updating)
        return;
    markLoanData();
    m_loanInputsChanged = true;
    // The same length in the other unit, so that choosing the unit does not change the loan.
    if (const auto length = value(m_txtAmortization)) {
        const bool months = m_cboAmortUnit->currentIndex() == engine::kMonths;
        const double converted = engine::roundToDigits(months ? *length * 12 : *length / 12, 4);
        setNumber(m_txtAmortization, converted <= kMaxAmortization ? std::optional<double>(converted) : std::nullopt,
                  4);
    }
    recalculate();
}

void frmWizard::cboFrequency_Click()
{
    if (m_updating)
        return;
    const int code = frequencyCode(m_cboFrequency->currentIndex());
    if (code < 0 || code == m_frequency)
        return;
    const int from = m_frequency;
    m_frequency = code;
    markLoanData();
    // The same amortization is another number of periods at another frequency.
    m_loanInputsChanged = true;
    m_cboPeriodsPerYear->setEnabled(weeklyOrBiWeekly(m_frequency));
    refreshPeriodicRate();
    carryPaymentOver(from);
    followDates(m_startPayment != 0);
    refreshTerm();
    updateButtons();
}

void frmWizard::cboPeriodsPerYear_Click()
{
    if (m_updating)
        return;
    markLoanData();
    refreshPeriodicRate();
    recalculate();
}

void frmWizard::cmdCalcLoanAmount_Click()
{
    setCalculatedField(CalculatedField::LoanAmount);
    recalculate();
}

void frmWizard::cmdCalcInterestRate_Click()
{
    setCalculatedField(CalculatedField::InterestRate);
    recalculate();
}

void frmWizard::cmdCalcAmortization_Click()
{
    setCalculatedField(CalculatedField::Amortization);
    recalculate();
}

void frmWizard::cmdCalcBasicPayment_Click()
{
    setCalculatedField(CalculatedField::BasicPayment);
    recalculate();
}

// ---------------------------------------------------------------------------------------------------------------
// Step 4

Date frmWizard::startDate() const
{
    return toSerial(m_dtpStartDate->date());
}

Date frmWizard::firstPaymentDue() const
{
    return toSerial(m_dtpFirstPaymentDue->date());
}

// The calendar's anchor: the day the money was lent, or the first payment.
Date frmWizard::anchorDate() const
{
    return m_startPayment != 0 ? startDate() : firstPaymentDue();
}

void frmWizard::setDates(Date start, Date first)
{
    const QScopedValueRollback guard(m_updating, m_updating + 1);
    m_dtpStartDate->setDate(toQDate(start));
    m_dtpFirstPaymentDue->setDate(toQDate(first));
}

void frmWizard::setStartPayment(int option, bool follow)
{
    m_startPayment = option;
    {
        const QScopedValueRollback guard(m_updating, m_updating + 1);
        (option != 0 ? m_optAmountBorrowedOnDate : m_optFirstPaymentOnDate)->setChecked(true);
    }
    arrangeDates();
    if (follow)
        followDates(option != 0);
    refreshTerm();
}

// The date the user fixes comes first, under the label the option gives it.
void frmWizard::arrangeDates()
{
    for (QWidget *widget : {static_cast<QWidget *>(m_lblStartDate), static_cast<QWidget *>(m_dtpStartDate),
                            static_cast<QWidget *>(m_lblFirstPaymentDue), static_cast<QWidget *>(m_dtpFirstPaymentDue)})
        m_datesGrid->removeWidget(widget);
    const bool borrowedFirst = m_startPayment != 0;
    const int startRow = borrowedFirst ? 0 : 1;
    m_datesGrid->addWidget(m_lblStartDate, startRow, 0);
    m_datesGrid->addWidget(m_dtpStartDate, startRow, 1);
    m_datesGrid->addWidget(m_lblFirstPaymentDue, 1 - startRow, 0);
    m_datesGrid->addWidget(m_dtpFirstPaymentDue, 1 - startRow, 1);
    m_lblFirstPaymentDue->setText(borrowedFirst ? QStringLiteral("First Payment due on:")
                                                : QStringLiteral("First Payment on:"));
    if (borrowedFirst)
        setTabOrder(m_dtpStartDate, m_dtpFirstPaymentDue);
    else
        setTabOrder(m_dtpFirstPaymentDue, m_dtpStartDate);
}

// One date from the other through the payment calendar: the first payment one installment period after the day
// the money was lent, or that day one period before the first payment.
void frmWizard::followDates(bool fromStartDate)
{
    Date start = startDate();
    Date first = firstPaymentDue();
    try {
        if (fromStartDate) {
            first = engine::nthPaymentDate(start, m_frequency, 1, 1);
        } else {
            start = engine::nthPaymentDate(first, m_frequency, 0, 0);
            if (m_startPayment != 0)
                first = engine::nthPaymentDate(start, m_frequency, 1, 1);
        }
    } catch (const engine::ArithmeticError &) {
        return;
    }
    setDates(start, first);
    m_previousStartDate = start;
}

void frmWizard::refreshTerm()
{
    const auto periods = value(m_txtNumberOfPeriods);
    QString yearsText, monthsText, lastText;
    m_lastPaymentDue = kNoDate;
    if (periods && *periods >= 1) {
        try {
            const Date last = engine::lastPaymentDue(anchorDate(), m_frequency, *periods, m_startPayment);
            const double years = engine::periodsToLength(*periods, engine::kYears, m_frequency, startDate());
            const double months = engine::periodsToLength(*periods, engine::kMonths, m_frequency, startDate());
            m_lastPaymentDue = last;
            lastText = QString::fromStdString(m_format.formatDate(last));
            yearsText = yearsAndMonths(years);
            monthsText = plural(int(std::lround(months)), "Month", "Months");
        } catch (const engine::ArithmeticError &) { }
    }
    setFieldText(m_txtTermYearsMonths, yearsText);
    setFieldText(m_txtTermMonths, monthsText);
    setFieldText(m_txtLastPaymentDue, lastText);
    updateButtons();
}

void frmWizard::optAmountBorrowedOnDate_Click()
{
    if (m_updating || m_startPayment == 1)
        return;
    markLoanData();
    setStartPayment(1, true);
}

void frmWizard::optFirstPaymentOnDate_Click()
{
    if (m_updating || m_startPayment == 0)
        return;
    markLoanData();
    setStartPayment(0, true);
}

void frmWizard::dtpStartDate_Change()
{
    if (m_updating)
        return;
    markLoanData();
    const Date first = firstPaymentDue();
    if (m_startPayment != 0)
        followDates(true);
    if (startDate() >= firstPaymentDue()) {
        m_shell.message(kStartDateMessage, UserDialogs::Ok, UserDialogs::Icon::Information);
        setDates(m_previousStartDate, first);
        refreshTerm();
        return;
    }
    m_previousStartDate = startDate();
    refreshTerm();
}

void frmWizard::dtpFirstPaymentDue_Change()
{
    if (m_updating)
        return;
    markLoanData();
    followDates(false);
    refreshTerm();
}

void frmWizard::txtNumberOfPeriods_Change()
{
    if (m_updating)
        return;
    markLoanData();
    refreshTerm();
    updateButtons();
}

// ---------------------------------------------------------------------------------------------------------------
// Finish and closing

void frmWizard::Finish()
{
    const auto amount = value(m_txtLoanAmount);
    const auto rate = value(m_txtAnnualRate);
    const auto length = value(m_txtAmortization);
    const auto payment = value(m_txtBasicPayment);
    const auto periods = value(m_txtNumberOfPeriods);
    if (!amount || !rate || !length || !payment || !periods || *periods < 1 || m_lastPaymentDue == kNoDate)
        return;

    engine::LoanDocument &doc = m_document.loan();
    DocState &slot = m_shell.docSlots().state(m_document.slot());
    AppState &state = m_shell.state();
    if (m_titleChanged) {
        slot.blnModified = true;
        doc.gstrTitle = m_txtTitle->text().toStdString();
        doc.gstrComments = m_txtComments->toPlainText().toStdString();
    }
    if (!m_loanDataChanged && m_propertiesMode) {
        // Nothing that the schedule depends on changed: the caller has nothing to recompute.
        state.gblnWizardCancelled = true;
        QDialog::reject();
        return;
    }

    const Date anchor = anchorDate();
    const Date last = m_lastPaymentDue;
    if (anchor != doc.gdtmFirstPaymentDue) {
        doc.ClearHiddenGrids();
    } else if (*periods != doc.mdblNperTerm) {
        doc.gdtmLastPaymentDue = last;
        doc.CropHiddenGrids();
    }

    const int unit = m_cboAmortUnit->currentIndex();
    doc.gintLoanType = m_loanType;
    doc.gintCompounding = m_compounding;
    SettingsStore &settings = m_shell.settings();
    settings.setIntValue(kSettingsSection, kInterestCompound, m_compounding);
    settings.setIntValue(kSettingsSection, kStartPayment, m_startPayment);
    doc.gstrTitle = m_txtTitle->text().toStdString();
    doc.gstrComments = m_txtComments->toPlainText().toStdString();
    doc.gvarPurchasePrice = value(m_txtPurchasePrice);
    doc.gintDownPaymentUnit = m_downPaymentInPercent ? -1 : 0;
    doc.gvarDownPayment = value(m_downPaymentInPercent ? m_txtDownPaymentPercent : m_txtDownPaymentDollars);
    doc.gvarCMHC = value(m_txtCMHC);
    doc.gvarAmountBorrowed = value(m_txtAmountBorrowed);
    doc.gdblLoanAmount = *amount;
    doc.gdblAnnualRate = *rate / 100;
    try {
        doc.glngAmortization =
            engine::periodsToLength(engine::lengthToPeriods(*length, unit, m_frequency), unit, m_frequency, kNoDate);
    } catch (const engine::ArithmeticError &) {
        doc.glngAmortization = *length;
    }
    doc.gintAmortUnit = unit;
    doc.gintFreqOfInst = m_frequency;
    doc.gdblBasicPayment = *payment;
    try {
        doc.gdblPeriodicRate = periodicRate();
    } catch (const engine::ArithmeticError &) {
        doc.gdblPeriodicRate = 0;
    }
    doc.gintPeriodsPerYearIndex = periodsPerYearIndex();
    doc.gintPeriodsPerYearIndexTmp = std::max(m_cboPeriodsPerYear->currentIndex(), 0);
    doc.gdblPeriodsPerYear = periodsPerYear();
    doc.gintStartPayment = m_startPayment;
    doc.gdtmStartDate = startDate();
    doc.gdtmFirstPaymentDue = anchor;
    doc.mdblNperTerm = *periods;
    doc.gdtmLastPaymentDue = last;

    slot.blnModified = true;
    state.gblnLoanDataChanged = true;
    accept();
}

// Lump sums dated on or before the start, or after the last payment, can never be paid: they go when the dialog
// closes. One dated on the last payment stays.
void frmWizard::removeLumpSumsOutsideTerm()
{
    if (m_closed)
        return;
    m_closed = true;
    engine::TextTable &lumpSums = m_document.loan().gridLumpSum;
    const Date start = startDate();
    for (int row = lumpSums.rows() - 1; row >= 1; --row) {
        const Date date = engine::serialDate(lumpSums.text(row, engine::chgDateSerial));
        // Before the term's last payment is known (a new loan closed early) only the start bounds the entries.
        const bool afterEnd = m_lastPaymentDue != kNoDate && date > m_lastPaymentDue;
        if (date <= start || afterEnd) {
            if (lumpSums.rows() == 2)
                lumpSums.setRows(1);
            else
                lumpSums.removeRow(row);
            m_lumpSumsRemoved = true;
        }
    }
    if (m_lumpSumsRemoved)
        m_shell.docSlots().state(m_document.slot()).blnModified = true;
}

} // namespace app
