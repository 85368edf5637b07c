#include "WizardTestSupport.h"

#include "app/AppState.h"
#include "app/FileCommands.h"
#include "app/SettingsKeys.h"
#include "app/frmWizard.h"

#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"
#include "engine/Schedule.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <cmath>

using namespace app;
using Field = frmWizard::CalculatedField;

namespace {

const QString kCaption1 = QStringLiteral("Loan Data Wizard - Loan Type");
const QString kCaption2 = QStringLiteral("Loan Data Wizard - Optional Information");
const QString kCaption3 = QStringLiteral("Loan Data Wizard - Loan Data");
const QString kCaption4 = QStringLiteral("Loan Data Wizard - Term Information");

engine::Date serial(int year, int month, int day)
{
    return engine::Date(QDate(1899, 12, 30).daysTo(QDate(year, month, day)));
}

// A format that marks every amount of a schedule's texts, until a new calculation gives the schedule its own.
engine::NumberFormat markedFormat()
{
    engine::NumberFormat format;
    format.currencyPrefix = "untouched $";
    return format;
}

QStringList items(const QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

class WizardTest : public DataEntryTest
{
protected:
    void TearDown() override
    {
        m_wizard.reset(); // before the window that owns it
        DataEntryTest::TearDown();
    }

    // The wizard on a new, empty document window.
    frmWizard &newWizard()
    {
        if (!m_window)
            start();
        m_document = &newWindow();
        m_window->state().gblnPropertiesMode = false;
        m_wizard = std::make_unique<frmWizard>(*m_window, *m_document, &DataEntryTest::today, m_window.get());
        return *m_wizard;
    }
    // Opens a copy of an example document; its schedule is computed on opening.
    frmChild &openExample(const char *name)
    {
        if (!m_window)
            start();
        const QString path = m_dir.filePath(QLatin1String(name));
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(example(name), path));
        m_window->files().OpenPath(path);
        EXPECT_NE(m_window->activeDocument(), nullptr);
        return *m_window->activeDocument();
    }
    // To the loan data step with the main fields set (an empty text leaves a field alone).
    static void loanData(frmWizard &wizard, const QString &amount, const QString &rate, const QString &length,
                         const QString &payment = {})
    {
        while (wizard.step() < frmWizard::StepLoanData)
            wizard.cmdNext_Click();
        if (!amount.isEmpty())
            wizard.txtLoanAmount()->setText(amount);
        if (!rate.isEmpty())
            wizard.txtAnnualRate()->setText(rate);
        if (!length.isEmpty())
            wizard.txtAmortization()->setText(length);
        if (!payment.isEmpty())
            wizard.txtBasicPayment()->setText(payment);
    }
    static double number(const frmWizard &wizard, const QLineEdit *field) { return wizard.value(field).value_or(-1); }

    frmChild *m_document = nullptr;
    std::unique_ptr<frmWizard> m_wizard;
};

} // namespace

TEST_F(WizardTest, ANewDocumentStartsAsAMortgageWithTheLastCompounding)
{
    struct Case
    {
        const char *stored; // the setting "Interest Compound", or null for none
        QString shown;
    };
    for (const Case &c : {Case {nullptr, QStringLiteral("Semi-Annually (Canada)")},
                          Case {"1", QStringLiteral("Monthly (United State)")}, Case {"2", QStringLiteral("Annually")},
                          Case {"3", QStringLiteral("Quarterly")}}) {
        SCOPED_TRACE(c.shown.toStdString());
        if (c.stored)
            m_settings->setValue(kSettingsSection, kInterestCompound, QLatin1String(c.stored));
        frmWizard &wizard = newWizard();
        EXPECT_TRUE(wizard.optMortgageLoan()->isChecked());
        EXPECT_FALSE(wizard.optPersonalLoan()->isChecked());
        EXPECT_EQ(wizard.cboCompounding()->currentText(), c.shown);
        EXPECT_EQ(wizard.compounding(), c.stored ? QString::fromLatin1(c.stored).toInt() : 0);
    }

    frmWizard &wizard = newWizard();
    EXPECT_EQ(wizard.windowTitle(), kCaption1);
    EXPECT_EQ(wizard.step(), frmWizard::StepLoanType);
    EXPECT_FALSE(wizard.cmdBack()->isEnabled());
    EXPECT_TRUE(wizard.cmdNext()->isEnabled());
    EXPECT_EQ(wizard.cmdNext()->text(), QStringLiteral("&Next >"));
    EXPECT_EQ(wizard.cmdBack()->text(), QStringLiteral("< &Back"));
    EXPECT_EQ(wizard.cmdCancel()->text(), QStringLiteral("Cancel"));
    // Check boxes from their settings' defaults.
    EXPECT_FALSE(wizard.chkSkipOptional()->isChecked());
    EXPECT_TRUE(wizard.chkToolTip()->isChecked());
    // Amounts empty; monthly in years; the weekly year length list on its second entry, unused for now.
    for (QLineEdit *field : {wizard.txtPurchasePrice(), wizard.txtDownPaymentPercent(), wizard.txtDownPaymentDollars(),
                             wizard.txtCMHC(), wizard.txtAmountBorrowed(), wizard.txtLoanAmount(),
                             wizard.txtAnnualRate(), wizard.txtAmortization(), wizard.txtBasicPayment()})
        EXPECT_TRUE(field->text().isEmpty()) << field->objectName().toStdString();
    EXPECT_EQ(wizard.cboFrequency()->currentText(), QStringLiteral("Monthly"));
    EXPECT_EQ(wizard.frequency(), engine::kMonthly);
    EXPECT_EQ(wizard.cboAmortUnit()->currentText(), QStringLiteral("Years"));
    EXPECT_EQ(wizard.cboPeriodsPerYear()->currentText(), QStringLiteral("52.14 Weeks"));
    EXPECT_FALSE(wizard.cboPeriodsPerYear()->isEnabled());
    EXPECT_EQ(wizard.calculatedField(), Field::BasicPayment);
    // The first payment today; the loan starts one installment earlier. "Start Payment" defaults to 0.
    EXPECT_EQ(wizard.firstPaymentDue(), serial(2026, 3, 15));
    EXPECT_EQ(wizard.startDate(), serial(2026, 2, 15));
    EXPECT_EQ(wizard.startPaymentOption(), 0);
    EXPECT_TRUE(wizard.optFirstPaymentOnDate()->isChecked());
    EXPECT_FALSE(wizard.loanDataChanged());
}

