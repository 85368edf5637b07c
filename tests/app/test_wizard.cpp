#include "WizardTestSupport.h"

#include "app/AppState.h"
#include "app/FileCommands.h"
#include "app/SettingsKeys.h"
#include "app/wizard/LoanDataPage.h"
#include "app/wizard/LoanTypePage.h"
#include "app/wizard/OptionalInformationPage.h"
#include "app/wizard/TermPage.h"
#include "app/wizard/frmWizard.h"

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
using Field = engine::CalculatedField;

namespace {

const QString kCaption1 = QStringLiteral("Loan Data Wizard - Loan Type");
const QString kCaption2 = QStringLiteral("Loan Data Wizard - Optional Information");
const QString kCaption3 = QStringLiteral("Loan Data Wizard - Loan Data");
const QString kCaption4 = QStringLiteral("Loan Data Wizard - Term Information");

engine::Date serial(int year, int month, int day)
{
    return engine::Date(QDate(1899, 12, 30).daysTo(QDate(year, month, day)));
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
        m_wizard.reset();
        m_wizard = std::make_unique<frmWizard>(m_document->loan(), false, *m_settings, m_dialogs,
                                               m_window->numberFormat(), &DataEntryTest::today, m_window.get());
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
            wizard.loanDataPage()->txtLoanAmount()->setText(amount);
        if (!rate.isEmpty())
            wizard.loanDataPage()->txtAnnualRate()->setText(rate);
        if (!length.isEmpty())
            wizard.loanDataPage()->txtAmortization()->setText(length);
        if (!payment.isEmpty())
            wizard.loanDataPage()->txtBasicPayment()->setText(payment);
    }
    static double number(const frmWizard &wizard, const QLineEdit *field)
    {
        return wizard.loanDataPage()->value(field).value_or(-1);
    }

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
        EXPECT_TRUE(wizard.loanTypePage()->optMortgageLoan()->isChecked());
        EXPECT_FALSE(wizard.loanTypePage()->optPersonalLoan()->isChecked());
        EXPECT_EQ(wizard.loanTypePage()->cboCompounding()->currentText(), c.shown);
        EXPECT_EQ(wizard.terms().compounding(), c.stored ? QString::fromLatin1(c.stored).toInt() : 0);
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
    EXPECT_FALSE(wizard.loanTypePage()->chkSkipOptional()->isChecked());
    EXPECT_TRUE(wizard.loanTypePage()->chkToolTip()->isChecked());
    // Amounts empty; monthly in years; the weekly year length list on its second entry, unused for now.
    for (QLineEdit *field : {wizard.optionalPage()->txtPurchasePrice(), wizard.optionalPage()->txtDownPaymentPercent(),
                             wizard.optionalPage()->txtDownPaymentDollars(), wizard.optionalPage()->txtCMHC(),
                             wizard.optionalPage()->txtAmountBorrowed(), wizard.loanDataPage()->txtLoanAmount(),
                             wizard.loanDataPage()->txtAnnualRate(), wizard.loanDataPage()->txtAmortization(),
                             wizard.loanDataPage()->txtBasicPayment()})
        EXPECT_TRUE(field->text().isEmpty()) << field->objectName().toStdString();
    EXPECT_EQ(wizard.loanDataPage()->cboFrequency()->currentText(), QStringLiteral("Monthly"));
    EXPECT_EQ(wizard.terms().frequency(), engine::kMonthly);
    EXPECT_EQ(wizard.loanDataPage()->cboAmortUnit()->currentText(), QStringLiteral("Years"));
    EXPECT_EQ(wizard.loanDataPage()->cboPeriodsPerYear()->currentText(), QStringLiteral("52.14 Weeks"));
    EXPECT_FALSE(wizard.loanDataPage()->cboPeriodsPerYear()->isEnabled());
    EXPECT_EQ(wizard.terms().calculatedField(), Field::BasicPayment);
    // The first payment today; the loan starts one installment earlier. "Start Payment" defaults to 0.
    EXPECT_EQ(wizard.terms().firstPaymentDue(), serial(2026, 3, 15));
    EXPECT_EQ(wizard.terms().startDate(), serial(2026, 2, 15));
    EXPECT_EQ(wizard.terms().startPaymentOption(), 0);
    EXPECT_TRUE(wizard.termPage()->optFirstPaymentOnDate()->isChecked());
    EXPECT_FALSE(wizard.terms().loanDataChanged());
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
    EXPECT_EQ(items(wizard.loanTypePage()->cboCompounding()),
              (QStringList {QStringLiteral("Annually"), QStringLiteral("Semi-Annually (Canada)"),
                            QStringLiteral("Quarterly"), QStringLiteral("Monthly (United State)")}));
    for (const Case &c :
         {Case {0, 2, QStringLiteral("Annually")}, Case {1, 0, QStringLiteral("Semi-Annually (Canada)")},
          Case {2, 3, QStringLiteral("Quarterly")}, Case {3, 1, QStringLiteral("Monthly (United State)")}}) {
        SCOPED_TRACE(c.position);
        wizard.loanTypePage()->cboCompounding()->setCurrentIndex(c.position);
        EXPECT_EQ(wizard.terms().compounding(), c.code);
        EXPECT_EQ(wizard.loanTypePage()->cboCompounding()->currentText(), c.text);
        EXPECT_EQ(engine::compoundingPosition(engine::kMortgageLoan, c.code), c.position);
    }

