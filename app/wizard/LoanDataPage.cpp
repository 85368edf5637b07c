#include "LoanDataPage.h"

#include "engine/Limits.h"
#include "engine/NumberFormat.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScopedValueRollback>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

namespace app {

using Terms = engine::LoanTerms;

namespace {

// A small pocket calculator for the buttons that choose the calculated field.
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

QString calculatedFieldName(engine::CalculatedField field)
{
    switch (field) {
    case engine::CalculatedField::LoanAmount:
        return QStringLiteral("Loan Amount");
    case engine::CalculatedField::InterestRate:
        return QStringLiteral("Interest Rate");
    case engine::CalculatedField::Amortization:
        return QStringLiteral("Amortization");
    case engine::CalculatedField::BasicPayment:
        break;
    }
    return QStringLiteral("Basic Payments");
}

QStringList texts(const std::vector<std::string> &list)
{
    QStringList out;
    for (const std::string &text : list)
        out << QString::fromStdString(text);
    return out;
}

// A control alone in a row that stretches after it.
QWidget *alone(QWidget *control)
{
    auto *box = new QWidget;
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(control);
    row->addStretch(1);
    return box;
}

} // namespace

LoanDataPage::LoanDataPage(engine::LoanTerms &terms, const engine::NumberFormat &format, QWidget *parent)
    : WizardPage(terms, format, parent)
{
    QGridLayout *grid = formGrid();
    const QIcon icon = calculatorIcon();
    auto calculator = [&](CalculatedField field, const char *name, const QString &tip) {
        auto *button = new QToolButton;
        button->setObjectName(QLatin1String(name));
        button->setIcon(icon);
        button->setIconSize(QSize(18, 18));
        button->setCheckable(true);
        button->setAutoRaise(false);
        setTip(button, tip);
        m_calculators->addButton(button, int(field));
        return button;
    };
    m_calculators = new QButtonGroup(this);
    m_calculators->setExclusive(true);

    m_txtLoanAmount = numberField("txtLoanAmount", engine::kMaxAmount, 2);
    addRow(grid, 0, QStringLiteral("Loan Amount:"), m_txtLoanAmount);
    grid->addWidget(
        calculator(CalculatedField::LoanAmount, "cmdCalcLoanAmount", QStringLiteral("Calculate Loan Amount")), 0, 3);

    m_txtAnnualRate = numberField("txtAnnualRate", engine::kMaxPercent, 5);
    addRow(grid, 1, QStringLiteral("Interest Rate:"), m_txtAnnualRate);
    grid->addWidget(new QLabel(QStringLiteral("%")), 1, 2);
    grid->addWidget(
        calculator(CalculatedField::InterestRate, "cmdCalcInterestRate", QStringLiteral("Calculate Interest Rate")), 1,
        3);

    m_txtPeriodicRate = readOnlyField("txtPeriodicRate", QString());
    m_txtPeriodicRate->setAlignment(Qt::AlignRight);
    m_txtPeriodicRate->setFixedWidth(m_txtLoanAmount->width());
    addRow(grid, 2, QStringLiteral("Periodic Rate:"), m_txtPeriodicRate);

    m_txtAmortization = numberField("txtAmortization", engine::kMaxAmortization, 4);
    m_cboAmortUnit = new QComboBox;
    m_cboAmortUnit->setObjectName(QStringLiteral("cboAmortUnit"));
    m_cboAmortUnit->addItems(texts(engine::amortUnitListTexts()));
    addRow(grid, 3, QStringLiteral("Amortization:"), m_txtAmortization);
    grid->addWidget(m_cboAmortUnit, 3, 2);
    grid->addWidget(
        calculator(CalculatedField::Amortization, "cmdCalcAmortization", QStringLiteral("Calculate Amortization")), 3,
        3);

    m_cboFrequency = new QComboBox;
    m_cboFrequency->setObjectName(QStringLiteral("cboFrequency"));
    m_cboFrequency->addItems(texts(engine::frequencyListTexts()));
    nameWith(m_cboFrequency, addRow(grid, 4, QStringLiteral("Frequency of Installment:"), alone(m_cboFrequency), 3));

    m_txtBasicPayment = numberField("txtBasicPayment", engine::kMaxAmount, 2);
    addRow(grid, 5, QStringLiteral("Basic Payments:"), m_txtBasicPayment);
    grid->addWidget(
        calculator(CalculatedField::BasicPayment, "cmdCalcBasicPayment", QStringLiteral("Calculate Basic Payment")), 5,
        3);

    m_cboPeriodsPerYear = new QComboBox;
    m_cboPeriodsPerYear->setObjectName(QStringLiteral("cboPeriodsPerYear"));
    m_cboPeriodsPerYear->addItems(texts(engine::yearLengthListTexts()));
    nameWith(m_cboPeriodsPerYear, addRow(grid, 6, QStringLiteral("Periods per Year:"), alone(m_cboPeriodsPerYear), 3));

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
    m_chkRoundInterest = new QCheckBox(tr("&Round interest to the cent each period"));
    m_chkRoundInterest->setObjectName(QStringLiteral("chkRoundInterest"));
    m_chkRoundInterest->setAccessibleName(tr("Round interest to the cent each period"));
    setTip(m_chkRoundInterest,
           tr("Rounds each period's interest to the cent and carries the rounded balance, as "
              "lenders do"));
    grid->addWidget(m_chkRoundInterest, 8, 1, 1, 4);
    grid->setColumnStretch(4, 1);
    grid->setRowMinimumHeight(7, m_txtLoanAmount->sizeHint().height());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 12);
    layout->addLayout(grid);
    layout->addStretch(1);