TEST_F(WizardTest, ListPositionsHoldTheirCodes)
{
    struct Case
    {
        int position;
        int code;
        QString text;
    };
    frmWizard &wizard = newWizard();
    EXPECT_EQ(items(wizard.cboCompounding()),
              (QStringList {QStringLiteral("Annually"), QStringLiteral("Semi-Annually (Canada)"),
                            QStringLiteral("Quarterly"), QStringLiteral("Monthly (United State)")}));
    for (const Case &c :
         {Case {0, 2, QStringLiteral("Annually")}, Case {1, 0, QStringLiteral("Semi-Annually (Canada)")},
          Case {2, 3, QStringLiteral("Quarterly")}, Case {3, 1, QStringLiteral("Monthly (United State)")}}) {
        SCOPED_TRACE(c.position);
        wizard.cboCompounding()->setCurrentIndex(c.position);
        EXPECT_EQ(wizard.compounding(), c.code);
        EXPECT_EQ(wizard.cboCompounding()->currentText(), c.text);
        EXPECT_EQ(frmWizard::compoundingPosition(engine::kMortgageLoan, c.code), c.position);
    }

    // A personal loan offers only "Monthly" (code 0); a code the list does not hold selects nothing.
    wizard.optPersonalLoan()->setChecked(true);
    EXPECT_EQ(items(wizard.cboCompounding()), QStringList {QStringLiteral("Monthly")});
    EXPECT_EQ(wizard.cboCompounding()->currentIndex(), -1); // code 1 is still the compounding
    wizard.cboCompounding()->setCurrentIndex(0);
    EXPECT_EQ(wizard.compounding(), 0);
    wizard.optMortgageLoan()->setChecked(true);
    EXPECT_EQ(wizard.cboCompounding()->currentText(), QStringLiteral("Semi-Annually (Canada)"));

    EXPECT_EQ(items(wizard.cboFrequency()),
              (QStringList {QStringLiteral("Annually"), QStringLiteral("Monthly"), QStringLiteral("Semi-Monthly"),
                            QStringLiteral("2 Weeks (accelarated)"), QStringLiteral("2 Weeks"),
                            QStringLiteral("Weekly (accelarated)"), QStringLiteral("Weekly")}));
    const std::array<int, 7> frequencyCodes = {6, 0, 1, 2, 3, 4, 5};
    for (int position = 0; position < 7; ++position) {
        SCOPED_TRACE(position);
        wizard.cboFrequency()->setCurrentIndex(position);
        EXPECT_EQ(wizard.frequency(), frequencyCodes[size_t(position)]);
        EXPECT_EQ(frmWizard::frequencyPosition(frequencyCodes[size_t(position)]), position);
        // The year length is a choice for the weekly and bi-weekly frequencies only.
        EXPECT_EQ(wizard.cboPeriodsPerYear()->isEnabled(), position >= 3);
    }
    EXPECT_EQ(items(wizard.cboPeriodsPerYear()),
              (QStringList {QStringLiteral("52.18 Weeks"), QStringLiteral("52.14 Weeks"), QStringLiteral("52 Weeks")}));
    EXPECT_EQ(items(wizard.cboAmortUnit()), (QStringList {QStringLiteral("Years"), QStringLiteral("Months")}));
}

TEST_F(WizardTest, TheCodesReachTheDocument)
{
    struct Case
    {
        int loanType;
        int compoundingPosition;
        int frequencyPosition;
        int yearLength;
        int compounding, frequency, index;
        double periodsPerYear;
    };
    for (const Case &c :
         {Case {1, 0, 1, 0, 2, 0, 0, 12}, Case {1, 3, 5, 0, 1, 4, 0, 365.25 / 7}, Case {1, 2, 4, 2, 3, 3, 2, 26},
          Case {0, 0, 0, 1, 0, 6, 0, 1}, Case {1, 1, 6, 1, 0, 5, 1, 365.0 / 7}}) {
        SCOPED_TRACE(c.frequencyPosition);
        frmWizard &wizard = newWizard();
        (c.loanType == 0 ? wizard.optPersonalLoan() : wizard.optMortgageLoan())->setChecked(true);
        wizard.cboCompounding()->setCurrentIndex(c.compoundingPosition);
        wizard.cmdNext_Click();
        wizard.cmdNext_Click();
        wizard.cboFrequency()->setCurrentIndex(c.frequencyPosition);
        wizard.cboPeriodsPerYear()->setCurrentIndex(c.yearLength);
        loanData(wizard, QStringLiteral("50000"), QStringLiteral("5"), QStringLiteral("10"));
        wizard.cmdNext_Click();
        wizard.cmdNext_Click();
        ASSERT_EQ(wizard.result(), QDialog::Accepted);
        const engine::LoanDocument &loan = m_document->loan();
        EXPECT_EQ(loan.gintLoanType, c.loanType);
        EXPECT_EQ(loan.gintCompounding, c.compounding);
        EXPECT_EQ(loan.gintFreqOfInst, c.frequency);
        EXPECT_EQ(loan.gintPeriodsPerYearIndex, c.index);
        EXPECT_EQ(loan.gintPeriodsPerYearIndexTmp, c.yearLength);
        EXPECT_EQ(loan.gdblPeriodsPerYear, c.periodsPerYear);
        EXPECT_EQ(m_settings->value(kSettingsSection, kInterestCompound), QString::number(c.compounding));
    }
}

TEST_F(WizardTest, DownPaymentPercentAndDollarsFollowEachOther)
{
    frmWizard &wizard = newWizard();
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption2);
    // Without a purchase price the other field cannot be computed.
    wizard.txtDownPaymentPercent()->setText(QStringLiteral("5"));
    EXPECT_TRUE(wizard.txtDownPaymentDollars()->text().isEmpty());
    EXPECT_TRUE(wizard.txtAmountBorrowed()->text().isEmpty());

    wizard.txtPurchasePrice()->setText(QStringLiteral("200000"));
    EXPECT_EQ(number(wizard, wizard.txtDownPaymentDollars()), 10000);
    EXPECT_EQ(number(wizard, wizard.txtCMHC()), 3.75);
    EXPECT_EQ(number(wizard, wizard.txtAmountBorrowed()), 197125);
    EXPECT_TRUE(wizard.downPaymentInPercent());

    wizard.txtDownPaymentPercent()->setText(QStringLiteral("20"));
    EXPECT_EQ(number(wizard, wizard.txtDownPaymentDollars()), 40000);
    EXPECT_EQ(number(wizard, wizard.txtCMHC()), 1.25);
    EXPECT_EQ(number(wizard, wizard.txtAmountBorrowed()), 162000);
    wizard.txtDownPaymentPercent()->setText(QStringLiteral("100"));
    EXPECT_EQ(number(wizard, wizard.txtCMHC()), 0);
    EXPECT_EQ(number(wizard, wizard.txtAmountBorrowed()), 0);

    // Dollars give the percent, and the premium of that percent.
    wizard.txtDownPaymentDollars()->setText(QStringLiteral("30000"));
    EXPECT_FALSE(wizard.downPaymentInPercent());
    EXPECT_EQ(number(wizard, wizard.txtDownPaymentPercent()), 15);
    EXPECT_EQ(number(wizard, wizard.txtCMHC()), 2);
    EXPECT_EQ(number(wizard, wizard.txtAmountBorrowed()), 173400);
    // A new price keeps the dollars and recomputes the percent.
    wizard.txtPurchasePrice()->setText(QStringLiteral("400000"));
    EXPECT_EQ(number(wizard, wizard.txtDownPaymentDollars()), 30000);
    EXPECT_EQ(number(wizard, wizard.txtDownPaymentPercent()), 7.5);
    EXPECT_EQ(number(wizard, wizard.txtCMHC()), 3.75);

    // A premium the user types stays when the down payment changes.
    wizard.txtCMHC()->setText(QStringLiteral("1"));
    EXPECT_EQ(number(wizard, wizard.txtAmountBorrowed()), 373700);
    wizard.txtDownPaymentPercent()->setText(QStringLiteral("50"));
    EXPECT_EQ(number(wizard, wizard.txtCMHC()), 1);
    EXPECT_EQ(number(wizard, wizard.txtAmountBorrowed()), 202000);
    // A down payment above the price leaves nothing to borrow: the amount is empty, not negative.
    wizard.txtDownPaymentDollars()->setText(QStringLiteral("500000"));
    EXPECT_TRUE(wizard.txtAmountBorrowed()->text().isEmpty());
}

TEST_F(WizardTest, CmhcPremiumByDownPayment)
{
    struct Case
    {
        const char *percent;
        const char *premium; // empty: no premium
    };
    frmWizard &wizard = newWizard();
    wizard.cmdNext_Click();
    wizard.txtPurchasePrice()->setText(QStringLiteral("100000"));
    for (const Case &c :
         {Case {"0", "3.75"}, Case {"9.9999", "3.75"}, Case {"10", "2.5"}, Case {"14.99", "2.5"}, Case {"15", "2"},
          Case {"19.5", "2"}, Case {"20", "1.25"}, Case {"24.9", "1.25"}, Case {"25", "0.75"}, Case {"34.99", "0.75"},
          Case {"35", "0.5"}, Case {"99.99", "0.5"}, Case {"100", "0"}, Case {"250", "0"}, Case {"", ""}}) {
        SCOPED_TRACE(c.percent);
        wizard.txtDownPaymentPercent()->setText(QLatin1String(c.percent));
        EXPECT_EQ(wizard.txtCMHC()->text(), QLatin1String(c.premium));
    }
}

