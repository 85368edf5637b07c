#include "WizardTest.h"

#include "app/SettingsKeys.h"

#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "ui/DateField.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <map>

using namespace app;

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
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtCMHC()), 4);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtAmountBorrowed()), 197600);
    EXPECT_TRUE(wizard.terms().downPaymentInPercent());

    wizard.optionalPage()->txtDownPaymentPercent()->setText(QStringLiteral("20"));
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtDownPaymentDollars()), 40000);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtCMHC()), 0);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtAmountBorrowed()), 160000);
    wizard.optionalPage()->txtDownPaymentPercent()->setText(QStringLiteral("100"));
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtCMHC()), 0);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtAmountBorrowed()), 0);

    // Dollars give the percent, and the premium of that percent.
    wizard.optionalPage()->txtDownPaymentDollars()->setText(QStringLiteral("30000"));
    EXPECT_FALSE(wizard.terms().downPaymentInPercent());
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtDownPaymentPercent()), 15);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtCMHC()), 2.8);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtAmountBorrowed()), 174760);
    // A new price keeps the dollars and recomputes the percent.
    wizard.optionalPage()->txtPurchasePrice()->setText(QStringLiteral("400000"));
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtDownPaymentDollars()), 30000);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtDownPaymentPercent()), 7.5);
    EXPECT_EQ(number(wizard, wizard.optionalPage()->txtCMHC()), 4);

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
    EXPECT_EQ(number(wizard, wizard.loanDataPage()->txtLoanAmount()), 197600);

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
    EXPECT_EQ(number(wizard, wizard.loanDataPage()->txtLoanAmount()), 160000);
}

// Monthly payments on a Canadian mortgage at 6 %: the periodic rate is 1.03^(1/6) - 1 = 0.0049386220; 300 payments
// of 100,000 give 639.81. Backwards from 639.81: the present value is 100000.53, the amortization 24.9997 years and
// the rate 6.0000568 %, shown to four decimals (the engine's tests work these out).
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
                                             6.0001}};
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
        EXPECT_EQ(wizard.loanDataPage()->txtPeriodicRate()->text(),
                  c.field == Field::InterestRate ? QStringLiteral(".49386682%") : QStringLiteral(".49386220%"));
        // The other fields stay editable.
        for (QLineEdit *field : {wizard.loanDataPage()->txtLoanAmount(), wizard.loanDataPage()->txtAnnualRate(),
                                 wizard.loanDataPage()->txtAmortization(), wizard.loanDataPage()->txtBasicPayment()})
            EXPECT_EQ(field->isEnabled(), field != (wizard.loanDataPage()->*c.result)())
                << field->objectName().toStdString();
    }
    // The document gets the rate as solved, not as shown.
    frmWizard &wizard = *m_wizard;
    wizard.cmdNext_Click();
    wizard.cmdNext_Click();
    ASSERT_TRUE(wizard.outcome().finished);
    EXPECT_NEAR(wizard.document().gdblAnnualRate * 100, 6.0000568009, 1e-9);
}