    // A personal loan offers only "Monthly" (code 0); a code the list does not hold selects nothing.
    wizard.loanTypePage()->optPersonalLoan()->setChecked(true);
    EXPECT_EQ(items(wizard.loanTypePage()->cboCompounding()), QStringList {QStringLiteral("Monthly")});
    EXPECT_EQ(wizard.loanTypePage()->cboCompounding()->currentIndex(), -1); // code 1 is still the compounding
    wizard.loanTypePage()->cboCompounding()->setCurrentIndex(0);
    EXPECT_EQ(wizard.terms().compounding(), 0);
    wizard.loanTypePage()->optMortgageLoan()->setChecked(true);
    EXPECT_EQ(wizard.loanTypePage()->cboCompounding()->currentText(), QStringLiteral("Semi-Annually (Canada)"));

    EXPECT_EQ(items(wizard.loanDataPage()->cboFrequency()),
              (QStringList {QStringLiteral("Annually"), QStringLiteral("Monthly"), QStringLiteral("Semi-Monthly"),
                            QStringLiteral("2 Weeks (accelarated)"), QStringLiteral("2 Weeks"),
                            QStringLiteral("Weekly (accelarated)"), QStringLiteral("Weekly")}));
    const std::array<int, 7> frequencyCodes = {6, 0, 1, 2, 3, 4, 5};
    for (int position = 0; position < 7; ++position) {
        SCOPED_TRACE(position);
        wizard.loanDataPage()->cboFrequency()->setCurrentIndex(position);
        EXPECT_EQ(wizard.terms().frequency(), frequencyCodes[size_t(position)]);
        EXPECT_EQ(engine::frequencyPosition(frequencyCodes[size_t(position)]), position);
        // The year length is a choice for the weekly and bi-weekly frequencies only.
        EXPECT_EQ(wizard.loanDataPage()->cboPeriodsPerYear()->isEnabled(), position >= 3);
    }
    EXPECT_EQ(items(wizard.loanDataPage()->cboPeriodsPerYear()),
              (QStringList {QStringLiteral("52.18 Weeks"), QStringLiteral("52.14 Weeks"), QStringLiteral("52 Weeks")}));
    EXPECT_EQ(items(wizard.loanDataPage()->cboAmortUnit()),
              (QStringList {QStringLiteral("Years"), QStringLiteral("Months")}));
}

TEST_F(WizardTest, DownPaymentPercentAndDollarsFollowEachOther)
{
    frmWizard &wizard = newWizard();
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption2);
    // Without a purchase price the other field cannot be computed.
    wizard.optionalPage()->txtDownPaymentPercent()->setText(QStringLiteral("5"));
    EXPECT_TRUE(wizard.optionalPage()->txtDownPaymentDollars()->text().isEmpty());
    EXPECT_TRUE(wizard.optionalPage()->txtAmountBorrowed()->text().isEmpty());

    wizard.optionalPage()->txtPurchasePrice()->setText(QStringLiteral("200000"));
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtDownPaymentDollars()), 10000);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtCMHC()), 3.75);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtAmountBorrowed()), 197125);
    EXPECT_TRUE(wizard.terms().downPaymentInPercent());

    wizard.optionalPage()->txtDownPaymentPercent()->setText(QStringLiteral("20"));
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtDownPaymentDollars()), 40000);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtCMHC()), 1.25);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtAmountBorrowed()), 162000);
    wizard.optionalPage()->txtDownPaymentPercent()->setText(QStringLiteral("100"));
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtCMHC()), 0);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtAmountBorrowed()), 0);

    // Dollars give the percent, and the premium of that percent.
    wizard.optionalPage()->txtDownPaymentDollars()->setText(QStringLiteral("30000"));
    EXPECT_FALSE(wizard.terms().downPaymentInPercent());
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtDownPaymentPercent()), 15);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtCMHC()), 2);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtAmountBorrowed()), 173400);
    // A new price keeps the dollars and recomputes the percent.
    wizard.optionalPage()->txtPurchasePrice()->setText(QStringLiteral("400000"));
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtDownPaymentDollars()), 30000);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtDownPaymentPercent()), 7.5);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtCMHC()), 3.75);

    // A premium the user types stays when the down payment changes.
    wizard.optionalPage()->txtCMHC()->setText(QStringLiteral("1"));
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtAmountBorrowed()), 373700);
    wizard.optionalPage()->txtDownPaymentPercent()->setText(QStringLiteral("50"));
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtCMHC()), 1);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtAmountBorrowed()), 202000);
    // A down payment above the price leaves nothing to borrow: the amount is empty, not negative.
    wizard.optionalPage()->txtDownPaymentDollars()->setText(QStringLiteral("500000"));
    EXPECT_TRUE(wizard.optionalPage()->txtAmountBorrowed()->text().isEmpty());
}