TEST_F(WizardTest, TheAmountBorrowedBecomesTheLoanAmount)
{
    frmWizard &wizard = newWizard();
    wizard.cmdNext_Click();
    wizard.txtPurchasePrice()->setText(QStringLiteral("200000"));
    wizard.txtDownPaymentPercent()->setText(QStringLiteral("5"));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption3);
    EXPECT_EQ(number(wizard, wizard.txtLoanAmount()), 197125);

    // Unchanged since, it does not overwrite a loan amount typed afterwards.
    wizard.txtLoanAmount()->setText(QStringLiteral("150000"));
    wizard.cmdBack_Click();
    wizard.cmdNext_Click();
    EXPECT_EQ(number(wizard, wizard.txtLoanAmount()), 150000);

    // A calculated loan amount follows the other three fields instead.
    wizard.cmdCalcLoanAmount_Click();
    wizard.cmdBack_Click();
    wizard.txtDownPaymentPercent()->setText(QStringLiteral("10"));
    wizard.cmdNext_Click();
    EXPECT_TRUE(wizard.txtLoanAmount()->text().isEmpty()); // rate, amortization and payment are still empty
    wizard.cmdCalcBasicPayment_Click();
    wizard.cmdBack_Click();
    wizard.txtDownPaymentPercent()->setText(QStringLiteral("20"));
    wizard.cmdNext_Click();
    EXPECT_EQ(number(wizard, wizard.txtLoanAmount()), 162000);
}

TEST_F(WizardTest, SkippingTheOptionalStepBothWays)
{
    frmWizard &wizard = newWizard();
    wizard.chkSkipOptional()->setChecked(true);
    EXPECT_EQ(m_settings->value(kSettingsSection, app::kStep2), QStringLiteral("1"));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption3);
    EXPECT_TRUE(wizard.cmdBack()->isEnabled());
    wizard.cmdBack_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption1);
    EXPECT_FALSE(wizard.cmdBack()->isEnabled());

    wizard.chkSkipOptional()->setChecked(false);
    EXPECT_EQ(m_settings->value(kSettingsSection, app::kStep2), QStringLiteral("0"));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption2);
    EXPECT_TRUE(wizard.cmdBack()->isEnabled());
    EXPECT_TRUE(wizard.cmdNext()->isEnabled());
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption3);
    wizard.cmdBack_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption2);
    wizard.cmdBack_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption1);

    // The next wizard starts with the stored choice.
    frmWizard &next = newWizard();
    EXPECT_FALSE(next.chkSkipOptional()->isChecked());
    m_settings->setValue(kSettingsSection, app::kStep2, QStringLiteral("1"));
    EXPECT_TRUE(newWizard().chkSkipOptional()->isChecked());
}

TEST_F(WizardTest, NextWaitsForTheFourMainFieldsAndFinishForThePeriods)
{
    frmWizard &wizard = newWizard();
    wizard.cmdNext_Click();
    wizard.cmdNext_Click();
    ASSERT_EQ(wizard.step(), frmWizard::StepLoanData);
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    wizard.txtLoanAmount()->setText(QStringLiteral("100000"));
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    wizard.txtAnnualRate()->setText(QStringLiteral("6"));
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    wizard.txtAmortization()->setText(QStringLiteral("25"));
    EXPECT_TRUE(wizard.cmdNext()->isEnabled()); // the payment is calculated
    wizard.txtAmortization()->clear();
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    EXPECT_TRUE(wizard.txtBasicPayment()->text().isEmpty());
    // Next on a disabled button does nothing.
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.step(), frmWizard::StepLoanData);

    wizard.txtAmortization()->setText(QStringLiteral("25"));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption4);
    EXPECT_EQ(wizard.cmdNext()->text(), QStringLiteral("Finish"));
    EXPECT_TRUE(wizard.cmdNext()->isEnabled());
    wizard.txtNumberOfPeriods()->clear();
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    wizard.txtNumberOfPeriods()->setText(QStringLiteral("12"));
    EXPECT_TRUE(wizard.cmdNext()->isEnabled());
    wizard.cmdBack_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption3);
    EXPECT_EQ(wizard.cmdNext()->text(), QStringLiteral("&Next >"));
}

// Monthly payments on a Canadian mortgage at 6 %: the periodic rate is 1.03^(1/6) - 1 = 0.0049386220; 300 payments
// of 100,000 give 100000 i / (1 - 1.03^-50) = 639.8066, shown 639.81. Backwards from 639.81: the present value is
// 100000.53, the number of periods 299.99638 (24.9997 years) and the rate 6 %.
TEST_F(WizardTest, EachCalculatorButtonSolvesItsField)
{
    struct Case
    {
        Field field;
        const char *button;
        QString amount, rate, length, payment;
        QLineEdit *(frmWizard::*result)() const;
        double expected;
    };
    const std::array<Case, 4> cases = {Case {Field::BasicPayment,
                                             "cmdCalcBasicPayment",
                                             QStringLiteral("100000"),
                                             QStringLiteral("6"),
                                             QStringLiteral("25"),
                                             {},
                                             &frmWizard::txtBasicPayment,
                                             639.81},
                                       Case {Field::LoanAmount,
                                             "cmdCalcLoanAmount",
                                             {},
                                             QStringLiteral("6"),
                                             QStringLiteral("25"),
                                             QStringLiteral("639.81"),
                                             &frmWizard::txtLoanAmount,
                                             100000.53},
                                       Case {Field::Amortization,
                                             "cmdCalcAmortization",
                                             QStringLiteral("100000"),
                                             QStringLiteral("6"),
                                             {},
                                             QStringLiteral("639.81"),
                                             &frmWizard::txtAmortization,
                                             24.9997},
                                       Case {Field::InterestRate,
                                             "cmdCalcInterestRate",
                                             QStringLiteral("100000"),
                                             {},
                                             QStringLiteral("25"),
                                             QStringLiteral("639.81"),
                                             &frmWizard::txtAnnualRate,
                                             6}};
    const std::map<Field, QString> names = {{Field::BasicPayment, QStringLiteral("Basic Payments")},
                                            {Field::LoanAmount, QStringLiteral("Loan Amount")},
                                            {Field::Amortization, QStringLiteral("Amortization")},
                                            {Field::InterestRate, QStringLiteral("Interest Rate")}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.button);
        frmWizard &wizard = newWizard();
        loanData(wizard, {}, {}, {});
        QToolButton *button = wizard.findChild<QToolButton *>(QLatin1String(c.button));
        ASSERT_NE(button, nullptr);
        button->click();
        EXPECT_EQ(wizard.calculatedField(), c.field);
        EXPECT_FALSE((wizard.*c.result)()->isEnabled());
        EXPECT_TRUE(button->isChecked());
        EXPECT_EQ(wizard.lblCalculatedField()->text(), names.at(c.field));
        EXPECT_TRUE((wizard.*c.result)()->text().isEmpty()); // nothing to solve from yet
        loanData(wizard, c.amount, c.rate, c.length, c.payment);
        EXPECT_NEAR(number(wizard, (wizard.*c.result)()), c.expected, 1e-9);
        EXPECT_TRUE(wizard.cmdNext()->isEnabled());
        // The periodic rate follows the annual rate, solved or typed.
        EXPECT_EQ(wizard.txtPeriodicRate()->text(), QStringLiteral(".49386220%"));
        // The other fields stay editable.
        for (QLineEdit *field :
             {wizard.txtLoanAmount(), wizard.txtAnnualRate(), wizard.txtAmortization(), wizard.txtBasicPayment()})
            EXPECT_EQ(field->isEnabled(), field != (wizard.*c.result)()) << field->objectName().toStdString();
    }
}