    // Tab goes from field to field, then to the calculator buttons: in the order of the grid, a button would sit
    // between two fields and swallow what was meant for the next one.
    QList<QWidget *> chain = {m_txtLoanAmount, m_txtAnnualRate,   m_txtAmortization,   m_cboAmortUnit,
                              m_cboFrequency,  m_txtBasicPayment, m_cboPeriodsPerYear, m_chkRoundInterest};
    for (CalculatedField field : {CalculatedField::LoanAmount, CalculatedField::InterestRate,
                                  CalculatedField::Amortization, CalculatedField::BasicPayment})
        chain << cmdCalculate(field);
    chainTabs(chain);

    showChoices();
    connect(m_txtLoanAmount, &QLineEdit::textChanged, this, &LoanDataPage::txtLoanAmount_Change);
    connect(m_txtAnnualRate, &QLineEdit::textChanged, this, &LoanDataPage::txtAnnualRate_Change);
    connect(m_txtAmortization, &QLineEdit::textChanged, this, &LoanDataPage::txtAmortization_Change);
    connect(m_cboAmortUnit, &QComboBox::currentIndexChanged, this, &LoanDataPage::cboAmortUnit_Click);
    connect(m_cboFrequency, &QComboBox::currentIndexChanged, this, &LoanDataPage::cboFrequency_Click);
    connect(m_txtBasicPayment, &QLineEdit::textChanged, this, &LoanDataPage::txtBasicPayment_Change);
    connect(m_cboPeriodsPerYear, &QComboBox::currentIndexChanged, this, &LoanDataPage::cboPeriodsPerYear_Click);
    connect(m_chkRoundInterest, &QCheckBox::toggled, this, &LoanDataPage::chkRoundInterest_Click);
    connect(cmdCalculate(CalculatedField::LoanAmount), &QToolButton::clicked, this,
            &LoanDataPage::cmdCalcLoanAmount_Click);
    connect(cmdCalculate(CalculatedField::InterestRate), &QToolButton::clicked, this,
            &LoanDataPage::cmdCalcInterestRate_Click);
    connect(cmdCalculate(CalculatedField::Amortization), &QToolButton::clicked, this,
            &LoanDataPage::cmdCalcAmortization_Click);
    connect(cmdCalculate(CalculatedField::BasicPayment), &QToolButton::clicked, this,
            &LoanDataPage::cmdCalcBasicPayment_Click);
}

QToolButton *LoanDataPage::cmdCalculate(CalculatedField field) const
{
    return qobject_cast<QToolButton *>(m_calculators->button(int(field)));
}

QWidget *LoanDataPage::firstControl() const
{
    for (QLineEdit *field : {m_txtLoanAmount, m_txtAnnualRate, m_txtAmortization, m_txtBasicPayment}) {
        if (field->isEnabled())
            return field;
    }
    return nullptr;
}