TEST_F(WizardTest, TheAmountBorrowedBecomesTheLoanAmount)
{
    frmWizard &wizard = newWizard();
    wizard.cmdNext_Click();
    wizard.optionalPage()->txtPurchasePrice()->setText(QStringLiteral("200000"));
    wizard.optionalPage()->txtDownPaymentPercent()->setText(QStringLiteral("5"));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption3);
    EXPECT_EQ(number(wizard, wizard.loanDataPage()->txtLoanAmount()), 197125);

    // Unchanged since, it does not overwrite a loan amount typed afterwards.
    wizard.loanDataPage()->txtLoanAmount()->setText(QStringLiteral("150000"));
    wizard.cmdBack_Click();
    wizard.cmdNext_Click();
    EXPECT_EQ(number(wizard, wizard.loanDataPage()->txtLoanAmount()), 150000);

    // A calculated loan amount follows the other three fields instead.
    wizard.loanDataPage()->cmdCalcLoanAmount_Click();
    wizard.cmdBack_Click();
    wizard.optionalPage()->txtDownPaymentPercent()->setText(QStringLiteral("10"));
    wizard.cmdNext_Click();
    EXPECT_TRUE(
        wizard.loanDataPage()->txtLoanAmount()->text().isEmpty()); // rate, amortization and payment are still empty
    wizard.loanDataPage()->cmdCalcBasicPayment_Click();
    wizard.cmdBack_Click();
    wizard.optionalPage()->txtDownPaymentPercent()->setText(QStringLiteral("20"));
    wizard.cmdNext_Click();
    EXPECT_EQ(number(wizard, wizard.loanDataPage()->txtLoanAmount()), 162000);
}

TEST_F(WizardTest, SkippingTheOptionalStepBothWays)
{
    frmWizard &wizard = newWizard();
    wizard.loanTypePage()->chkSkipOptional()->setChecked(true);
    EXPECT_EQ(m_settings->value(kSettingsSection, app::kStep2), QStringLiteral("1"));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption3);
    EXPECT_TRUE(wizard.cmdBack()->isEnabled());
    wizard.cmdBack_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption1);
    EXPECT_FALSE(wizard.cmdBack()->isEnabled());

    wizard.loanTypePage()->chkSkipOptional()->setChecked(false);
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
    EXPECT_FALSE(next.loanTypePage()->chkSkipOptional()->isChecked());
    m_settings->setValue(kSettingsSection, app::kStep2, QStringLiteral("1"));
    EXPECT_TRUE(newWizard().loanTypePage()->chkSkipOptional()->isChecked());
}

TEST_F(WizardTest, NextWaitsForTheFourMainFieldsAndFinishForThePeriods)
{
    frmWizard &wizard = newWizard();
    wizard.cmdNext_Click();
    wizard.cmdNext_Click();
    ASSERT_EQ(wizard.step(), frmWizard::StepLoanData);
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    wizard.loanDataPage()->txtLoanAmount()->setText(QStringLiteral("100000"));
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    wizard.loanDataPage()->txtAnnualRate()->setText(QStringLiteral("6"));
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    wizard.loanDataPage()->txtAmortization()->setText(QStringLiteral("25"));
    EXPECT_TRUE(wizard.cmdNext()->isEnabled()); // the payment is calculated
    wizard.loanDataPage()->txtAmortization()->clear();
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    EXPECT_TRUE(wizard.loanDataPage()->txtBasicPayment()->text().isEmpty());
    // Next on a disabled button does nothing.
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.step(), frmWizard::StepLoanData);

    wizard.loanDataPage()->txtAmortization()->setText(QStringLiteral("25"));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption4);
    EXPECT_EQ(wizard.cmdNext()->text(), QStringLiteral("Finish"));
    EXPECT_TRUE(wizard.cmdNext()->isEnabled());
    wizard.termPage()->txtNumberOfPeriods()->clear();
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    wizard.termPage()->txtNumberOfPeriods()->setText(QStringLiteral("12"));
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
        QLineEdit *(LoanDataPage::*result)() const;
        double expected;
    };
    const std::array<Case, 4> cases = {Case {Field::BasicPayment,
                                             "cmdCalcBasicPayment",
                                             QStringLiteral("100000"),
                                             QStringLiteral("6"),
                                             QStringLiteral("25"),
                                             {},
                                             &LoanDataPage::txtBasicPayment,
                                             639.81},
                                       Case {Field::LoanAmount,
                                             "cmdCalcLoanAmount",
                                             {},
                                             QStringLiteral("6"),
                                             QStringLiteral("25"),
                                             QStringLiteral("639.81"),
                                             &LoanDataPage::txtLoanAmount,
                                             100000.53},
                                       Case {Field::Amortization,
                                             "cmdCalcAmortization",
                                             QStringLiteral("100000"),
                                             QStringLiteral("6"),
                                             {},
                                             QStringLiteral("639.81"),
                                             &LoanDataPage::txtAmortization,
                                             24.9997},
                                       Case {Field::InterestRate,
                                             "cmdCalcInterestRate",
                                             QStringLiteral("100000"),
                                             {},
                                             QStringLiteral("25"),
                                             QStringLiteral("639.81"),
                                             &LoanDataPage::txtAnnualRate,
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
        EXPECT_EQ(wizard.terms().calculatedField(), c.field);
        EXPECT_FALSE((wizard.loanDataPage()->*c.result)()->isEnabled());
        EXPECT_TRUE(button->isChecked());
        EXPECT_EQ(wizard.loanDataPage()->lblCalculatedField()->text(), names.at(c.field));
        EXPECT_TRUE((wizard.loanDataPage()->*c.result)()->text().isEmpty()); // nothing to solve from yet
        loanData(wizard, c.amount, c.rate, c.length, c.payment);
        EXPECT_NEAR(number(wizard, (wizard.loanDataPage()->*c.result)()), c.expected, 1e-9);
        EXPECT_TRUE(wizard.cmdNext()->isEnabled());
        // The periodic rate follows the annual rate, solved or typed.
        EXPECT_EQ(wizard.loanDataPage()->txtPeriodicRate()->text(), QStringLiteral(".49386220%"));
        // The other fields stay editable.
        for (QLineEdit *field : {wizard.loanDataPage()->txtLoanAmount(), wizard.loanDataPage()->txtAnnualRate(),
                                 wizard.loanDataPage()->txtAmortization(), wizard.loanDataPage()->txtBasicPayment()})
            EXPECT_EQ(field->isEnabled(), field != (wizard.loanDataPage()->*c.result)())
                << field->objectName().toStdString();
    }
}