TEST_F(WizardTest, CalculatedFieldsFollowEdits)
{
    frmWizard &wizard = newWizard();
    loanData(wizard, QStringLiteral("100000"), QStringLiteral("6"), QStringLiteral("25"));
    EXPECT_EQ(number(wizard, wizard.txtBasicPayment()), 639.81);
    // In months, the same length: the payment stays.
    wizard.cboAmortUnit()->setCurrentIndex(1);
    EXPECT_EQ(number(wizard, wizard.txtAmortization()), 300);
    EXPECT_EQ(number(wizard, wizard.txtBasicPayment()), 639.81);
    // Monthly compounding: i = 0.005 exactly; 300 payments of 100,000 give 644.30.
    wizard.cmdBack_Click();
    wizard.cmdBack_Click();
    wizard.cboCompounding()->setCurrentIndex(3);
    wizard.cmdNext_Click();
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.txtPeriodicRate()->text(), QStringLiteral(".50000000%"));
    EXPECT_EQ(number(wizard, wizard.txtBasicPayment()), 644.30);
    // A payment that does not cover the interest has no amortization: the field empties and Next waits.
    wizard.cmdCalcAmortization_Click();
    EXPECT_NEAR(number(wizard, wizard.txtAmortization()), 300, 0.01);
    wizard.txtBasicPayment()->setText(QStringLiteral("400"));
    EXPECT_TRUE(wizard.txtAmortization()->text().isEmpty());
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    // A rate above 1000 % would be needed: no rate is shown.
    wizard.txtAmortization()->setText(QStringLiteral("12"));
    wizard.cmdCalcInterestRate_Click();
    wizard.txtBasicPayment()->setText(QStringLiteral("99999"));
    EXPECT_TRUE(wizard.txtAnnualRate()->text().isEmpty());
    EXPECT_TRUE(wizard.txtPeriodicRate()->text().isEmpty());
    // Nor when even 0 % would not repay the amount.
    wizard.txtBasicPayment()->setText(QStringLiteral("500"));
    EXPECT_TRUE(wizard.txtAnnualRate()->text().isEmpty());
}

// A personal loan compounds monthly: 12 payments of 888.49 repay 10,000 at 1 % a month, so 12 % a year. Converted as
// if compounded semi-annually (its code 0) the rate would read 12.304 %.
TEST_F(WizardTest, TheSolvedRateOfAPersonalLoanGivesBackItsPayment)
{
    frmWizard &wizard = newWizard();
    wizard.optPersonalLoan()->setChecked(true);
    loanData(wizard, {}, {}, {});
    wizard.cmdCalcInterestRate_Click();
    loanData(wizard, QStringLiteral("10000"), {}, QStringLiteral("1"), QStringLiteral("888.49"));
    EXPECT_EQ(number(wizard, wizard.txtAnnualRate()), 12);
    EXPECT_EQ(wizard.txtPeriodicRate()->text(), QStringLiteral("1.00000000%"));
}

// From monthly payments of 639.81 (100,000 at 6 % semi-annual, 25 years): every two weeks, accelerated, half of it,
// 319.905, which rounds half up to 319.90 in double arithmetic (319.905 is held as 319.90499...), repays the loan in
// 545.35 periods of 365/14 a year, 20.9175 years. The plain bi-weekly payment is 319.90 x 24/26 = 295.29, and back to
// monthly 295.29 x 26/12 = 639.795, 639.80. One payment a year is the level payment at the effective rate
// 1.03^2 - 1 over 25 years: 7889.70.
TEST_F(WizardTest, ChangingTheFrequencyCarriesThePaymentOver)
{
    frmWizard &wizard = newWizard();
    loanData(wizard, QStringLiteral("100000"), QStringLiteral("6"), QStringLiteral("25"));
    ASSERT_EQ(number(wizard, wizard.txtBasicPayment()), 639.81);
    wizard.cboFrequency()->setCurrentIndex(frmWizard::frequencyPosition(engine::kBiWeeklyAccelerated));
    EXPECT_EQ(number(wizard, wizard.txtBasicPayment()), 319.90);
    EXPECT_EQ(number(wizard, wizard.txtAmortization()), 20.9175);
    // The plain bi-weekly payment spreads the same yearly total over 26 payments.
    wizard.cboFrequency()->setCurrentIndex(frmWizard::frequencyPosition(engine::kBiWeekly));
    EXPECT_EQ(number(wizard, wizard.txtBasicPayment()), 295.29);
    wizard.cboFrequency()->setCurrentIndex(frmWizard::frequencyPosition(engine::kMonthly));
    EXPECT_EQ(number(wizard, wizard.txtBasicPayment()), 639.80);

    frmWizard &annual = newWizard();
    loanData(annual, QStringLiteral("100000"), QStringLiteral("6"), QStringLiteral("25"));
    annual.cboFrequency()->setCurrentIndex(frmWizard::frequencyPosition(engine::kAnnually));
    EXPECT_EQ(number(annual, annual.txtBasicPayment()), 7889.70);
    EXPECT_EQ(number(annual, annual.txtAmortization()), 25);
    EXPECT_EQ(annual.txtPeriodicRate()->text(), QStringLiteral("6.09000000%"));
}

TEST_F(WizardTest, FieldsHoldOnlyNumbersWithinTheirLimits)
{
    frmWizard &wizard = newWizard();
    wizard.show();
    loanData(wizard, {}, {}, {});
    struct Case
    {
        QLineEdit *(frmWizard::*field)() const;
        const char *typed;
        const char *kept;
    };
    for (const Case &c :
         {Case {&frmWizard::txtLoanAmount, "12a3.456", "123.45"},
          Case {&frmWizard::txtLoanAmount, "99999999999", "9999999999"},
          Case {&frmWizard::txtAnnualRate, "1001", "100"}, Case {&frmWizard::txtAnnualRate, "-5", "5"},
          Case {&frmWizard::txtAmortization, "10000", "1000"}, Case {&frmWizard::txtAmortization, "2.5x", "2.5"}}) {
        SCOPED_TRACE(c.typed);
        QLineEdit *field = (wizard.*c.field)();
        field->clear();
        QTest::keyClicks(field, QLatin1String(c.typed));
        EXPECT_EQ(field->text(), QLatin1String(c.kept));
    }
    // Text put in by other means is never taken for a number.
    wizard.txtLoanAmount()->setText(QStringLiteral("100000"));
    wizard.txtAmortization()->setText(QStringLiteral("25"));
    wizard.txtAnnualRate()->setText(QStringLiteral("six"));
    EXPECT_FALSE(wizard.value(wizard.txtAnnualRate()).has_value());
    EXPECT_TRUE(wizard.txtBasicPayment()->text().isEmpty());
    EXPECT_TRUE(wizard.txtPeriodicRate()->text().isEmpty());
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    wizard.txtAnnualRate()->setText(QStringLiteral("6"));
    wizard.cmdNext_Click();
    wizard.txtNumberOfPeriods()->setText(QStringLiteral("lots"));
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.result(), 0);
    EXPECT_EQ(m_document->loan().gdblLoanAmount, 0);
}