// The payment of 639.81 a month at other frequencies (worked out in the engine's tests): half of it every two weeks,
// accelerated, which shortens the amortization; 294.09 plain bi-weekly over the same 25 years; the loan as entered
// back at monthly, with its own number of periods; 7889.70 once a year.
TEST_F(WizardTest, ChangingTheFrequencyCarriesThePaymentOver)
{
    frmWizard &wizard = newWizard();
    LoanDataPage &page = *wizard.loanDataPage();
    loanData(wizard, QStringLiteral("100000"), QStringLiteral("6"), QStringLiteral("25"));
    ASSERT_EQ(number(wizard, page.txtBasicPayment()), 639.81);
    page.cboFrequency()->setCurrentIndex(engine::frequencyPosition(engine::kBiWeeklyAccelerated));
    EXPECT_EQ(number(wizard, page.txtBasicPayment()), 319.90);
    EXPECT_EQ(number(wizard, page.txtAmortization()), 20.9175);
    page.cboFrequency()->setCurrentIndex(engine::frequencyPosition(engine::kBiWeekly));
    EXPECT_EQ(number(wizard, page.txtBasicPayment()), 294.09);
    EXPECT_EQ(number(wizard, page.txtAmortization()), 25);
    page.cboFrequency()->setCurrentIndex(engine::frequencyPosition(engine::kMonthly));
    EXPECT_EQ(number(wizard, page.txtBasicPayment()), 639.81);
    EXPECT_EQ(number(wizard, page.txtAmortization()), 25);
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.termPage()->txtNumberOfPeriods()->text(), QStringLiteral("300"));

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
         {Case {&LoanDataPage::txtLoanAmount, "12a3.456", "123.456"},
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
    // Kept whole, a figure with more decimals than the field takes is no amount (a digit dropped would make another).
    wizard.loanDataPage()->txtLoanAmount()->clear();
    QTest::keyClicks(wizard.loanDataPage()->txtLoanAmount(), QStringLiteral("123.456"));
    EXPECT_FALSE(wizard.loanDataPage()->value(wizard.loanDataPage()->txtLoanAmount()).has_value());
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

// Each numeric field takes its upper limit and refuses the keystroke that would pass it.
TEST_F(WizardTest, EveryNumberFieldStopsAtItsLimit)
{
    frmWizard &wizard = newWizard();
    wizard.show();
    struct Case
    {
        const char *field;
        const char *limit;
        const char *over;
        const char *kept;
    };
    for (const Case &c : {
             Case {"txtPurchasePrice", "9999999999", "99999999990", "9999999999"},
             Case {"txtDownPaymentPercent", "1000", "10001", "1000"},
             Case {"txtDownPaymentDollars", "9999999999", "10000000000", "1000000000"},
             Case {"txtCMHC", "1000", "1001", "100"},
             Case {"txtAmountBorrowed", "9999999999", "99999999999", "9999999999"},
             Case {"txtLoanAmount", "9999999999.99", "10000000000", "1000000000"},
             Case {"txtAnnualRate", "1000", "1000.00001", "1000.0000"},
             Case {"txtAmortization", "9999", "99990", "9999"},
             Case {"txtBasicPayment", "9999999999.99", "99999999999", "9999999999"},
             Case {"txtNumberOfPeriods", "90000", "90001", "9000"},
         }) {
        SCOPED_TRACE(c.field);
        auto *field = wizard.findChild<QLineEdit *>(QLatin1String(c.field));
        ASSERT_NE(field, nullptr);
        // The payment is calculated until another field is.
        if (field == wizard.loanDataPage()->txtBasicPayment())
            wizard.loanDataPage()->cmdCalcAmortization_Click();
        ASSERT_TRUE(field->isEnabled());
        field->clear();
        QTest::keyClicks(field, QLatin1String(c.limit));
        EXPECT_EQ(field->text(), QLatin1String(c.limit));
        field->clear();
        QTest::keyClicks(field, QLatin1String(c.over));
        EXPECT_EQ(field->text(), QLatin1String(c.kept));
    }
}

TEST_F(WizardTest, AStartDateNotBeforeTheFirstPaymentIsRefused)
{
    frmWizard &wizard = newWizard();
    loanData(wizard, QStringLiteral("100000"), QStringLiteral("6"), QStringLiteral("25"));
    wizard.cmdNext_Click();
    ASSERT_EQ(wizard.terms().firstPaymentDue(), ymd(2026, 3, 15));
    ASSERT_EQ(wizard.terms().startDate(), ymd(2026, 2, 15));
    const QString refused = QStringLiteral("Start Date must be less than First Payment Due");
    for (const QDate &date : {QDate(2026, 3, 15), QDate(2026, 4, 1)}) {
        m_dialogs.messages.clear();
        wizard.termPage()->dtpStartDate()->setDate(date);
        ASSERT_EQ(m_dialogs.texts(), QStringList {refused});
        EXPECT_EQ(m_dialogs.messages[0].buttons, ui::UserDialogs::Ok);
        EXPECT_EQ(m_dialogs.messages[0].title, QStringLiteral("Pellandra 3.0"));
        EXPECT_EQ(wizard.terms().startDate(), ymd(2026, 2, 15));
        EXPECT_EQ(wizard.step(), frmWizard::StepTerm);
    }
    // An accepted date becomes the one a refused date returns to.
    m_dialogs.messages.clear();
    wizard.termPage()->dtpStartDate()->setDate(QDate(2026, 2, 20));
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
    EXPECT_EQ(wizard.terms().firstPaymentDue(), ymd(2026, 3, 15)); // a start between two periods is kept
    wizard.termPage()->dtpStartDate()->setDate(QDate(2026, 3, 20));
    EXPECT_EQ(m_dialogs.texts(), QStringList {refused});
    EXPECT_EQ(wizard.terms().startDate(), ymd(2026, 2, 20));
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
    EXPECT_EQ(wizard.terms().startDate(), ymd(2026, 4, 30));

    wizard.termPage()->optAmountBorrowedOnDate()->setChecked(true);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_EQ(wizard.terms().startPaymentOption(), 1);
    EXPECT_EQ(wizard.termPage()->optAmountBorrowedOnDate()->text(), QStringLiteral("Amount Borrowed on selected Date"));
    EXPECT_EQ(wizard.termPage()->lblStartDate()->text(), QStringLiteral("Amount Borrowed on:"));
    EXPECT_EQ(wizard.termPage()->lblFirstPaymentDue()->text(), QStringLiteral("First Payment due on:"));
    EXPECT_LT(wizard.termPage()->dtpStartDate()->y(), wizard.termPage()->dtpFirstPaymentDue()->y());
    EXPECT_EQ(wizard.terms().firstPaymentDue(), ymd(2026, 5, 30));
    wizard.termPage()->dtpStartDate()->setDate(QDate(2026, 1, 31));
    EXPECT_EQ(wizard.terms().firstPaymentDue(), ymd(2026, 2, 28));
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
    // Weekly: one week apart.
    wizard.cmdBack_Click();
    wizard.loanDataPage()->cboFrequency()->setCurrentIndex(engine::frequencyPosition(engine::kWeekly));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.terms().startDate(), ymd(2026, 1, 31));
    EXPECT_EQ(wizard.terms().firstPaymentDue(), ymd(2026, 2, 7));

    wizard.termPage()->optFirstPaymentOnDate()->setChecked(true);
    EXPECT_EQ(wizard.termPage()->optFirstPaymentOnDate()->text(), QStringLiteral("First Payment on Selected Date"));
    EXPECT_EQ(wizard.terms().firstPaymentDue(), ymd(2026, 2, 7));
    EXPECT_EQ(wizard.terms().startDate(), ymd(2026, 1, 31));
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