TEST_F(WizardTest, ChangingTheFrequencyCarriesThePaymentOver)
{
    frmWizard &wizard = newWizard();
    loanData(wizard, QStringLiteral("100000"), QStringLiteral("6"), QStringLiteral("25"));
    ASSERT_EQ(number(wizard, wizard.loanDataPage()->txtBasicPayment()), 639.81);
    wizard.loanDataPage()->cboFrequency()->setCurrentIndex(engine::frequencyPosition(engine::kBiWeeklyAccelerated));
    EXPECT_EQ(number(wizard, wizard.loanDataPage()->txtBasicPayment()), 319.90);
    EXPECT_EQ(number(wizard, wizard.loanDataPage()->txtAmortization()), 20.9175);
    // The plain bi-weekly payment spreads the same yearly total over 26 payments.
    wizard.loanDataPage()->cboFrequency()->setCurrentIndex(engine::frequencyPosition(engine::kBiWeekly));
    EXPECT_EQ(number(wizard, wizard.loanDataPage()->txtBasicPayment()), 295.29);
    wizard.loanDataPage()->cboFrequency()->setCurrentIndex(engine::frequencyPosition(engine::kMonthly));
    EXPECT_EQ(number(wizard, wizard.loanDataPage()->txtBasicPayment()), 639.80);

    frmWizard &annual = newWizard();
    loanData(annual, QStringLiteral("100000"), QStringLiteral("6"), QStringLiteral("25"));
    annual.loanDataPage()->cboFrequency()->setCurrentIndex(engine::frequencyPosition(engine::kAnnually));
    EXPECT_EQ(number(annual, annual.loanDataPage()->txtBasicPayment()), 7889.70);
    EXPECT_EQ(number(annual, annual.loanDataPage()->txtAmortization()), 25);
    EXPECT_EQ(annual.loanDataPage()->txtPeriodicRate()->text(), QStringLiteral("6.09000000%"));
}

TEST_F(WizardTest, FieldsHoldOnlyNumbersWithinTheirLimits)
{
    frmWizard &wizard = newWizard();
    wizard.show();
    loanData(wizard, {}, {}, {});
    struct Case
    {
        QLineEdit *(LoanDataPage::*field)() const;
        const char *typed;
        const char *kept;
    };
    for (const Case &c :
         {Case {&LoanDataPage::txtLoanAmount, "12a3.456", "123.45"},
          Case {&LoanDataPage::txtLoanAmount, "99999999999", "9999999999"},
          Case {&LoanDataPage::txtAnnualRate, "1001", "100"}, Case {&LoanDataPage::txtAnnualRate, "-5", "5"},
          Case {&LoanDataPage::txtAmortization, "10000", "1000"},
          Case {&LoanDataPage::txtAmortization, "2.5x", "2.5"}}) {
        SCOPED_TRACE(c.typed);
        QLineEdit *field = (wizard.loanDataPage()->*c.field)();
        field->clear();
        QTest::keyClicks(field, QLatin1String(c.typed));
        EXPECT_EQ(field->text(), QLatin1String(c.kept));
    }
    // Text put in by other means is never taken for a number.
    wizard.loanDataPage()->txtLoanAmount()->setText(QStringLiteral("100000"));
    wizard.loanDataPage()->txtAmortization()->setText(QStringLiteral("25"));
    wizard.loanDataPage()->txtAnnualRate()->setText(QStringLiteral("six"));
    EXPECT_FALSE(wizard.loanDataPage()->value(wizard.loanDataPage()->txtAnnualRate()).has_value());
    EXPECT_TRUE(wizard.loanDataPage()->txtBasicPayment()->text().isEmpty());
    EXPECT_TRUE(wizard.loanDataPage()->txtPeriodicRate()->text().isEmpty());
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    wizard.loanDataPage()->txtAnnualRate()->setText(QStringLiteral("6"));
    wizard.cmdNext_Click();
    wizard.termPage()->txtNumberOfPeriods()->setText(QStringLiteral("lots"));
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.result(), 0);
    EXPECT_EQ(m_wizard->document().gdblLoanAmount, 0);
}