TEST_F(WizardTest, AStartDateNotBeforeTheFirstPaymentIsRefused)
{
    frmWizard &wizard = newWizard();
    loanData(wizard, QStringLiteral("100000"), QStringLiteral("6"), QStringLiteral("25"));
    wizard.cmdNext_Click();
    ASSERT_EQ(wizard.firstPaymentDue(), serial(2026, 3, 15));
    ASSERT_EQ(wizard.startDate(), serial(2026, 2, 15));
    const QString refused = QStringLiteral("Start Date must be less than First Payment Due");
    for (const QDate &date : {QDate(2026, 3, 15), QDate(2026, 4, 1)}) {
        m_dialogs.messages.clear();
        wizard.dtpStartDate()->setDate(date);
        ASSERT_EQ(m_dialogs.texts(), QStringList {refused});
        EXPECT_EQ(m_dialogs.messages[0].buttons, UserDialogs::Ok);
        EXPECT_EQ(m_dialogs.messages[0].title, QStringLiteral("Pellandra 3.0"));
        EXPECT_EQ(wizard.startDate(), serial(2026, 2, 15));
        EXPECT_EQ(wizard.step(), frmWizard::StepTerm);
    }
    // An accepted date becomes the one a refused date returns to.
    m_dialogs.messages.clear();
    wizard.dtpStartDate()->setDate(QDate(2026, 2, 20));
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
    EXPECT_EQ(wizard.firstPaymentDue(), serial(2026, 3, 15)); // a start between two periods is kept
    wizard.dtpStartDate()->setDate(QDate(2026, 3, 20));
    EXPECT_EQ(m_dialogs.texts(), QStringList {refused});
    EXPECT_EQ(wizard.startDate(), serial(2026, 2, 20));
}

TEST_F(WizardTest, TheDatesFollowEachOtherThroughTheCalendar)
{
    frmWizard &wizard = newWizard();
    wizard.show();
    loanData(wizard, QStringLiteral("100000"), QStringLiteral("6"), QStringLiteral("25"));
    wizard.cmdNext_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    // The date the user fixes comes first.
    EXPECT_EQ(wizard.lblFirstPaymentDue()->text(), QStringLiteral("First Payment on:"));
    EXPECT_EQ(wizard.lblStartDate()->text(), QStringLiteral("Amount Borrowed on:"));
    EXPECT_LT(wizard.dtpFirstPaymentDue()->y(), wizard.dtpStartDate()->y());
    wizard.dtpFirstPaymentDue()->setDate(QDate(2026, 5, 31));
    EXPECT_EQ(wizard.startDate(), serial(2026, 4, 30));

    wizard.optAmountBorrowedOnDate()->setChecked(true);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_EQ(wizard.startPaymentOption(), 1);
    EXPECT_EQ(wizard.optAmountBorrowedOnDate()->text(), QStringLiteral("Amount Borrowed on selected Date"));
    EXPECT_EQ(wizard.lblStartDate()->text(), QStringLiteral("Amount Borrowed on:"));
    EXPECT_EQ(wizard.lblFirstPaymentDue()->text(), QStringLiteral("First Payment due on:"));
    EXPECT_LT(wizard.dtpStartDate()->y(), wizard.dtpFirstPaymentDue()->y());
    EXPECT_EQ(wizard.firstPaymentDue(), serial(2026, 5, 30));
    wizard.dtpStartDate()->setDate(QDate(2026, 1, 31));
    EXPECT_EQ(wizard.firstPaymentDue(), serial(2026, 2, 28));
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
    // Weekly: one week apart.
    wizard.cmdBack_Click();
    wizard.cboFrequency()->setCurrentIndex(frmWizard::frequencyPosition(engine::kWeekly));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.startDate(), serial(2026, 1, 31));
    EXPECT_EQ(wizard.firstPaymentDue(), serial(2026, 2, 7));

    wizard.optFirstPaymentOnDate()->setChecked(true);
    EXPECT_EQ(wizard.optFirstPaymentOnDate()->text(), QStringLiteral("First Payment on Selected Date"));
    EXPECT_EQ(wizard.firstPaymentDue(), serial(2026, 2, 7));
    EXPECT_EQ(wizard.startDate(), serial(2026, 1, 31));
    EXPECT_EQ(wizard.lblFirstPaymentDue()->text(), QStringLiteral("First Payment on:"));
}

TEST_F(WizardTest, PeriodsTermAndLastPaymentFollowEachOther)
{
    struct Case
    {
        const char *periods;
        QString years, months, last;
    };
    frmWizard &wizard = newWizard();
    loanData(wizard, QStringLiteral("100000"), QStringLiteral("6"), QStringLiteral("25"));
    wizard.cmdNext_Click();
    // The amortization's own number of periods to start with.
    EXPECT_EQ(wizard.txtNumberOfPeriods()->text(), QStringLiteral("300"));
    for (const Case &c :
         {Case {"300", QStringLiteral("25 Years"), QStringLiteral("300 Months"), QStringLiteral("2/15/2051")},
          Case {"306", QStringLiteral("25 Years 6 Months"), QStringLiteral("306 Months"), QStringLiteral("8/15/2051")},
          Case {"13", QStringLiteral("1 Year 1 Month"), QStringLiteral("13 Months"), QStringLiteral("3/15/2027")},
          Case {"1", QStringLiteral("1 Month"), QStringLiteral("1 Month"), QStringLiteral("3/15/2026")},
          Case {"", QString(), QString(), QString()}}) {
        SCOPED_TRACE(c.periods);
        wizard.txtNumberOfPeriods()->setText(QLatin1String(c.periods));
        EXPECT_EQ(wizard.txtTermYearsMonths()->text(), c.years);
        EXPECT_EQ(wizard.txtTermMonths()->text(), c.months);
        EXPECT_EQ(wizard.txtLastPaymentDue()->text(), c.last);
    }
    // Changed loan data give the amortization's number again; unchanged, the typed term stays.
    wizard.txtNumberOfPeriods()->setText(QStringLiteral("60"));
    wizard.cmdBack_Click();
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.txtNumberOfPeriods()->text(), QStringLiteral("60"));
    wizard.cmdBack_Click();
    wizard.txtAmortization()->setText(QStringLiteral("20"));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.txtNumberOfPeriods()->text(), QStringLiteral("240"));
    // Bi-weekly: 20 years are 20 x 365/14 = 521.43 periods, so 522 to repay the loan.
    wizard.cmdBack_Click();
    wizard.cboFrequency()->setCurrentIndex(frmWizard::frequencyPosition(engine::kBiWeekly));
    wizard.cmdCalcBasicPayment_Click();
    wizard.txtAmortization()->setText(QStringLiteral("20"));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.txtNumberOfPeriods()->text(), QStringLiteral("522"));
}

