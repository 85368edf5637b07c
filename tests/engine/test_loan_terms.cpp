#include "engine/ChangeTables.h"
#include "engine/LoanDocument.h"
#include "engine/LoanTerms.h"
#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "engine/ScheduleTable.h"
#include "support/Dates.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace engine;
using Amount = LoanTerms::Amount;

namespace {

const Date kToday = ymd(2026, 3, 15);

// A new loan with the three main fields that give the payment, on the loan data step.
LoanTerms loanData(Amount amount, Amount rate, Amount length, Amount payment = std::nullopt)
{
    LoanTerms terms = LoanTerms::forNewDocument(0, 0, kToday);
    terms.enterLoanData();
    if (amount)
        terms.setLoanAmount(amount);
    if (rate)
        terms.setAnnualRate(rate);
    if (length)
        terms.setAmortization(length);
    if (payment)
        terms.setBasicPayment(payment);
    return terms;
}

std::string periodicRateText(const LoanTerms &terms)
{
    const auto rate = terms.periodicRate();
    return rate ? NumberFormat().percent(*rate, 8, false) : std::string();
}

// The car loan example: a personal loan of 32,000 at 7.9 % over five years, 60 monthly payments of 647.31 from
// 15 February 2026, without a start date.
LoanDocument carLoan()
{
    LoanDocument doc;
    doc.gintLoanType = kPersonalLoan;
    doc.gstrTitle = "Car loan, 5 years";
    doc.gdblLoanAmount = 32000;
    doc.gdblAnnualRate = 0.079;
    doc.glngAmortization = 5;
    doc.gdblBasicPayment = 647.31;
    doc.gdtmFirstPaymentDue = ymd(2026, 2, 15);
    doc.mdblNperTerm = 60;
    doc.gdtmLastPaymentDue = ymd(2031, 1, 15);
    return doc;
}

std::vector<Date> dates(const TextTable &table)
{
    std::vector<Date> out;
    for (int row = 1; row < table.rows(); ++row)
        out.push_back(serialDate(table.text(row, chgDateSerial)));
    return out;
}

void addEntries(TextTable &table, const std::vector<Date> &entries)
{
    const NumberFormat format;
    for (Date date : entries)
        setChangeByDate(table, date, 100, format);
}

} // namespace

TEST(LoanTermsTest, ANewLoanStartsOneInstallmentBeforeItsFirstPayment)
{
    struct Case
    {
        int compounding;
        int startPayment;
        Date start, first;
        int shown; // a damaged setting gives the default compounding
    };
    for (const Case &c : {Case {0, 0, ymd(2026, 2, 15), kToday, 0}, Case {3, 1, ymd(2026, 2, 15), kToday, 3},
                          Case {1, 7, ymd(2026, 2, 15), kToday, 1}, Case {2, 0, ymd(2026, 2, 15), kToday, 2},
                          Case {4, 0, ymd(2026, 2, 15), kToday, 0}, Case {-1, 0, ymd(2026, 2, 15), kToday, 0}}) {
        SCOPED_TRACE(c.compounding);
        const LoanTerms terms = LoanTerms::forNewDocument(c.compounding, c.startPayment, kToday);
        EXPECT_EQ(terms.loanType(), kMortgageLoan);
        EXPECT_EQ(terms.compounding(), c.shown);
        EXPECT_EQ(terms.startPaymentOption(), c.startPayment != 0 ? 1 : 0);
        EXPECT_EQ(terms.startDate(), c.start);
        EXPECT_EQ(terms.firstPaymentDue(), c.first);
        EXPECT_EQ(terms.frequency(), kMonthly);
        EXPECT_EQ(terms.amortUnit(), kYears);
        EXPECT_EQ(terms.yearLengthChoice(), 1);
        EXPECT_EQ(terms.calculatedField(), CalculatedField::BasicPayment);
        for (unsigned bit = 1; bit <= LoanTerms::NumberOfPeriods; bit <<= 1)
            EXPECT_FALSE(terms.value(LoanTerms::Field(bit))) << bit;
        EXPECT_FALSE(terms.loanDataChanged());
        EXPECT_FALSE(terms.titleChanged());
    }
    // At a month's end the day the money is lent is clamped, and a first payment fixed from it follows.
    const LoanTerms lent = LoanTerms::forNewDocument(0, 1, ymd(2026, 3, 31));
    EXPECT_EQ(lent.startDate(), ymd(2026, 2, 28));
    EXPECT_EQ(lent.firstPaymentDue(), ymd(2026, 3, 28));
}