TEST_F(WizardTest, AStartDateNotBeforeTheFirstPaymentIsRefused)
{
    frmWizard &wizard = newWizard();
    loanData(wizard, QStringLiteral("100000"), QStringLiteral("6"), QStringLiteral("25"));
    wizard.cmdNext_Click();
    ASSERT_EQ(wizard.terms().firstPaymentDue(), serial(2026, 3, 15));
    ASSERT_EQ(wizard.terms().startDate(), serial(2026, 2, 15));
    const QString refused = QStringLiteral("Start Date must be less than First Payment Due");
    for (const QDate &date : {QDate(2026, 3, 15), QDate(2026, 4, 1)}) {
        m_dialogs.messages.clear();
        wizard.termPage()->dtpStartDate()->setDate(date);
        ASSERT_EQ(m_dialogs.texts(), QStringList {refused});
        EXPECT_EQ(m_dialogs.messages[0].buttons, ui::UserDialogs::Ok);
        EXPECT_EQ(m_dialogs.messages[0].title, QStringLiteral("Pellandra 3.0"));
        EXPECT_EQ(wizard.terms().startDate(), serial(2026, 2, 15));
        EXPECT_EQ(wizard.step(), frmWizard::StepTerm);
    }
    // An accepted date becomes the one a refused date returns to.
    m_dialogs.messages.clear();
    wizard.termPage()->dtpStartDate()->setDate(QDate(2026, 2, 20));
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
    EXPECT_EQ(wizard.terms().firstPaymentDue(), serial(2026, 3, 15)); // a start between two periods is kept
    wizard.termPage()->dtpStartDate()->setDate(QDate(2026, 3, 20));
    EXPECT_EQ(m_dialogs.texts(), QStringList {refused});
    EXPECT_EQ(wizard.terms().startDate(), serial(2026, 2, 20));
}

TEST_F(WizardTest, TheDatesFollowEachOtherThroughTheCalendar)
{
    frmWizard &wizard = newWizard();
    wizard.show();
    loanData(wizard, QStringLiteral("100000"), QStringLiteral("6"), QStringLiteral("25"));
    wizard.cmdNext_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    // The date the user fixes comes first.
    EXPECT_EQ(wizard.termPage()->lblFirstPaymentDue()->text(), QStringLiteral("First Payment on:"));
    EXPECT_EQ(wizard.termPage()->lblStartDate()->text(), QStringLiteral("Amount Borrowed on:"));
    EXPECT_LT(wizard.termPage()->dtpFirstPaymentDue()->y(), wizard.termPage()->dtpStartDate()->y());
    wizard.termPage()->dtpFirstPaymentDue()->setDate(QDate(2026, 5, 31));
    EXPECT_EQ(wizard.terms().startDate(), serial(2026, 4, 30));

    wizard.termPage()->optAmountBorrowedOnDate()->setChecked(true);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_EQ(wizard.terms().startPaymentOption(), 1);
    EXPECT_EQ(wizard.termPage()->optAmountBorrowedOnDate()->text(), QStringLiteral("Amount Borrowed on selected Date"));
    EXPECT_EQ(wizard.termPage()->lblStartDate()->text(), QStringLiteral("Amount Borrowed on:"));
    EXPECT_EQ(wizard.termPage()->lblFirstPaymentDue()->text(), QStringLiteral("First Payment due on:"));
    EXPECT_LT(wizard.termPage()->dtpStartDate()->y(), wizard.termPage()->dtpFirstPaymentDue()->y());
    EXPECT_EQ(wizard.terms().firstPaymentDue(), serial(2026, 5, 30));
    wizard.termPage()->dtpStartDate()->setDate(QDate(2026, 1, 31));
    EXPECT_EQ(wizard.terms().firstPaymentDue(), serial(2026, 2, 28));
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
    // Weekly: one week apart.
    wizard.cmdBack_Click();
    wizard.loanDataPage()->cboFrequency()->setCurrentIndex(engine::frequencyPosition(engine::kWeekly));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.terms().startDate(), serial(2026, 1, 31));
    EXPECT_EQ(wizard.terms().firstPaymentDue(), serial(2026, 2, 7));

    wizard.termPage()->optFirstPaymentOnDate()->setChecked(true);
    EXPECT_EQ(wizard.termPage()->optFirstPaymentOnDate()->text(), QStringLiteral("First Payment on Selected Date"));
    EXPECT_EQ(wizard.terms().firstPaymentDue(), serial(2026, 2, 7));
    EXPECT_EQ(wizard.terms().startDate(), serial(2026, 1, 31));
    EXPECT_EQ(wizard.termPage()->lblFirstPaymentDue()->text(), QStringLiteral("First Payment on:"));
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
    EXPECT_EQ(wizard.termPage()->txtNumberOfPeriods()->text(), QStringLiteral("300"));
    for (const Case &c :
         {Case {"300", QStringLiteral("25 Years"), QStringLiteral("300 Months"), QStringLiteral("2/15/2051")},
          Case {"306", QStringLiteral("25 Years 6 Months"), QStringLiteral("306 Months"), QStringLiteral("8/15/2051")},
          Case {"13", QStringLiteral("1 Year 1 Month"), QStringLiteral("13 Months"), QStringLiteral("3/15/2027")},
          Case {"1", QStringLiteral("1 Month"), QStringLiteral("1 Month"), QStringLiteral("3/15/2026")},
          Case {"", QString(), QString(), QString()}}) {
        SCOPED_TRACE(c.periods);
        wizard.termPage()->txtNumberOfPeriods()->setText(QLatin1String(c.periods));
        EXPECT_EQ(wizard.termPage()->txtTermYearsMonths()->text(), c.years);
        EXPECT_EQ(wizard.termPage()->txtTermMonths()->text(), c.months);
        EXPECT_EQ(wizard.termPage()->txtLastPaymentDue()->text(), c.last);
    }
    // Changed loan data give the amortization's number again; unchanged, the typed term stays.
    wizard.termPage()->txtNumberOfPeriods()->setText(QStringLiteral("60"));
    wizard.cmdBack_Click();
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.termPage()->txtNumberOfPeriods()->text(), QStringLiteral("60"));
    wizard.cmdBack_Click();
    wizard.loanDataPage()->txtAmortization()->setText(QStringLiteral("20"));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.termPage()->txtNumberOfPeriods()->text(), QStringLiteral("240"));
    // Bi-weekly: 20 years are 20 x 365/14 = 521.43 periods, so 522 to repay the loan.
    wizard.cmdBack_Click();
    wizard.loanDataPage()->cboFrequency()->setCurrentIndex(engine::frequencyPosition(engine::kBiWeekly));
    wizard.loanDataPage()->cmdCalcBasicPayment_Click();
    wizard.loanDataPage()->txtAmortization()->setText(QStringLiteral("20"));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.termPage()->txtNumberOfPeriods()->text(), QStringLiteral("522"));
}