TEST_F(WizardTest, FinishWritesTheDocumentAndTheSettings)
{
    m_settings->setValue(kSettingsSection, kStartPayment, QStringLiteral("1"));
    frmWizard &wizard = newWizard();
    EXPECT_EQ(wizard.startPaymentOption(), 1);
    wizard.cboCompounding()->setCurrentIndex(3);
    wizard.cmdNext_Click();
    wizard.txtTitle()->setText(QStringLiteral("Elm Street"));
    wizard.txtComments()->setPlainText(QStringLiteral("First line\nSecond line"));
    wizard.txtPurchasePrice()->setText(QStringLiteral("250000"));
    wizard.txtDownPaymentDollars()->setText(QStringLiteral("50000"));
    wizard.cmdNext_Click();
    wizard.txtAnnualRate()->setText(QStringLiteral("5.25"));
    wizard.txtAmortization()->setText(QStringLiteral("30"));
    wizard.cmdNext_Click();
    wizard.dtpStartDate()->setDate(QDate(2026, 4, 1));
    wizard.txtNumberOfPeriods()->setText(QStringLiteral("60"));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);

    const engine::LoanDocument &loan = m_document->loan();
    EXPECT_EQ(loan.gintLoanType, engine::kMortgageLoan);
    EXPECT_EQ(loan.gintCompounding, 1);
    EXPECT_EQ(loan.gstrTitle, "Elm Street");
    EXPECT_EQ(loan.gstrComments, "First line\nSecond line");
    EXPECT_EQ(loan.gvarPurchasePrice, 250000);
    EXPECT_EQ(loan.gintDownPaymentUnit, 0);
    EXPECT_EQ(loan.gvarDownPayment, 50000);
    EXPECT_EQ(loan.gvarCMHC, 1.25);
    EXPECT_EQ(loan.gvarAmountBorrowed, 202500);
    EXPECT_EQ(loan.gdblLoanAmount, 202500);
    EXPECT_DOUBLE_EQ(loan.gdblAnnualRate, 0.0525);
    EXPECT_EQ(loan.glngAmortization, 30);
    EXPECT_EQ(loan.gintAmortUnit, engine::kYears);
    EXPECT_EQ(loan.gintFreqOfInst, engine::kMonthly);
    // 202,500 at 5.25 % compounded monthly over 360 months: 202500 x 0.004375 / (1 - 1.004375^-360) = 1118.21.
    EXPECT_EQ(loan.gdblBasicPayment, 1118.21);
    EXPECT_NEAR(loan.gdblPeriodicRate, 0.004375, 1e-15);
    EXPECT_EQ(loan.gdblPeriodsPerYear, 12);
    // The money is lent on 1 April: that is the calendar's anchor, and the first payment falls on 1 May.
    EXPECT_EQ(loan.gintStartPayment, 1);
    EXPECT_EQ(loan.gdtmStartDate, serial(2026, 4, 1));
    EXPECT_EQ(loan.gdtmFirstPaymentDue, serial(2026, 4, 1));
    EXPECT_EQ(wizard.firstPaymentDue(), serial(2026, 5, 1));
    EXPECT_EQ(loan.mdblNperTerm, 60);
    EXPECT_EQ(loan.gdtmLastPaymentDue, serial(2031, 4, 1));

    EXPECT_TRUE(m_window->docSlots().state(m_document->slot()).blnModified);
    EXPECT_TRUE(m_window->state().gblnLoanDataChanged);
    EXPECT_FALSE(m_window->state().gblnWizardCancelled);
    EXPECT_EQ(m_settings->value(kSettingsSection, kInterestCompound), QStringLiteral("1"));
    EXPECT_EQ(m_settings->value(kSettingsSection, kStartPayment), QStringLiteral("1"));
}

TEST_F(WizardTest, CancelWritesNothing)
{
    frmWizard &wizard = newWizard();
    const engine::LoanDocument before = m_document->loan();
    wizard.cboCompounding()->setCurrentIndex(3);
    wizard.optAmountBorrowedOnDate()->setChecked(true);
    loanData(wizard, QStringLiteral("100000"), QStringLiteral("6"), QStringLiteral("25"));
    wizard.cmdNext_Click();
    wizard.cmdCancel_Click();
    EXPECT_EQ(wizard.result(), QDialog::Rejected);
    EXPECT_TRUE(m_window->state().gblnWizardCancelled);
    const engine::LoanDocument &after = m_document->loan();
    EXPECT_EQ(after.gdblLoanAmount, before.gdblLoanAmount);
    EXPECT_EQ(after.gintCompounding, before.gintCompounding);
    EXPECT_EQ(after.gdtmFirstPaymentDue, before.gdtmFirstPaymentDue);
    EXPECT_EQ(after.mdblNperTerm, before.mdblNperTerm);
    EXPECT_TRUE(m_settings->value(kSettingsSection, kInterestCompound).isEmpty());
    EXPECT_TRUE(m_settings->value(kSettingsSection, kStartPayment).isEmpty());

    // Escape or the window's close button cancel too.
    frmWizard &other = newWizard();
    m_window->state().gblnWizardCancelled = false;
    other.reject();
    EXPECT_TRUE(m_window->state().gblnWizardCancelled);
}

TEST_F(WizardTest, NewThenCancelLeavesNoWindowAndNoPrompt)
{
    MainWindow &window = start();
    int shown = 0;
    m_onDialog = [&](QDialog &dialog) {
        auto &wizard = dynamic_cast<frmWizard &>(dialog);
        ++shown;
        EXPECT_EQ(wizard.windowTitle(), kCaption1);
        wizard.cmdNext_Click();
        wizard.cmdCancel_Click();
    };
    window.action(QStringLiteral("New"))->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(window.documents().isEmpty());
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
    EXPECT_TRUE(window.docSlots().state(1).blnFree);
    EXPECT_EQ(window.activeDocument(), nullptr);
}

// New, the four steps and Finish: the schedule of the loan the wizard wrote, N + 1 rows, totals as computed.
TEST_F(WizardTest, NewLoanEndToEnd)
{
    MainWindow &window = start();
    m_onDialog = [&](QDialog &dialog) {
        auto &wizard = dynamic_cast<frmWizard &>(dialog);
        wizard.optPersonalLoan()->setChecked(true);
        wizard.cmdNext_Click();
        wizard.txtTitle()->setText(QStringLiteral("Boat"));
        wizard.cmdNext_Click();
        wizard.txtLoanAmount()->setText(QStringLiteral("24000"));
        wizard.txtAnnualRate()->setText(QStringLiteral("7.5"));
        wizard.txtAmortization()->setText(QStringLiteral("4"));
        wizard.cmdNext_Click();
        EXPECT_EQ(wizard.txtNumberOfPeriods()->text(), QStringLiteral("48"));
        wizard.cmdNext_Click();
    };
    window.action(QStringLiteral("New"))->trigger();
    ASSERT_EQ(window.documents().size(), 1);
    frmChild &document = *window.activeDocument();
    EXPECT_EQ(document.windowTitle(), QStringLiteral("Untitled1"));
    const engine::LoanDocument &loan = document.loan();
    // 24,000 at 7.5 % over 48 months: 24000 x 0.00625 / (1 - 1.00625^-48) = 580.29.
    EXPECT_EQ(loan.gdblBasicPayment, 580.29);
    EXPECT_EQ(loan.gridMain0.rows(), 48 + 2);
    EXPECT_EQ(document.gridMain1()->model()->rowCount(), 48 + 1);
    EXPECT_EQ(loan.gdblNumberOfPeriods, 48);

    engine::LoanDocument copy = loan;
    ASSERT_TRUE(engine::Calculate(copy, window.numberFormat()));
    EXPECT_EQ(loan.gdblTotalPayments, copy.gdblTotalPayments);
    EXPECT_EQ(loan.gdblInterestPaid, copy.gdblInterestPaid);
    EXPECT_NEAR(loan.gdblTotalPayments, 48 * 580.29, 1.0);
    EXPECT_EQ(loan.gridMain0.text(48 + 1, engine::colDate), "2/15/2030");
    EXPECT_FALSE(window.progressShown());
    EXPECT_TRUE(window.docSlots().state(document.slot()).blnModified);
    EXPECT_TRUE(window.docSlots().state(document.slot()).blnUntitled);
}