// The lists' choices and the calculated field, as the terms hold them.
void LoanDataPage::showChoices()
{
    const QScopedValueRollback guard(m_updating, m_updating + 1);
    m_cboAmortUnit->setCurrentIndex(m_terms.amortUnit());
    m_cboFrequency->setCurrentIndex(engine::frequencyPosition(m_terms.frequency()));
    m_cboPeriodsPerYear->setCurrentIndex(m_terms.yearLengthChoice());
    m_cboPeriodsPerYear->setEnabled(engine::hasYearLengthChoice(m_terms.frequency()));
    m_chkRoundInterest->setChecked(m_terms.roundInterestEachPeriod());
    const CalculatedField calculated = m_terms.calculatedField();
    const std::array<std::pair<CalculatedField, QLineEdit *>, 4> fields = {
        std::pair {CalculatedField::LoanAmount, m_txtLoanAmount},
        std::pair {CalculatedField::InterestRate, m_txtAnnualRate},
        std::pair {CalculatedField::Amortization, m_txtAmortization},
        std::pair {CalculatedField::BasicPayment, m_txtBasicPayment}};
    for (const auto &[which, edit] : fields)
        edit->setEnabled(which != calculated);
    cmdCalculate(calculated)->setChecked(true);
    m_lblCalculatedField->setText(calculatedFieldName(calculated));
}

void LoanDataPage::refresh(engine::LoanTerms::Fields fields)
{
    const std::pair<Terms::Field, QLineEdit *> shown[] = {{Terms::LoanAmount, m_txtLoanAmount},
                                                          {Terms::AnnualRate, m_txtAnnualRate},
                                                          {Terms::Amortization, m_txtAmortization},
                                                          {Terms::BasicPayment, m_txtBasicPayment}};
    for (const auto &[field, edit] : shown) {
        if (fields & field)
            showNumber(edit, field);
    }
    const auto rate = m_terms.periodicRate();
    setFieldText(m_txtPeriodicRate, rate ? QString::fromStdString(m_format.percent(*rate, 8, false)) : QString());
    showChoices();
}

void LoanDataPage::txtLoanAmount_Change()
{
    if (!m_updating)
        emit edited(m_terms.setLoanAmount(value(m_txtLoanAmount)));
}

void LoanDataPage::txtAnnualRate_Change()
{
    if (!m_updating)
        emit edited(m_terms.setAnnualRate(value(m_txtAnnualRate)));
}

void LoanDataPage::txtAmortization_Change()
{
    if (!m_updating)
        emit edited(m_terms.setAmortization(value(m_txtAmortization)));
}

void LoanDataPage::txtBasicPayment_Change()
{
    if (!m_updating)
        emit edited(m_terms.setBasicPayment(value(m_txtBasicPayment)));
}

void LoanDataPage::cboAmortUnit_Click()
{
    if (!m_updating)
        emit edited(m_terms.setAmortUnit(m_cboAmortUnit->currentIndex()));
}

void LoanDataPage::cboFrequency_Click()
{
    if (!m_updating)
        emit edited(m_terms.setFrequency(engine::frequencyCodeAt(m_cboFrequency->currentIndex())));
}

void LoanDataPage::cboPeriodsPerYear_Click()
{
    if (!m_updating)
        emit edited(m_terms.setYearLengthChoice(m_cboPeriodsPerYear->currentIndex()));
}

void LoanDataPage::chkRoundInterest_Click()
{
    if (!m_updating)
        m_terms.setRoundInterestEachPeriod(m_chkRoundInterest->isChecked());
}

void LoanDataPage::calculate(CalculatedField field)
{
    emit edited(m_terms.setCalculatedField(field));
}

void LoanDataPage::cmdCalcLoanAmount_Click()
{
    calculate(CalculatedField::LoanAmount);
}

void LoanDataPage::cmdCalcInterestRate_Click()
{
    calculate(CalculatedField::InterestRate);
}

void LoanDataPage::cmdCalcAmortization_Click()
{
    calculate(CalculatedField::Amortization);
}

void LoanDataPage::cmdCalcBasicPayment_Click()
{
    calculate(CalculatedField::BasicPayment);
}

} // namespace app