TEST_F(WizardTest, FinishWritesTheDocumentAndTheSettings)
{
    m_settings->setValue(kSettingsSection, kStartPayment, QStringLiteral("1"));
    frmWizard &wizard = newWizard();
    EXPECT_EQ(wizard.terms().startPaymentOption(), 1);
    wizard.loanTypePage()->cboCompounding()->setCurrentIndex(3);
    wizard.cmdNext_Click();
    wizard.optionalPage()->txtTitle()->setText(QStringLiteral("Elm Street"));
    wizard.optionalPage()->txtComments()->setPlainText(QStringLiteral("First line\nSecond line"));
    wizard.optionalPage()->txtPurchasePrice()->setText(QStringLiteral("250000"));
    wizard.optionalPage()->txtDownPaymentDollars()->setText(QStringLiteral("50000"));
    wizard.cmdNext_Click();
    wizard.loanDataPage()->txtAnnualRate()->setText(QStringLiteral("5.25"));
    wizard.loanDataPage()->txtAmortization()->setText(QStringLiteral("30"));
    wizard.cmdNext_Click();
    wizard.termPage()->dtpStartDate()->setDate(QDate(2026, 4, 1));
    wizard.termPage()->txtNumberOfPeriods()->setText(QStringLiteral("60"));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);

    const engine::LoanDocument &loan = m_wizard->document();
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
    EXPECT_EQ(wizard.terms().firstPaymentDue(), serial(2026, 5, 1));
    EXPECT_EQ(loan.mdblNperTerm, 60);
    EXPECT_EQ(loan.gdtmLastPaymentDue, serial(2031, 4, 1));

    EXPECT_TRUE(wizard.outcome().finished);
    EXPECT_TRUE(wizard.outcome().scheduleChanged);
    EXPECT_EQ(m_settings->value(kSettingsSection, kInterestCompound), QStringLiteral("1"));
    EXPECT_EQ(m_settings->value(kSettingsSection, kStartPayment), QStringLiteral("1"));
}