TEST_F(WizardTest, PropertiesLoadsTheDocument)
{
    openExample("car-loan.plr");
    int shown = 0;
    m_onDialog = [&](QDialog &dialog) {
        auto &wizard = dynamic_cast<frmWizard &>(dialog);
        ++shown;
        EXPECT_TRUE(wizard.optPersonalLoan()->isChecked());
        EXPECT_EQ(wizard.cboCompounding()->currentText(), QStringLiteral("Monthly"));
        EXPECT_EQ(wizard.txtTitle()->text(), QStringLiteral("Car loan, 5 years"));
        EXPECT_EQ(number(wizard, wizard.txtLoanAmount()), 32000);
        EXPECT_EQ(number(wizard, wizard.txtAnnualRate()), 7.9);
        EXPECT_EQ(number(wizard, wizard.txtAmortization()), 5);
        EXPECT_EQ(number(wizard, wizard.txtBasicPayment()), 647.31);
        EXPECT_EQ(wizard.cboFrequency()->currentText(), QStringLiteral("Monthly"));
        EXPECT_EQ(wizard.firstPaymentDue(), serial(2026, 2, 15));
        // The document has no start date: the natural one, a month before the first payment.
        EXPECT_EQ(wizard.startDate(), serial(2026, 1, 15));
        EXPECT_EQ(wizard.txtNumberOfPeriods()->text(), QStringLiteral("60"));
        EXPECT_EQ(wizard.txtLastPaymentDue()->text(), QStringLiteral("1/15/2031"));
        EXPECT_FALSE(wizard.loanDataChanged());
        wizard.cmdCancel_Click();
    };
    m_window->action(QStringLiteral("Properties"))->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(m_window->state().gblnWizardCancelled);
    EXPECT_FALSE(m_window->state().gblnPropertiesMode);
}

TEST_F(WizardTest, PropertiesRecalculatesOnlyWhenTheLoanChanged)
{
    frmChild &document = openExample("car-loan.plr");
    engine::LoanDocument &loan = document.loan();
    // A mark in the schedule's texts that only a new calculation removes.
    const std::string payment(loan.gridMain0.text(5, engine::colPayment));
    loan.gridMain0.setFormat(markedFormat());
    ASSERT_FALSE(m_window->docSlots().state(document.slot()).blnModified);

    // Every step and Finish without a change; then a new title only.
    for (const bool retitle : {false, true}) {
        m_onDialog = [&](QDialog &dialog) {
            auto &wizard = dynamic_cast<frmWizard &>(dialog);
            wizard.cmdNext_Click();
            if (retitle)
                wizard.txtTitle()->setText(QStringLiteral("Red car"));
            wizard.cmdNext_Click();
            wizard.cmdNext_Click();
            wizard.cmdNext_Click();
        };
        m_window->action(QStringLiteral("Properties"))->trigger();
        EXPECT_TRUE(loan.gridMain0.text(5, engine::colPayment).starts_with("untouched"));
        EXPECT_FALSE(m_window->state().gblnLoanDataChanged);
        EXPECT_FALSE(m_window->state().gblnWizardCancelled);
        EXPECT_EQ(m_window->docSlots().state(document.slot()).blnModified, retitle);
    }
    EXPECT_EQ(loan.gstrTitle, "Red car");

    // A new rate: a new schedule, the grid's cursor kept, and the normal cursor back.
    document.gridMain1()->setCurrentIndex(document.gridMain1()->model()->index(7, 2));
    m_onDialog = [&](QDialog &dialog) {
        auto &wizard = dynamic_cast<frmWizard &>(dialog);
        loanData(wizard, {}, QStringLiteral("6.9"), {});
        wizard.cmdNext_Click();
        wizard.cmdNext_Click();
    };
    m_window->action(QStringLiteral("Properties"))->trigger();
    EXPECT_TRUE(m_window->state().gblnLoanDataChanged);
    EXPECT_FALSE(loan.gridMain0.text(5, engine::colPayment).starts_with("untouched"));
    EXPECT_DOUBLE_EQ(loan.gdblAnnualRate, 0.069);
    EXPECT_EQ(document.gridMain1()->currentIndex().row(), 7);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(m_window->progressShown());
}

TEST_F(WizardTest, ANewFirstPaymentClearsTheChangeTablesAndANewTermCropsThem)
{
    const engine::NumberFormat &format = [&]() -> const engine::NumberFormat & {
        start();
        return m_window->numberFormat();
    }();
    auto addChanges = [&](engine::LoanDocument &loan) {
        loan.gridAnnualRate.setRows(3);
        engine::setChangeEntry(loan.gridAnnualRate, 1, serial(2026, 8, 1), 5.5, format);
        engine::setChangeEntry(loan.gridAnnualRate, 2, serial(2027, 6, 1), 6, format);
        loan.gridBasicPayment.setRows(2);
        engine::setChangeEntry(loan.gridBasicPayment, 1, serial(2027, 2, 1), 2500, format);
    };

    // The canadian example: first payment 1 February 2026, 300 periods, lump sums on 1 February 2027 and
    // 15 June 2028.
    frmChild &moved = openExample("canadian-mortgage-25y.plr");
    addChanges(moved.loan());
    m_onDialog = [&](QDialog &dialog) {
        auto &wizard = dynamic_cast<frmWizard &>(dialog);
        loanData(wizard, {}, {}, {});
        wizard.cmdNext_Click();
        wizard.dtpFirstPaymentDue()->setDate(QDate(2026, 3, 1));
        wizard.cmdNext_Click();
    };
    m_window->action(QStringLiteral("Properties"))->trigger();
    EXPECT_EQ(moved.loan().gdtmFirstPaymentDue, serial(2026, 3, 1));
    EXPECT_EQ(moved.loan().gridAnnualRate.rows(), 1);
    EXPECT_EQ(moved.loan().gridBasicPayment.rows(), 1);
    EXPECT_EQ(moved.loan().gridLumpSum.rows(), 1);

    // Thirteen periods end on 1 February 2027: entries after it go, one on that day stays.
    frmChild &cropped = openExample("canadian-mortgage-25y.plr");
    addChanges(cropped.loan());
    m_onDialog = [&](QDialog &dialog) {
        auto &wizard = dynamic_cast<frmWizard &>(dialog);
        loanData(wizard, {}, {}, {});
        wizard.cmdNext_Click();
        wizard.txtNumberOfPeriods()->setText(QStringLiteral("13"));
        wizard.cmdNext_Click();
    };
    m_window->action(QStringLiteral("Properties"))->trigger();
    const engine::LoanDocument &loan = cropped.loan();
    EXPECT_EQ(loan.gdtmLastPaymentDue, serial(2027, 2, 1));
    ASSERT_EQ(loan.gridAnnualRate.rows(), 2);
    EXPECT_EQ(loan.GetAnnualRateDate(1), serial(2026, 8, 1));
    ASSERT_EQ(loan.gridBasicPayment.rows(), 2);
    EXPECT_EQ(loan.GetBasicPaymentDate(1), serial(2027, 2, 1));
    ASSERT_EQ(loan.gridLumpSum.rows(), 2);
    EXPECT_EQ(loan.GetLumpSumDate(1), serial(2027, 2, 1));
    EXPECT_EQ(loan.gridMain0.rows(), 13 + 2);
}

TEST_F(WizardTest, LumpSumsOutsideTheLoanGoWhenTheDialogCloses)
{
    frmChild &document = openExample("canadian-mortgage-25y.plr");
    engine::LoanDocument &loan = document.loan();
    // Start 1 January 2026, last payment 1 January 2051.
    const engine::NumberFormat &format = m_window->numberFormat();
    loan.gridLumpSum.setRows(6);
    engine::setChangeEntry(loan.gridLumpSum, 3, serial(2026, 1, 1), 100, format);
    engine::setChangeEntry(loan.gridLumpSum, 4, serial(2051, 1, 1), 200, format);
    engine::setChangeEntry(loan.gridLumpSum, 5, serial(2051, 1, 2), 300, format);
    loan.gridLumpSum.sortRowsBy(engine::chgDateSerial);
    ASSERT_FALSE(m_window->docSlots().state(document.slot()).blnModified);
    loan.gridMain0.setFormat(markedFormat());

    m_onDialog = [](QDialog &dialog) { dynamic_cast<frmWizard &>(dialog).cmdCancel_Click(); };
    m_window->action(QStringLiteral("Properties"))->trigger();
    std::vector<engine::Date> left;
    for (int row = 1; row < loan.gridLumpSum.rows(); ++row)
        left.push_back(loan.GetLumpSumDate(row));
    EXPECT_EQ(left, (std::vector<engine::Date> {serial(2027, 2, 1), serial(2028, 6, 15), serial(2051, 1, 1)}));
    // The document changed, and its schedule with it.
    EXPECT_TRUE(m_window->docSlots().state(document.slot()).blnModified);
    EXPECT_FALSE(loan.gridMain0.text(5, engine::colPayment).starts_with("untouched"));

    // With the only entry outside, the table keeps its heading.
    loan.gridLumpSum.setRows(2);
    engine::setChangeEntry(loan.gridLumpSum, 1, serial(2060, 1, 1), 100, format);
    m_window->action(QStringLiteral("Properties"))->trigger();
    EXPECT_EQ(loan.gridLumpSum.rows(), 1);
    EXPECT_EQ(loan.gridLumpSum.text(0, engine::chgDateText), "Date");
}