TEST(LoanTermsTest, AnExistingLoanAsItsFieldsShowIt)
{
    const LoanTerms car = LoanTerms::fromDocument(carLoan(), kToday);
    EXPECT_EQ(car.loanType(), kPersonalLoan);
    EXPECT_EQ(car.title(), "Car loan, 5 years");
    EXPECT_EQ(car.value(LoanTerms::LoanAmount), 32000);
    EXPECT_EQ(car.value(LoanTerms::AnnualRate), 7.9); // 0.079 x 100 is 7.8999999999999995, shown 7.9
    EXPECT_EQ(car.value(LoanTerms::Amortization), 5);
    EXPECT_EQ(car.value(LoanTerms::BasicPayment), 647.31);
    EXPECT_EQ(car.firstPaymentDue(), ymd(2026, 2, 15));
    // No start date: the natural one, a month before the first payment.
    EXPECT_EQ(car.startDate(), ymd(2026, 1, 15));
    EXPECT_EQ(car.value(LoanTerms::NumberOfPeriods), 90 - 30);
    EXPECT_EQ(car.term().lastPaymentDue, ymd(2031, 1, 15));
    EXPECT_FALSE(car.loanDataChanged());

    struct Case
    {
        const char *name;
        std::function<void(LoanDocument &)> change;
        std::function<void(const LoanTerms &)> check;
    };
    const std::vector<Case> cases = {
        {"a down payment in percent gives the dollars",
         [](LoanDocument &doc) {
             doc.gvarPurchasePrice = 200000;
             doc.gintDownPaymentUnit = -1;
             doc.gvarDownPayment = 5;
         },
         [](const LoanTerms &t) {
             EXPECT_TRUE(t.downPaymentInPercent());
             EXPECT_EQ(t.value(LoanTerms::DownPaymentDollars), 10000);
             EXPECT_FALSE(t.value(LoanTerms::Cmhc)); // a stored premium is not derived on opening
         }},
        {"a reopened loan shows its amount borrowed again, leaving the loan amount as it was",
         [](LoanDocument &doc) {
             doc.gvarPurchasePrice = 200000;
             doc.gintDownPaymentUnit = -1;
             doc.gvarDownPayment = 5;
             doc.gvarCMHC = 3.75;
         },
         [](const LoanTerms &t) {
             // (200,000 - 10,000) x 1.0375
             EXPECT_EQ(t.value(LoanTerms::AmountBorrowed), 197125);
             LoanTerms next = t;
             next.enterLoanData();
             EXPECT_EQ(next.value(LoanTerms::LoanAmount), 32000);
             EXPECT_FALSE(next.loanDataChanged());
         }},
        {"a premium saved from an older table stays, whatever the down payment",
         [](LoanDocument &doc) {
             doc.gvarPurchasePrice = 200000;
             doc.gintDownPaymentUnit = -1;
             doc.gvarDownPayment = 10;
             doc.gvarCMHC = 2.5;
         },
         [](const LoanTerms &t) {
             EXPECT_EQ(t.value(LoanTerms::Cmhc), 2.5);
             EXPECT_EQ(t.value(LoanTerms::AmountBorrowed), 184500); // 180,000 x 1.025
             LoanTerms next = t;
             next.setDownPaymentPercent(5);
             EXPECT_EQ(next.value(LoanTerms::Cmhc), 2.5);
         }},
        {"one the wizard gave stays as it was",
         [](LoanDocument &doc) {
             doc.gvarPurchasePrice = 200000;
             doc.gvarAmountBorrowed = 150000;
         },
         [](const LoanTerms &t) { EXPECT_EQ(t.value(LoanTerms::AmountBorrowed), 150000); }},
        {"without a price there is none", [](LoanDocument &) {},
         [](const LoanTerms &t) { EXPECT_FALSE(t.value(LoanTerms::AmountBorrowed)); }},
        {"an unknown frequency is monthly", [](LoanDocument &doc) { doc.gintFreqOfInst = 9; },
         [](const LoanTerms &t) { EXPECT_EQ(t.frequency(), kMonthly); }},
        {"the year length of a weekly loan",
         [](LoanDocument &doc) {
             doc.gintFreqOfInst = kWeekly;
             doc.gintPeriodsPerYearIndex = 2;
             doc.gintPeriodsPerYearIndexTmp = 0;
         },
         [](const LoanTerms &t) { EXPECT_EQ(t.yearLengthChoice(), 2); }},
        {"the kept year length of a monthly loan, within the list",
         [](LoanDocument &doc) { doc.gintPeriodsPerYearIndexTmp = 7; },
         [](const LoanTerms &t) { EXPECT_EQ(t.yearLengthChoice(), 2); }},
        {"a start date not before the first payment is replaced",
         [](LoanDocument &doc) { doc.gdtmStartDate = ymd(2026, 3, 1); },
         [](const LoanTerms &t) { EXPECT_EQ(t.startDate(), ymd(2026, 1, 15)); }},
        {"a start date between two periods stays", [](LoanDocument &doc) { doc.gdtmStartDate = ymd(2026, 1, 20); },
         [](const LoanTerms &t) { EXPECT_EQ(t.startDate(), ymd(2026, 1, 20)); }},
        {"no first payment: today", [](LoanDocument &doc) { doc.gdtmFirstPaymentDue = kNoDate; },
         [](const LoanTerms &t) { EXPECT_EQ(t.firstPaymentDue(), kToday); }},
        {"lent on the anchor, paid a period later", [](LoanDocument &doc) { doc.gintStartPayment = 1; },
         [](const LoanTerms &t) {
             EXPECT_EQ(t.startDate(), ymd(2026, 2, 15));
             EXPECT_EQ(t.firstPaymentDue(), ymd(2026, 3, 15));
             EXPECT_EQ(t.anchorDate(), ymd(2026, 2, 15));
         }},
        {"a first payment before the calendar's first date is that date",
         [](LoanDocument &doc) { doc.gdtmFirstPaymentDue = -100; },
         [](const LoanTerms &t) { EXPECT_EQ(t.firstPaymentDue(), kToday); }},
        {"too many periods are the limit", [](LoanDocument &doc) { doc.mdblNperTerm = 1e12; },
         [](const LoanTerms &t) { EXPECT_EQ(t.value(LoanTerms::NumberOfPeriods), 90000); }},
        {"no periods", [](LoanDocument &doc) { doc.mdblNperTerm = -3; },
         [](const LoanTerms &t) {
             EXPECT_FALSE(t.value(LoanTerms::NumberOfPeriods));
             EXPECT_FALSE(t.termComplete());
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc = carLoan();
        c.change(doc);
        c.check(LoanTerms::fromDocument(doc, kToday));
    }
}

TEST(LoanTermsTest, DownPaymentPremiumAndAmountBorrowedFollowEachOther)
{
    struct Step
    {
        const char *name;
        std::function<LoanTerms::Fields(LoanTerms &)> edit;
        Amount dollars, percent, premium, borrowed;
    };
    const std::vector<Step> steps = {
        {"5 % without a price: no dollars, nothing borrowed",
         [](LoanTerms &t) { return t.setDownPaymentPercent(5); },
         {},
         5,
         4,
         {}},
        // (200,000 - 10,000) x 1.04
        {"a price of 200,000", [](LoanTerms &t) { return t.setPurchasePrice(200000); }, 10000, 5, 4, 197600},
        {"20 %", [](LoanTerms &t) { return t.setDownPaymentPercent(20); }, 40000, 20, 0, 160000},
        {"100 %", [](LoanTerms &t) { return t.setDownPaymentPercent(100); }, 200000, 100, 0, 0},
        // 170,000 x 1.028
        {"dollars give the percent", [](LoanTerms &t) { return t.setDownPaymentDollars(30000); }, 30000, 15, 2.8,
         174760},
        {"a new price keeps the dollars", [](LoanTerms &t) { return t.setPurchasePrice(400000); }, 30000, 7.5, 4,
         384800},
        {"a premium the user gives", [](LoanTerms &t) { return t.setCmhc(1, true); }, 30000, 7.5, 1, 373700},
        {"stays when the down payment changes", [](LoanTerms &t) { return t.setDownPaymentPercent(50); }, 200000, 50, 1,
         202000},
        {"a down payment above the price leaves nothing to borrow",
         [](LoanTerms &t) { return t.setDownPaymentDollars(500000); },
         500000,
         125,
         1,
         {}},
        {"a premium cleared follows the down payment again",
         [](LoanTerms &t) { return t.setCmhc({}, false); },
         500000,
         125,
         {},
         {}},
        {"", [](LoanTerms &t) { return t.setDownPaymentPercent(10); }, 40000, 10, 3.1, 371160},
    };
    LoanTerms terms = LoanTerms::forNewDocument(0, 0, kToday);
    for (const Step &step : steps) {
        SCOPED_TRACE(step.name);
        const LoanTerms::Fields written = step.edit(terms);
        EXPECT_TRUE(written & LoanTerms::AmountBorrowed);
        EXPECT_EQ(terms.value(LoanTerms::DownPaymentDollars), step.dollars);
        EXPECT_EQ(terms.value(LoanTerms::DownPaymentPercent), step.percent);
        EXPECT_EQ(terms.value(LoanTerms::Cmhc), step.premium);
        EXPECT_EQ(terms.value(LoanTerms::AmountBorrowed), step.borrowed);
        EXPECT_TRUE(terms.loanDataChanged());
    }
}

TEST(LoanTermsTest, CmhcPremiumByDownPayment)
{
    struct Case
    {
        Amount percent;
        Amount premium;
    };
    LoanTerms terms = LoanTerms::forNewDocument(0, 0, kToday);
    terms.setPurchasePrice(100000);
    // Today's premiums: none once a fifth of the price is paid down.
    for (const Case &c :
         {Case {0, 4}, Case {9.9999, 4}, Case {10, 3.1}, Case {14.99, 3.1}, Case {15, 2.8}, Case {19.9999, 2.8},
          Case {20, 0}, Case {35, 0}, Case {100, 0}, Case {250, 0}, Case {{}, {}}}) {
        SCOPED_TRACE(c.percent.value_or(-1));
        terms.setDownPaymentPercent(c.percent);
        EXPECT_EQ(terms.value(LoanTerms::Cmhc), c.premium);
    }
}

TEST(LoanTermsTest, TheAmountBorrowedBecomesTheLoanAmount)
{
    LoanTerms terms = LoanTerms::forNewDocument(0, 0, kToday);
    terms.setPurchasePrice(200000);
    terms.setDownPaymentPercent(5);
    EXPECT_TRUE(terms.enterLoanData() & LoanTerms::LoanAmount);
    EXPECT_EQ(terms.value(LoanTerms::LoanAmount), 197600);

    // Unchanged since, it does not overwrite a loan amount typed afterwards.
    terms.setLoanAmount(150000);
    EXPECT_FALSE(terms.enterLoanData() & LoanTerms::LoanAmount);
    EXPECT_EQ(terms.value(LoanTerms::LoanAmount), 150000);

    // A calculated loan amount follows the other three fields instead.
    terms.setCalculatedField(CalculatedField::LoanAmount);
    terms.setDownPaymentPercent(10);
    terms.enterLoanData();
    EXPECT_FALSE(terms.value(LoanTerms::LoanAmount)); // rate, amortization and payment are still empty
    terms.setCalculatedField(CalculatedField::BasicPayment);
    terms.setDownPaymentPercent(20);
    terms.enterLoanData();
    EXPECT_EQ(terms.value(LoanTerms::LoanAmount), 160000);
    // An amount beyond the loan amount's limit empties it.
    terms.setAmountBorrowed(kMaxAmount);
    terms.enterLoanData();
    EXPECT_FALSE(terms.value(LoanTerms::LoanAmount));
}

// Monthly payments on a Canadian mortgage at 6 %: the periodic rate is 1.03^(1/6) - 1 = 0.0049386220; 300 payments
// of 100,000 give 100000 i / (1 - 1.03^-50) = 639.8066, shown 639.81. Backwards from 639.81: the present value is
// 100000.53, the number of periods 299.99638 (24.9997 years) and the rate 6.0000568 % (0.49386682 % a month: the
// cents the payment was rounded by).
TEST(LoanTermsTest, EachCalculatedFieldIsSolvedFromTheOtherThree)
{
    struct Case
    {
        CalculatedField field;
        Amount amount, rate, length, payment;
        LoanTerms::Field result;
        double expected;
        std::string periodicRate = ".49386220%";
    };
    for (const Case &c : {Case {CalculatedField::BasicPayment, 100000, 6, 25, {}, LoanTerms::BasicPayment, 639.81},
                          Case {CalculatedField::LoanAmount, {}, 6, 25, 639.81, LoanTerms::LoanAmount, 100000.53},
                          Case {CalculatedField::Amortization, 100000, 6, {}, 639.81, LoanTerms::Amortization, 24.9997},
                          Case {CalculatedField::InterestRate,
                                100000,
                                {},
                                25,
                                639.81,
                                LoanTerms::AnnualRate,
                                6.0000568009,
                                ".49386682%"}}) {
        SCOPED_TRACE(int(c.field));
        LoanTerms terms = loanData({}, {}, {});
        EXPECT_EQ(terms.setCalculatedField(c.field), c.result);
        EXPECT_FALSE(terms.value(c.result)); // nothing to solve from yet
        EXPECT_FALSE(terms.loanDataComplete());
        if (c.amount)
            terms.setLoanAmount(c.amount);
        if (c.rate)
            terms.setAnnualRate(c.rate);
        if (c.length)
            terms.setAmortization(c.length);
        if (c.payment)
            terms.setBasicPayment(c.payment);
        ASSERT_TRUE(terms.value(c.result));
        EXPECT_NEAR(*terms.value(c.result), c.expected, 1e-9);
        EXPECT_TRUE(terms.loanDataComplete());
        // The periodic rate follows the annual rate, solved or typed.
        EXPECT_EQ(periodicRateText(terms), c.periodicRate);
    }
}

TEST(LoanTermsTest, CalculatedFieldsFollowEdits)
{
    LoanTerms terms = loanData(100000, 6, 25);
    EXPECT_EQ(terms.value(LoanTerms::BasicPayment), 639.81);
    // In months, the same length: the payment stays.
    EXPECT_EQ(terms.setAmortUnit(kMonths), LoanTerms::Amortization | LoanTerms::BasicPayment);
    EXPECT_EQ(terms.value(LoanTerms::Amortization), 300);
    EXPECT_EQ(terms.value(LoanTerms::BasicPayment), 639.81);
    // Monthly compounding, taken up on the way to the loan data: i = 0.005 exactly; 300 payments of 100,000 give
    // 644.30.
    EXPECT_TRUE(terms.setCompounding(1));
    EXPECT_FALSE(terms.setCompounding(1));
    EXPECT_TRUE(terms.enterLoanData() & LoanTerms::BasicPayment);
    EXPECT_EQ(periodicRateText(terms), ".50000000%");
    EXPECT_EQ(terms.value(LoanTerms::BasicPayment), 644.30);
    // A payment that does not cover the interest has no amortization: the field empties.
    terms.setCalculatedField(CalculatedField::Amortization);
    EXPECT_NEAR(terms.value(LoanTerms::Amortization).value_or(0), 300, 0.01);
    terms.setBasicPayment(400);
    EXPECT_FALSE(terms.value(LoanTerms::Amortization));
    EXPECT_FALSE(terms.loanDataComplete());
    // Twelve monthly payments of 99,999 for 100,000 need more than 1000 % a year: no rate.
    terms.setCalculatedField(CalculatedField::InterestRate);
    terms.setAmortization(12);
    terms.setBasicPayment(99999);
    EXPECT_FALSE(terms.value(LoanTerms::AnnualRate));
    EXPECT_FALSE(terms.periodicRate());
    // Nor when even 0 % would not repay the amount.
    terms.setBasicPayment(500);
    EXPECT_FALSE(terms.value(LoanTerms::AnnualRate));
    // Back in years, the length converts again.
    terms.setAmortUnit(kYears);
    EXPECT_EQ(terms.value(LoanTerms::Amortization), 1);
}

// A rate solved from a payment keeps the precision that payment needs: the schedule then repays the loan with exactly
// that many payments of it. Worked by bisection on the level payment: 240 monthly payments of 1,200 repay 200,000 at
// 0.32384895 % a month, 2 x (1.0032384895^6 - 1) = 3.917787 % compounded semi-annually (rounded to 5 decimals, 3.918 %
// left 7.95 owing); 360 of 2,100 repay 350,000 at 6.006990 % compounded monthly; 60 of 360 repay a personal loan of
// 18,000 at 7.420096 %. The field shows four decimals, as the schedule does.
TEST(LoanTermsTest, ASolvedRateRepaysTheLoanWithItsPayments)
{
    struct Case
    {
        int loanType, compounding;
        double amount, years, payment;
        double rate;
        std::string shown, lastPayment;
    };
    for (const Case &c : {Case {kMortgageLoan, 0, 200000, 20, 1200, 3.91778699500, "3.9178", "$1,200.00"},
                          Case {kMortgageLoan, 1, 350000, 30, 2100, 6.00699000811, "6.0070", "$2,100.00"},
                          Case {kPersonalLoan, 0, 18000, 5, 360, 7.42009579350, "7.4201", "$360.00"}}) {
        SCOPED_TRACE(c.shown);
        LoanTerms terms = LoanTerms::forNewDocument(c.compounding, 0, kToday);
        terms.setLoanType(c.loanType);
        terms.enterLoanData();
        terms.setCalculatedField(CalculatedField::InterestRate);
        terms.setLoanAmount(c.amount);
        terms.setAmortization(c.years);
        terms.setBasicPayment(c.payment);
        ASSERT_TRUE(terms.value(LoanTerms::AnnualRate));
        EXPECT_NEAR(*terms.value(LoanTerms::AnnualRate), c.rate, 1e-9);
        EXPECT_EQ(NumberFormat().fixed(*terms.value(LoanTerms::AnnualRate), terms.shownDecimals(LoanTerms::AnnualRate)),
                  c.shown);
        terms.enterTerm();
        LoanDocument doc;
        ASSERT_EQ(terms.writeTo(doc, false).outcome, LoanTerms::Outcome::Written);
        EXPECT_NEAR(doc.gdblAnnualRate * 100, c.rate, 1e-9);
        ASSERT_TRUE(Calculate(doc, NumberFormat()));
        const int payments = int(c.years * 12);
        ASSERT_EQ(doc.gridMain0.rows(), payments + 2); // the heading and the start
        EXPECT_EQ(doc.gridMain0.text(payments + 1, colPayment), c.lastPayment);
        EXPECT_EQ(doc.gridMain0.text(payments + 1, colEndingBalance), "$0.00");
    }
    // A typed rate shows as typed.
    LoanTerms typed = loanData(100000, 6.12345, 25);
    EXPECT_EQ(typed.shownDecimals(LoanTerms::AnnualRate), 5);
}

// A personal loan compounds monthly: 12 payments of 888.49 repay 10,000 at 1.0000376 % a month, so 12.00045 % a year.
// Converted as if compounded semi-annually (its code 0) the rate would read 12.304 %.
TEST(LoanTermsTest, TheSolvedRateOfAPersonalLoanGivesBackItsPayment)
{
    LoanTerms terms = LoanTerms::forNewDocument(0, 0, kToday);
    EXPECT_TRUE(terms.setLoanType(kPersonalLoan));
    EXPECT_FALSE(terms.setLoanType(kPersonalLoan));
    terms.setCalculatedField(CalculatedField::InterestRate);
    terms.setLoanAmount(10000);
    terms.setAmortization(1);
    terms.setBasicPayment(888.49);
    EXPECT_NEAR(terms.value(LoanTerms::AnnualRate).value_or(0), 12.0004517261, 1e-9);
    EXPECT_EQ(periodicRateText(terms), "1.00003764%");
}

// From monthly payments of 639.81 (100,000 at 6 % semi-annual, 25 years): every two weeks, accelerated, half of it,
// 319.905, which rounds half up to 319.90 in double arithmetic (319.905 is held as 319.90499...), repays the loan in
// 545.35 periods of 365/14 a year at 1.03^(2 x 14/365) - 1 = 0.22700973 % each, 20.9175 years. The plain bi-weekly
// payment is worked out from the loan as entered, not from the accelerated one: 25 x 365/14 = 651.79 periods at
// 0.22700973 % need 294.09. Back to monthly, the loan is what it was. One payment a year is the level payment at
// the effective rate 1.03^2 - 1 over 25 years: 7889.70.
TEST(LoanTermsTest, ChangingTheFrequencyCarriesThePaymentOver)
{
    struct Step
    {
        int frequency;
        double payment, length;
        std::string periodicRate;
    };
    LoanTerms terms = loanData(100000, 6, 25);
    for (const Step &step :
         {Step {kBiWeeklyAccelerated, 319.90, 20.9175, ".22700973%"}, Step {kBiWeekly, 294.09, 25, ".22700973%"},
          Step {kMonthly, 639.81, 25, ".49386220%"}, Step {kAnnually, 7889.70, 25, "6.09000000%"}}) {
        SCOPED_TRACE(step.frequency);
        EXPECT_TRUE(terms.setFrequency(step.frequency) & LoanTerms::BasicPayment);
        EXPECT_EQ(terms.value(LoanTerms::BasicPayment), step.payment);
        EXPECT_NEAR(terms.value(LoanTerms::Amortization).value_or(0), step.length, 0.00005);
        EXPECT_EQ(periodicRateText(terms), step.periodicRate);
    }
    EXPECT_EQ(terms.setFrequency(kAnnually), 0u);
}

// A personal loan of 25,000 at 9.5 % over 4 years: 48 monthly payments of 628.08 (628.0784). Every two weeks, 4 years
// are 4 x 365/14 = 104.29 periods at 1.0079167^(12 x 14/365) - 1 = 0.36360823 %: 288.47. With the amortization the
// calculated field, the typed 628.08 stays and pays the loan off in 1.6522 years of two-weekly payments. Looking at
// other frequencies and coming back gives the loan back exactly: its fields, its term, its dates, and no change.
TEST(LoanTermsTest, LookingAtOtherFrequenciesKeepsTheLoan)
{
    struct Look
    {
        int frequency;
        double payment, length;
    };
    struct Case
    {
        const char *name;
        CalculatedField calculated;
        std::vector<Look> looks;
    };
    const std::vector<Case> cases = {
        {"the payment calculated",
         CalculatedField::BasicPayment,
         {{kBiWeekly, 288.47, 4}, {kWeekly, 0, 4}, {kBiWeeklyAccelerated, 314.04, 3.6114}, {kSemiMonthly, 0, 4}}},
        {"the amortization calculated",
         CalculatedField::Amortization,
         {{kBiWeekly, 628.08, 1.6522}, {kBiWeeklyAccelerated, 314.04, 3.6114}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc = carLoan();
        doc.gdblLoanAmount = 25000;
        doc.gdblAnnualRate = 0.095;
        doc.glngAmortization = 4;
        doc.gdblBasicPayment = 628.08;
        doc.mdblNperTerm = 36;
        doc.gintPeriodsPerYearIndexTmp = 1; // 365/14 days a period at the two-weekly frequencies
        doc.gdtmStartDate = ymd(2026, 1, 20); // lent between two periods
        LoanTerms terms = LoanTerms::fromDocument(doc, kToday);
        terms.setCalculatedField(c.calculated);
        ASSERT_EQ(terms.value(LoanTerms::BasicPayment), 628.08);
        ASSERT_EQ(terms.value(LoanTerms::Amortization), 4);
        const LoanTerms entered = terms;
        for (const Look &look : c.looks) {
            SCOPED_TRACE(look.frequency);
            terms.setFrequency(look.frequency);
            if (look.payment != 0) {
                EXPECT_EQ(terms.value(LoanTerms::BasicPayment), look.payment);
            }
            EXPECT_NEAR(terms.value(LoanTerms::Amortization).value_or(0), look.length, 0.00005);
            EXPECT_EQ(terms.value(LoanTerms::LoanAmount), 25000);
            EXPECT_EQ(terms.value(LoanTerms::AnnualRate), 9.5);
        }
        terms.setFrequency(kMonthly);
        EXPECT_EQ(terms.value(LoanTerms::BasicPayment), 628.08);
        EXPECT_EQ(terms.value(LoanTerms::Amortization), 4);
        EXPECT_EQ(terms.startDate(), ymd(2026, 1, 20));
        EXPECT_EQ(terms.firstPaymentDue(), ymd(2026, 2, 15));
        EXPECT_FALSE(terms.loanDataChanged());
        EXPECT_EQ(terms.enterTerm(), 0u);
        EXPECT_EQ(terms.value(LoanTerms::NumberOfPeriods), 36);
        LoanDocument written = doc;
        EXPECT_EQ(terms.writeTo(written, true).outcome, LoanTerms::Outcome::Unchanged);
        for (LoanTerms::Field field :
             {LoanTerms::LoanAmount, LoanTerms::AnnualRate, LoanTerms::Amortization, LoanTerms::BasicPayment})
            EXPECT_EQ(terms.value(field), entered.value(field)) << field;
    }

    // An edit made at the other frequency is the user's loan from then on: nothing is given back.
    LoanTerms edited = loanData(25000, 9.5, 4);
    edited.setLoanType(kPersonalLoan);
    edited.enterLoanData();
    ASSERT_EQ(edited.value(LoanTerms::BasicPayment), 628.08);
    edited.setFrequency(kBiWeekly);
    edited.setAmortization(3);
    edited.setFrequency(kMonthly);
    EXPECT_EQ(edited.value(LoanTerms::Amortization), 3);
    // 36 payments of 25,000 at 0.7916667 %: 800.82.
    EXPECT_EQ(edited.value(LoanTerms::BasicPayment), 800.82);
}

TEST(LoanTermsTest, AStartDateNotBeforeTheFirstPaymentIsRefused)
{
    LoanTerms terms = loanData(100000, 6, 25);
    ASSERT_EQ(terms.firstPaymentDue(), ymd(2026, 3, 15));
    ASSERT_EQ(terms.startDate(), ymd(2026, 2, 15));
    struct Step
    {
        Date typed;
        bool accepted;
        Date start;
    };
    for (const Step &step :
         {Step {ymd(2026, 3, 15), false, ymd(2026, 2, 15)}, Step {ymd(2026, 4, 1), false, ymd(2026, 2, 15)},
          Step {ymd(2026, 2, 20), true, ymd(2026, 2, 20)},
          // An accepted date becomes the one a refused date returns to.
          Step {ymd(2026, 3, 20), false, ymd(2026, 2, 20)}}) {
        SCOPED_TRACE(step.typed);
        EXPECT_EQ(terms.setStartDate(step.typed), step.accepted);
        EXPECT_EQ(terms.startDate(), step.start);
        EXPECT_EQ(terms.firstPaymentDue(), ymd(2026, 3, 15)); // a start between two periods is kept
    }
}

TEST(LoanTermsTest, TheDatesFollowEachOtherThroughTheCalendar)
{
    struct Step
    {
        const char *name;
        std::function<void(LoanTerms &)> edit;
        Date start, first, anchor;
    };
    const std::vector<Step> steps = {
        {"a first payment at a month's end", [](LoanTerms &t) { t.setFirstPaymentDue(ymd(2026, 5, 31)); },
         ymd(2026, 4, 30), ymd(2026, 5, 31), ymd(2026, 5, 31)},
        {"lent on the selected date", [](LoanTerms &t) { t.setStartPaymentOption(1); }, ymd(2026, 4, 30),
         ymd(2026, 5, 30), ymd(2026, 4, 30)},
        {"a new start date moves the first payment",
         [](LoanTerms &t) { EXPECT_TRUE(t.setStartDate(ymd(2026, 1, 31))); }, ymd(2026, 1, 31), ymd(2026, 2, 28),
         ymd(2026, 1, 31)},
        {"weekly: one week apart", [](LoanTerms &t) { t.setFrequency(kWeekly); }, ymd(2026, 1, 31), ymd(2026, 2, 7),
         ymd(2026, 1, 31)},
        {"the first payment on the selected date", [](LoanTerms &t) { t.setStartPaymentOption(0); }, ymd(2026, 1, 31),
         ymd(2026, 2, 7), ymd(2026, 2, 7)},
    };
    LoanTerms terms = loanData(100000, 6, 25);
    for (const Step &step : steps) {
        SCOPED_TRACE(step.name);
        step.edit(terms);
        EXPECT_EQ(terms.startDate(), step.start);
        EXPECT_EQ(terms.firstPaymentDue(), step.first);
        EXPECT_EQ(terms.anchorDate(), step.anchor);
    }
}

// A date field confirmed without a change (Enter on it) hands its date back: a loan lent on 31 January 2027 pays on
// the last day of each month from 28 February; taking 28 February as a new first payment would move the loan to the
// 28th of each month, lent on 28 January.
TEST(LoanTermsTest, ADateGivenAgainChangesNothing)
{
    struct Case
    {
        const char *name;
        int option;
        Date anchor, start, first;
    };
    for (const Case &c : {Case {"lent on the selected date", 1, ymd(2027, 1, 31), ymd(2027, 1, 31), ymd(2027, 2, 28)},
                          Case {"first payment on the selected date, lent between two periods", 0, ymd(2027, 2, 28),
                                ymd(2027, 1, 20), ymd(2027, 2, 28)}}) {
        SCOPED_TRACE(c.name);
        LoanDocument doc = carLoan();
        doc.gintStartPayment = c.option;
        doc.gdtmFirstPaymentDue = c.anchor;
        doc.gdtmStartDate = c.start;
        for (const bool firstPayment : {true, false}) {
            LoanTerms terms = LoanTerms::fromDocument(doc, kToday);
            ASSERT_EQ(terms.startDate(), c.start);
            ASSERT_EQ(terms.firstPaymentDue(), c.first);
            if (firstPayment)
                terms.setFirstPaymentDue(c.first);
            else
                EXPECT_TRUE(terms.setStartDate(c.start));
            EXPECT_EQ(terms.startDate(), c.start);
            EXPECT_EQ(terms.firstPaymentDue(), c.first);
            EXPECT_FALSE(terms.loanDataChanged());
            LoanDocument written = doc;
            EXPECT_EQ(terms.writeTo(written, true).outcome, LoanTerms::Outcome::Unchanged);
        }
    }
}

TEST(LoanTermsTest, PeriodsTermAndLastPaymentFollowEachOther)
{
    struct Case
    {
        Amount periods;
        std::string years, months;
        Date last;
    };
    LoanTerms terms = loanData(100000, 6, 25);
    // The amortization's own number of periods to start with.
    EXPECT_EQ(terms.enterTerm(), LoanTerms::NumberOfPeriods);
    EXPECT_EQ(terms.value(LoanTerms::NumberOfPeriods), 300);
    for (const Case &c :
         {Case {300, "25 Years", "300 Months", ymd(2051, 2, 15)},
          Case {306, "25 Years 6 Months", "306 Months", ymd(2051, 8, 15)},
          Case {13, "1 Year 1 Month", "13 Months", ymd(2027, 3, 15)}, Case {1, "1 Month", "1 Month", ymd(2026, 3, 15)},
          Case {{}, "", "", kNoDate}, Case {0, "", "", kNoDate}}) {
        SCOPED_TRACE(c.periods.value_or(-1));
        terms.setNumberOfPeriods(c.periods);
        const LoanTerms::Term term = terms.term();
        EXPECT_EQ(term.yearsAndMonths, c.years);
        EXPECT_EQ(term.months, c.months);
        EXPECT_EQ(term.lastPaymentDue, c.last);
        EXPECT_EQ(terms.termComplete(), c.last != kNoDate);
    }
    // Unchanged loan data keep the typed term; changed, they give the amortization's number again.
    terms.setNumberOfPeriods(60);
    EXPECT_EQ(terms.enterTerm(), 0u);
    EXPECT_EQ(terms.value(LoanTerms::NumberOfPeriods), 60);
    terms.setAmortization(20);
    terms.enterTerm();
    EXPECT_EQ(terms.value(LoanTerms::NumberOfPeriods), 240);
    // Bi-weekly: 20 years are 20 x 365/14 = 521.43 periods, so 522 to repay the loan.
    terms.setFrequency(kBiWeekly);
    terms.setAmortization(20);
    terms.enterTerm();
    EXPECT_EQ(terms.value(LoanTerms::NumberOfPeriods), 522);
    // More periods than a loan may have: 2,000 years of weekly payments are 104,286 periods.
    terms.setFrequency(kWeekly);
    terms.setAmortization(2000);
    terms.enterTerm();
    EXPECT_FALSE(terms.value(LoanTerms::NumberOfPeriods));
}

TEST(LoanTermsTest, FinishWritesTheLoanIntoTheDocument)
{
    LoanTerms terms = LoanTerms::forNewDocument(1, 1, kToday);
    terms.setTitle("Elm Street");
    terms.setComments("First line\nSecond line");
    terms.setPurchasePrice(250000);
    terms.setDownPaymentDollars(37500);
    terms.enterLoanData();
    terms.setAnnualRate(5.25);
    terms.setAmortization(30);
    terms.enterTerm();
    EXPECT_TRUE(terms.setStartDate(ymd(2026, 4, 1)));
    terms.setNumberOfPeriods(60);

    LoanDocument doc;
    const LoanTerms::FinishResult result = terms.writeTo(doc, false);
    EXPECT_EQ(result.outcome, LoanTerms::Outcome::Written);
    EXPECT_TRUE(result.titleWritten);
    EXPECT_EQ(doc.gintLoanType, kMortgageLoan);
    EXPECT_EQ(doc.gintCompounding, 1);
    EXPECT_EQ(doc.gstrTitle, "Elm Street");
    EXPECT_EQ(doc.gstrComments, "First line\nSecond line");
    EXPECT_EQ(doc.gvarPurchasePrice, 250000);
    EXPECT_EQ(doc.gintDownPaymentUnit, 0);
    EXPECT_EQ(doc.gvarDownPayment, 37500);
    EXPECT_EQ(doc.gvarCMHC, 2.8); // 15 % down
    EXPECT_EQ(doc.gvarAmountBorrowed, 218450); // 212,500 x 1.028
    EXPECT_EQ(doc.gdblLoanAmount, 218450);
    EXPECT_DOUBLE_EQ(doc.gdblAnnualRate, 0.0525);
    EXPECT_EQ(doc.glngAmortization, 30);
    EXPECT_EQ(doc.gintAmortUnit, kYears);
    EXPECT_EQ(doc.gintFreqOfInst, kMonthly);
    // 218,450 at 5.25 % compounded monthly over 360 months: 218450 x 0.004375 / (1 - 1.004375^-360) = 1206.29.
    EXPECT_EQ(doc.gdblBasicPayment, 1206.29);
    EXPECT_NEAR(doc.gdblPeriodicRate, 0.004375, 1e-15);
    EXPECT_EQ(doc.gdblPeriodsPerYear, 12);
    // The money is lent on 1 April: that is the calendar's anchor, and the first payment falls on 1 May.
    EXPECT_EQ(doc.gintStartPayment, 1);
    EXPECT_EQ(doc.gdtmStartDate, ymd(2026, 4, 1));
    EXPECT_EQ(doc.gdtmFirstPaymentDue, ymd(2026, 4, 1));
    EXPECT_EQ(terms.firstPaymentDue(), ymd(2026, 5, 1));
    EXPECT_EQ(doc.mdblNperTerm, 60);
    EXPECT_EQ(doc.gdtmLastPaymentDue, ymd(2031, 4, 1));

    // Without a term nothing is written.
    terms.setNumberOfPeriods({});
    LoanDocument untouched;
    EXPECT_EQ(terms.writeTo(untouched, false).outcome, LoanTerms::Outcome::Incomplete);
    EXPECT_EQ(untouched.gstrTitle, "");
}

TEST(LoanTermsTest, TheCodesReachTheDocument)
{
    struct Case
    {
        int loanType, compounding, frequency, yearLength;
        int index;
        double periodsPerYear;
    };
    for (const Case &c :
         {Case {1, 2, kMonthly, 0, 0, 12}, Case {1, 1, kWeeklyAccelerated, 0, 0, 365.25 / 7},
          Case {1, 3, kBiWeekly, 2, 2, 26}, Case {0, 0, kAnnually, 1, 0, 1}, Case {1, 0, kWeekly, 1, 1, 365.0 / 7}}) {
        SCOPED_TRACE(c.frequency);
        LoanTerms terms = LoanTerms::forNewDocument(0, 0, kToday);
        terms.setLoanType(c.loanType);
        terms.setCompounding(c.compounding);
        terms.setFrequency(c.frequency);
        terms.setYearLengthChoice(c.yearLength);
        terms.setLoanAmount(50000);
        terms.setAnnualRate(5);
        terms.setAmortization(10);
        terms.enterTerm();
        LoanDocument doc;
        ASSERT_EQ(terms.writeTo(doc, false).outcome, LoanTerms::Outcome::Written);
        EXPECT_EQ(doc.gintLoanType, c.loanType);
        EXPECT_EQ(doc.gintCompounding, c.compounding);
        EXPECT_EQ(doc.gintFreqOfInst, c.frequency);
        EXPECT_EQ(doc.gintPeriodsPerYearIndex, c.index);
        EXPECT_EQ(doc.gintPeriodsPerYearIndexTmp, c.yearLength);
        EXPECT_EQ(doc.gdblPeriodsPerYear, c.periodsPerYear);
    }
}

TEST(LoanTermsTest, AnUnchangedLoanIsNotWrittenAgain)
{
    LoanDocument doc = carLoan();
    LoanTerms terms = LoanTerms::fromDocument(doc, kToday);
    LoanTerms::FinishResult result = terms.writeTo(doc, true);
    EXPECT_EQ(result.outcome, LoanTerms::Outcome::Unchanged);
    EXPECT_FALSE(result.titleWritten);
    terms.setTitle("Red car");
    result = terms.writeTo(doc, true);
    EXPECT_EQ(result.outcome, LoanTerms::Outcome::Unchanged);
    EXPECT_TRUE(result.titleWritten);
    EXPECT_EQ(doc.gstrTitle, "Red car");
    // A new document is always written.
    EXPECT_EQ(terms.writeTo(doc, false).outcome, LoanTerms::Outcome::Written);
}

// The rounding of each period's interest is read from the document, and turning it on or off is a change of the loan
// that is written back; choosing what it already is changes nothing.
TEST(LoanTermsTest, TheRoundingOfInterestIsALoanChange)
{
    LoanDocument doc = carLoan();
    doc.roundInterestEachPeriod = true;
    LoanTerms terms = LoanTerms::fromDocument(doc, kToday);
    EXPECT_TRUE(terms.roundInterestEachPeriod());
    EXPECT_FALSE(terms.setRoundInterestEachPeriod(true));
    EXPECT_EQ(terms.writeTo(doc, true).outcome, LoanTerms::Outcome::Unchanged);
    EXPECT_TRUE(terms.setRoundInterestEachPeriod(false));
    EXPECT_EQ(terms.writeTo(doc, true).outcome, LoanTerms::Outcome::Written);
    EXPECT_FALSE(doc.roundInterestEachPeriod);
}

// A loan lent on 1 January 2026 with its first payment on 1 February and 300 monthly periods.
TEST(LoanTermsTest, ANewFirstPaymentClearsTheChangeTablesAndANewTermCropsThem)
{
    auto mortgage = [] {
        LoanDocument doc;
        doc.gdblLoanAmount = 250000;
        doc.gdblAnnualRate = 0.0524;
        doc.glngAmortization = 25;
        doc.gdblBasicPayment = 1490;
        doc.gdtmStartDate = ymd(2026, 1, 1);
        doc.gdtmFirstPaymentDue = ymd(2026, 2, 1);
        doc.mdblNperTerm = 300;
        addEntries(doc.gridAnnualRate, {ymd(2026, 8, 1), ymd(2027, 6, 1)});
        addEntries(doc.gridBasicPayment, {ymd(2027, 2, 1)});
        addEntries(doc.gridLumpSum, {ymd(2027, 2, 1), ymd(2028, 6, 15)});
        return doc;
    };

    LoanDocument moved = mortgage();
    LoanTerms terms = LoanTerms::fromDocument(moved, kToday);
    terms.setFirstPaymentDue(ymd(2026, 3, 1));
    ASSERT_EQ(terms.writeTo(moved, true).outcome, LoanTerms::Outcome::Written);
    EXPECT_EQ(moved.gdtmFirstPaymentDue, ymd(2026, 3, 1));
    for (const TextTable *table : {&moved.gridAnnualRate, &moved.gridBasicPayment, &moved.gridLumpSum})
        EXPECT_EQ(table->rows(), 1);

    // Thirteen periods end on 1 February 2027: entries after it go, one on that day stays.
    LoanDocument cropped = mortgage();
    terms = LoanTerms::fromDocument(cropped, kToday);
    terms.setNumberOfPeriods(13);
    ASSERT_EQ(terms.writeTo(cropped, true).outcome, LoanTerms::Outcome::Written);
    EXPECT_EQ(cropped.gdtmLastPaymentDue, ymd(2027, 2, 1));
    EXPECT_EQ(dates(cropped.gridAnnualRate), std::vector<Date> {ymd(2026, 8, 1)});
    EXPECT_EQ(dates(cropped.gridBasicPayment), std::vector<Date> {ymd(2027, 2, 1)});
    EXPECT_EQ(dates(cropped.gridLumpSum), std::vector<Date> {ymd(2027, 2, 1)});
}

TEST(LoanTermsTest, LumpSumsOutsideTheLoanCanNeverBePaid)
{
    // Lent on 15 January 2026, last payment on 15 January 2031.
    LoanDocument doc = carLoan();
    doc.gdtmStartDate = ymd(2026, 1, 15);
    // One on the day the money is lent is paid, one before it never.
    addEntries(doc.gridLumpSum,
               {ymd(2026, 1, 14), ymd(2026, 1, 15), ymd(2027, 2, 1), ymd(2031, 1, 15), ymd(2031, 1, 16)});
    const LoanTerms terms = LoanTerms::fromDocument(doc, kToday);
    EXPECT_TRUE(terms.removeLumpSumsOutsideTerm(doc));
    EXPECT_EQ(dates(doc.gridLumpSum), (std::vector<Date> {ymd(2026, 1, 15), ymd(2027, 2, 1), ymd(2031, 1, 15)}));
    EXPECT_FALSE(terms.removeLumpSumsOutsideTerm(doc));

    // Before a new loan's term is known only its start bounds the entries.
    LoanDocument fresh;
    addEntries(fresh.gridLumpSum, {ymd(2026, 2, 14), ymd(2090, 1, 1)});
    EXPECT_TRUE(LoanTerms::forNewDocument(0, 0, kToday).removeLumpSumsOutsideTerm(fresh));
    EXPECT_EQ(dates(fresh.gridLumpSum), std::vector<Date> {ymd(2090, 1, 1)});
}

TEST(LoanTermsTest, YearsAndMonths)
{
    struct Case
    {
        double years;
        std::string text;
    };
    for (const Case &c :
         {Case {25, "25 Years"}, Case {1, "1 Year"}, Case {1.0 / 12, "1 Month"}, Case {0, "0 Months"},
          Case {21.5, "21 Years 6 Months"}, Case {2.99, "3 Years"}, Case {1 + 2.0 / 12, "1 Year 2 Months"}}) {
        SCOPED_TRACE(c.years);
        EXPECT_EQ(yearsAndMonthsText(c.years), c.text);
    }
}