TEST_F(WizardTest, CancelWritesNothing)
{
    frmWizard &wizard = newWizard();
    const engine::LoanDocument before = m_wizard->document();
    wizard.loanTypePage()->cboCompounding()->setCurrentIndex(3);
    wizard.termPage()->optAmountBorrowedOnDate()->setChecked(true);
    loanData(wizard, QStringLiteral("100000"), QStringLiteral("6"), QStringLiteral("25"));
    wizard.cmdNext_Click();
    wizard.cmdCancel_Click();
    EXPECT_EQ(wizard.result(), QDialog::Rejected);
    EXPECT_FALSE(wizard.outcome().finished);
    EXPECT_FALSE(wizard.outcome().documentChanged);
    const engine::LoanDocument &after = m_wizard->document();
    EXPECT_EQ(after.gdblLoanAmount, before.gdblLoanAmount);
    EXPECT_EQ(after.gintCompounding, before.gintCompounding);
    EXPECT_EQ(after.gdtmFirstPaymentDue, before.gdtmFirstPaymentDue);
    EXPECT_EQ(after.mdblNperTerm, before.mdblNperTerm);
    EXPECT_TRUE(m_settings->value(kSettingsSection, kInterestCompound).isEmpty());
    EXPECT_TRUE(m_settings->value(kSettingsSection, kStartPayment).isEmpty());

    // Escape or the window's close button cancel too.
    frmWizard &other = newWizard();
    other.reject();
    EXPECT_EQ(other.result(), QDialog::Rejected);
    EXPECT_FALSE(other.outcome().finished);
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
    window.files().newDocument->trigger();
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
        wizard.loanTypePage()->optPersonalLoan()->setChecked(true);
        wizard.cmdNext_Click();
        wizard.optionalPage()->txtTitle()->setText(QStringLiteral("Boat"));
        wizard.cmdNext_Click();
        wizard.loanDataPage()->txtLoanAmount()->setText(QStringLiteral("24000"));
        wizard.loanDataPage()->txtAnnualRate()->setText(QStringLiteral("7.5"));
        wizard.loanDataPage()->txtAmortization()->setText(QStringLiteral("4"));
        wizard.cmdNext_Click();
        EXPECT_EQ(wizard.termPage()->txtNumberOfPeriods()->text(), QStringLiteral("48"));
        wizard.cmdNext_Click();
    };
    window.files().newDocument->trigger();
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
        EXPECT_TRUE(wizard.loanTypePage()->optPersonalLoan()->isChecked());
        EXPECT_EQ(wizard.loanTypePage()->cboCompounding()->currentText(), QStringLiteral("Monthly"));
        EXPECT_EQ(wizard.optionalPage()->txtTitle()->text(), QStringLiteral("Car loan, 5 years"));
        EXPECT_EQ(number(wizard, wizard.loanDataPage()->txtLoanAmount()), 32000);
        EXPECT_EQ(number(wizard, wizard.loanDataPage()->txtAnnualRate()), 7.9);
        EXPECT_EQ(number(wizard, wizard.loanDataPage()->txtAmortization()), 5);
        EXPECT_EQ(number(wizard, wizard.loanDataPage()->txtBasicPayment()), 647.31);
        EXPECT_EQ(wizard.loanDataPage()->cboFrequency()->currentText(), QStringLiteral("Monthly"));
        EXPECT_EQ(wizard.terms().firstPaymentDue(), serial(2026, 2, 15));
        // The document has no start date: the natural one, a month before the first payment.
        EXPECT_EQ(wizard.terms().startDate(), serial(2026, 1, 15));
        EXPECT_EQ(wizard.termPage()->txtNumberOfPeriods()->text(), QStringLiteral("60"));
        EXPECT_EQ(wizard.termPage()->txtLastPaymentDue()->text(), QStringLiteral("1/15/2031"));
        EXPECT_FALSE(wizard.terms().loanDataChanged());
        wizard.cmdCancel_Click();
    };
    m_window->files().properties->trigger();
    EXPECT_EQ(shown, 1);
}