TEST_F(WizardTest, TheToolTipBoxSwitchesEveryTip)
{
    frmWizard &wizard = newWizard();
    struct Case
    {
        QWidget *control;
        QString tip;
    };
    const std::vector<Case> cases = {
        {wizard.txtTitle(), QStringLiteral("Enter the Title of your Document Here")},
        {wizard.txtComments(), QStringLiteral("Enter Additional Information Here")},
        {wizard.txtDownPaymentPercent(), QStringLiteral("Down Payment in Percent")},
        {wizard.txtDownPaymentDollars(), QStringLiteral("Down Payment in Dollar Amount")},
        {wizard.txtCMHC(), QStringLiteral("Canada Mortgage and Housing Corporation")},
        {wizard.cmdCalculate(Field::LoanAmount), QStringLiteral("Calculate Loan Amount")},
        {wizard.cmdCalculate(Field::InterestRate), QStringLiteral("Calculate Interest Rate")},
        {wizard.cmdCalculate(Field::Amortization), QStringLiteral("Calculate Amortization")},
        {wizard.cmdCalculate(Field::BasicPayment), QStringLiteral("Calculate Basic Payment")},
        {wizard.dtpStartDate(), QStringLiteral("tip: Use the Arrow keys to change the date")},
        {wizard.dtpFirstPaymentDue(), QStringLiteral("tip: Use the Arrow keys to change the date")}};
    for (const Case &c : cases)
        EXPECT_EQ(c.control->toolTip(), c.tip);
    wizard.chkToolTip()->setChecked(false);
    EXPECT_EQ(m_settings->value(kSettingsSection, kToolTip), QStringLiteral("0"));
    for (const QWidget *widget : wizard.findChildren<QWidget *>())
        EXPECT_TRUE(widget->toolTip().isEmpty()) << widget->objectName().toStdString();
    EXPECT_FALSE(newWizard().chkToolTip()->isChecked());
    m_wizard->chkToolTip()->setChecked(true);
    EXPECT_EQ(m_settings->value(kSettingsSection, kToolTip), QStringLiteral("1"));
    EXPECT_EQ(m_wizard->txtCMHC()->toolTip(), QStringLiteral("Canada Mortgage and Housing Corporation"));
}

TEST_F(WizardTest, DatePickersShowTheProgramsDateFormat)
{
    struct Case
    {
        const char *pattern;
        const char *shown;
    };
    for (const Case &c : {Case {"M/d/yyyy", "3/15/2026"}, Case {"dd-MMM-yyyy", "15-Mar-2026"},
                          Case {"yyyy-MM-dd", "2026-03-15"}, Case {"MMM/d/yyyy", "Mar/15/2026"}}) {
        SCOPED_TRACE(c.pattern);
        m_settings->setValue(kSettingsSection, kDateFormatString, QLatin1String(c.pattern));
        m_wizard.reset();
        stop();
        start();
        frmWizard &wizard = newWizard();
        EXPECT_EQ(wizard.dtpFirstPaymentDue()->text(), QLatin1String(c.shown));
        EXPECT_TRUE(wizard.dtpFirstPaymentDue()->calendarPopup());
    }
}

TEST_F(WizardTest, MenuItemsNeedADocument)
{
    MainWindow &window = start();
    const QList<QAction *> file = window.fileMenu()->actions();
    const qsizetype saveAs = file.indexOf(window.action(QStringLiteral("SaveAs")));
    ASSERT_GE(saveAs, 0);
    EXPECT_TRUE(file.at(saveAs + 1)->isSeparator());
    EXPECT_EQ(file.at(saveAs + 2)->text(), QStringLiteral("Propert&ies"));
    EXPECT_EQ(file.at(saveAs + 2)->objectName(), QStringLiteral("Properties"));

    auto *view = window.findChild<QMenu *>(QStringLiteral("mnuView"));
    const QList<QAction *> items = view->actions();
    const qsizetype timeLeft = items.indexOf(window.action(QStringLiteral("TimeLeft")));
    ASSERT_GE(timeLeft, 1);
    EXPECT_TRUE(items.at(timeLeft - 1)->isSeparator());
    EXPECT_EQ(items.at(timeLeft)->text(), QStringLiteral("T&ime Left to Amortize..."));

    for (QMenu *menu : {window.fileMenu(), view})
        emit menu->aboutToShow();
    EXPECT_FALSE(window.action(QStringLiteral("Properties"))->isEnabled());
    EXPECT_FALSE(window.action(QStringLiteral("TimeLeft"))->isEnabled());
    int shown = 0;
    m_onDialog = [&](QDialog &) { ++shown; };
    window.action(QStringLiteral("Properties"))->trigger();
    EXPECT_EQ(shown, 0);

    openExample("car-loan.plr");
    for (QMenu *menu : {window.fileMenu(), view})
        emit menu->aboutToShow();
    EXPECT_TRUE(window.action(QStringLiteral("Properties"))->isEnabled());
    EXPECT_TRUE(window.action(QStringLiteral("TimeLeft"))->isEnabled());
}

TEST_F(WizardTest, EveryStepFitsItsControls)
{
    frmWizard &wizard = newWizard();
    wizard.show();
    const QStringList names = {QStringLiteral("wizard-1-loan-type"), QStringLiteral("wizard-2-optional"),
                               QStringLiteral("wizard-3-loan-data"), QStringLiteral("wizard-4-term")};
    for (int step = 1; step <= 4; ++step) {
        SCOPED_TRACE(step);
        if (step == 2) {
            wizard.txtPurchasePrice()->setText(QStringLiteral("450000"));
            wizard.txtDownPaymentPercent()->setText(QStringLiteral("5"));
        } else if (step == 3) {
            wizard.txtAnnualRate()->setText(QStringLiteral("5.24"));
            wizard.txtAmortization()->setText(QStringLiteral("25"));
        }
        ASSERT_EQ(wizard.step(), step);
        // Every label, button and field of the page is shown whole, inside the dialog.
        const QRect inside = wizard.rect();
        for (QWidget *widget : wizard.pages()->currentWidget()->findChildren<QWidget *>()) {
            if (!widget->isVisibleTo(&wizard))
                continue;
            const QRect area(widget->mapTo(&wizard, QPoint(0, 0)), widget->size());
            EXPECT_TRUE(inside.contains(area)) << widget->metaObject()->className();
            if (qobject_cast<QLabel *>(widget) || qobject_cast<QAbstractButton *>(widget)
                || qobject_cast<QComboBox *>(widget) || qobject_cast<QDateEdit *>(widget)) {
                EXPECT_GE(widget->width(), widget->minimumSizeHint().width())
                    << widget->metaObject()->className() << " " << widget->objectName().toStdString();
            }
        }
        screenshot(wizard, names[step - 1]);
        wizard.cmdNext_Click();
    }
}