TEST_F(WizardTest, PropertiesRecalculatesOnlyWhenTheLoanChanged)
{
    frmChild &document = openExample("car-loan.plr");
    engine::LoanDocument &loan = document.loan();
    // A mark in the schedule that only a new calculation removes.
    const std::string payment(loan.gridMain0.text(5, engine::colPayment));
    loan.gridMain0.setText(5, engine::colPayment, "untouched");
    ASSERT_FALSE(m_window->docSlots().state(document.slot()).blnModified);

    // Every step and Finish without a change; then a new title only.
    for (const bool retitle : {false, true}) {
        m_onDialog = [&](QDialog &dialog) {
            auto &wizard = dynamic_cast<frmWizard &>(dialog);
            wizard.cmdNext_Click();
            if (retitle)
                wizard.optionalPage()->txtTitle()->setText(QStringLiteral("Red car"));
            wizard.cmdNext_Click();
            wizard.cmdNext_Click();
            wizard.cmdNext_Click();
        };
        m_window->files().properties->trigger();
        EXPECT_EQ(loan.gridMain0.text(5, engine::colPayment), "untouched");
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
    m_window->files().properties->trigger();
    EXPECT_NE(loan.gridMain0.text(5, engine::colPayment), "untouched");
    EXPECT_DOUBLE_EQ(loan.gdblAnnualRate, 0.069);
    EXPECT_EQ(document.gridMain1()->currentIndex().row(), 7);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(m_window->progressShown());
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
    loan.gridMain0.setText(5, engine::colPayment, "untouched");

    m_onDialog = [](QDialog &dialog) { dynamic_cast<frmWizard &>(dialog).cmdCancel_Click(); };
    m_window->files().properties->trigger();
    std::vector<engine::Date> left;
    for (int row = 1; row < loan.gridLumpSum.rows(); ++row)
        left.push_back(loan.GetLumpSumDate(row));
    EXPECT_EQ(left, (std::vector<engine::Date> {serial(2027, 2, 1), serial(2028, 6, 15), serial(2051, 1, 1)}));
    // The document changed, and its schedule with it.
    EXPECT_TRUE(m_window->docSlots().state(document.slot()).blnModified);
    EXPECT_NE(loan.gridMain0.text(5, engine::colPayment), "untouched");

    // With the only entry outside, the table keeps its heading.
    loan.gridLumpSum.setRows(2);
    engine::setChangeEntry(loan.gridLumpSum, 1, serial(2060, 1, 1), 100, format);
    m_window->files().properties->trigger();
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
        {wizard.optionalPage()->txtTitle(), QStringLiteral("Enter the Title of your Document Here")},
        {wizard.optionalPage()->txtComments(), QStringLiteral("Enter Additional Information Here")},
        {wizard.optionalPage()->txtDownPaymentPercent(), QStringLiteral("Down Payment in Percent")},
        {wizard.optionalPage()->txtDownPaymentDollars(), QStringLiteral("Down Payment in Dollar Amount")},
        {wizard.optionalPage()->txtCMHC(), QStringLiteral("Canada Mortgage and Housing Corporation")},
        {wizard.loanDataPage()->cmdCalculate(Field::LoanAmount), QStringLiteral("Calculate Loan Amount")},
        {wizard.loanDataPage()->cmdCalculate(Field::InterestRate), QStringLiteral("Calculate Interest Rate")},
        {wizard.loanDataPage()->cmdCalculate(Field::Amortization), QStringLiteral("Calculate Amortization")},
        {wizard.loanDataPage()->cmdCalculate(Field::BasicPayment), QStringLiteral("Calculate Basic Payment")},
        {wizard.termPage()->dtpStartDate(), QStringLiteral("tip: Use the Arrow keys to change the date")},
        {wizard.termPage()->dtpFirstPaymentDue(), QStringLiteral("tip: Use the Arrow keys to change the date")}};
    for (const Case &c : cases)
        EXPECT_EQ(c.control->toolTip(), c.tip);
    wizard.loanTypePage()->chkToolTip()->setChecked(false);
    EXPECT_EQ(m_settings->value(kSettingsSection, kToolTip), QStringLiteral("0"));
    for (const QWidget *widget : wizard.findChildren<QWidget *>())
        EXPECT_TRUE(widget->toolTip().isEmpty()) << widget->objectName().toStdString();
    EXPECT_FALSE(newWizard().loanTypePage()->chkToolTip()->isChecked());
    m_wizard->loanTypePage()->chkToolTip()->setChecked(true);
    EXPECT_EQ(m_settings->value(kSettingsSection, kToolTip), QStringLiteral("1"));
    EXPECT_EQ(m_wizard->optionalPage()->txtCMHC()->toolTip(),
              QStringLiteral("Canada Mortgage and Housing Corporation"));
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
        EXPECT_EQ(wizard.termPage()->dtpFirstPaymentDue()->text(), QLatin1String(c.shown));
        EXPECT_TRUE(wizard.termPage()->dtpFirstPaymentDue()->calendarPopup());
    }
}

TEST_F(WizardTest, MenuItemsNeedADocument)
{
    MainWindow &window = start();
    const QList<QAction *> file = window.fileMenu()->actions();
    const qsizetype saveAs = file.indexOf(window.files().saveAs);
    ASSERT_GE(saveAs, 0);
    EXPECT_TRUE(file.at(saveAs + 1)->isSeparator());
    EXPECT_EQ(file.at(saveAs + 2)->text(), QStringLiteral("Propert&ies"));
    EXPECT_EQ(file.at(saveAs + 2), window.files().properties);

    auto *view = window.findChild<QMenu *>(QStringLiteral("mnuView"));
    const QList<QAction *> items = view->actions();
    const qsizetype timeLeft = items.indexOf(window.viewCommands().timeLeft);
    ASSERT_GE(timeLeft, 1);
    EXPECT_TRUE(items.at(timeLeft - 1)->isSeparator());
    EXPECT_EQ(items.at(timeLeft)->text(), QStringLiteral("T&ime Left to Amortize..."));

    for (QMenu *menu : {window.fileMenu(), view})
        emit menu->aboutToShow();
    EXPECT_FALSE(window.files().properties->isEnabled());
    EXPECT_FALSE(window.viewCommands().timeLeft->isEnabled());
    int shown = 0;
    m_onDialog = [&](QDialog &) { ++shown; };
    window.files().properties->trigger();
    EXPECT_EQ(shown, 0);

    openExample("car-loan.plr");
    for (QMenu *menu : {window.fileMenu(), view})
        emit menu->aboutToShow();
    EXPECT_TRUE(window.files().properties->isEnabled());
    EXPECT_TRUE(window.viewCommands().timeLeft->isEnabled());
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
            wizard.optionalPage()->txtPurchasePrice()->setText(QStringLiteral("450000"));
            wizard.optionalPage()->txtDownPaymentPercent()->setText(QStringLiteral("5"));
        } else if (step == 3) {
            wizard.loanDataPage()->txtAnnualRate()->setText(QStringLiteral("5.24"));
            wizard.loanDataPage()->txtAmortization()->setText(QStringLiteral("25"));
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
