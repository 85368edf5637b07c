#include "engine/Arithmetic.h"
#include "engine/Calendar.h"
#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "support/Changes.h"
#include "support/Dates.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace engine;

namespace {

// A monthly personal loan at 12 % (exactly 1 % a month), anchored on 15 January 2025, payment 1 falls on it.
LoanDocument personalLoan(double amount, double payment, double periods, double annualRate = 0.12)
{
    LoanDocument doc;
    doc.gintLoanType = kPersonalLoan;
    doc.gdblLoanAmount = amount;
    doc.gdblAnnualRate = annualRate;
    doc.gintFreqOfInst = kMonthly;
    doc.gdblBasicPayment = payment;
    doc.gdtmFirstPaymentDue = ymd(2025, 1, 15);
    doc.mdblNperTerm = periods;
    return doc;
}

CalculateResult calculate(LoanDocument &doc)
{
    return Calculate(doc, NumberFormat());
}

std::vector<std::string> rowTexts(const LoanDocument &doc, int row)
{
    std::vector<std::string> texts;
    for (int c = 0; c < kScheduleColumnCount - 1; ++c)
        texts.emplace_back(doc.gridMain0.text(row, c));
    return texts;
}

} // namespace

// A small loan worked through by hand: 1 % interest a month, 340 a month, the last payment is what is left.
TEST(Schedule, SmallLoanWorkedByHand)
{
    LoanDocument doc = personalLoan(1000, 340, 6);
    ASSERT_TRUE(calculate(doc));
    using Row = std::vector<std::string>;
    const std::vector<Row> expected = {
        {"0", "12/15/2024", "", "", "", "", "", "", "", "", "", "", ""},
        {"1", "1/15/2025", "$1,000.00", "12.0000%", "$10.00", "$330.00", "$670.00", "33.00%", "$340.00", "", "$340.00",
         "$10.00", "$330.00"},
        {"2", "2/15/2025", "$670.00", "12.0000%", "$6.70", "$333.30", "$336.70", "66.33%", "$340.00", "", "$680.00",
         "$16.70", "$663.30"},
        {"3", "3/15/2025", "$336.70", "12.0000%", "$3.37", "$336.63", "$0.07", "99.99%", "$340.00", "", "$1,020.00",
         "$20.07", "$999.93"},
        {"4", "4/15/2025", "$0.07", "12.0000%", "$0.00", "$0.07", "$0.00", "100.00%", "$0.07", "", "$1,020.07",
         "$20.07", "$1,000.00"},
    };
    ASSERT_EQ(doc.gridMain0.rows(), int(expected.size()) + 1);
    for (size_t r = 0; r < expected.size(); ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(rowTexts(doc, int(r) + 1), expected[r]);
    }
    EXPECT_EQ(doc.gridMain0.text(5, colDateSerial), std::to_string(ymd(2025, 4, 15)));
    EXPECT_EQ(doc.gridMain0.text(0, colOpeningBalance), "Opening Balance");
    // The last payment is 0.06767 and is paid as shown, 0.07: the fraction of a cent is interest.
    EXPECT_NEAR(doc.gdblTotalPayments, 1020.07, 1e-9);
    EXPECT_NEAR(doc.gdblInterestPaid, 20.07, 1e-9);
    EXPECT_EQ(doc.gdblNumberOfPeriods, 4);
    EXPECT_EQ(doc.gdtmLastPaymentDate, ymd(2025, 4, 15));
    EXPECT_EQ(doc.gdtmLastPaymentDue, ymd(2025, 6, 15));
    EXPECT_NEAR(doc.gdblPeriodicRate, 0.01, 1e-15);
}

// The balance after k level payments has a closed form; every row must agree with it to the cent.
TEST(Schedule, BalanceFollowsClosedForm)
{
    LoanDocument doc;
    doc.gdblLoanAmount = 200000;
    doc.gdblAnnualRate = 0.06;
    doc.gintCompounding = 0; // semi-annual
    doc.gintFreqOfInst = kMonthly;
    doc.gdblBasicPayment = 1279.61;
    doc.gdtmFirstPaymentDue = ymd(2025, 3, 1);
    doc.mdblNperTerm = 300;
    ASSERT_TRUE(calculate(doc));
    const double i = std::pow(1.03, 1.0 / 6) - 1;
    EXPECT_DOUBLE_EQ(doc.gdblPeriodicRate, i);
    const NumberFormat format;
    for (int k : {1, 12, 60, 120, 240, 299}) {
        SCOPED_TRACE(k);
        const double growth = std::pow(1 + i, k);
        const double balance = 200000 * growth - 1279.61 * (growth - 1) / i;
        const auto shown = format.parseNumber(doc.gridMain0.text(k + 1, colEndingBalance));
        ASSERT_TRUE(shown.has_value());
        EXPECT_NEAR(*shown, balance, 0.0051);
    }
}

TEST(Schedule, LoanRepaidExactlyHasOneRowPerPeriodPlusStartRow)
{
    for (double periods : {12.0, 15.0}) {
        SCOPED_TRACE(periods);
        LoanDocument doc = personalLoan(1200, 100, periods, 0);
        ASSERT_TRUE(calculate(doc));
        EXPECT_EQ(doc.gridMain0.rows(), 14); // header, start row, 12 payments
        EXPECT_EQ(doc.gdblNumberOfPeriods, 12);
        EXPECT_EQ(doc.gridMain0.text(13, colEndingBalance), "$0.00");
        EXPECT_EQ(doc.gridMain0.text(13, colPayment), "$100.00");
        EXPECT_EQ(doc.gdtmLastPaymentDate, ymd(2025, 12, 15));
        EXPECT_DOUBLE_EQ(doc.gdblTotalPayments, 1200);
    }
}

TEST(Schedule, NothingToRepayLeavesAnEmptySchedule)
{
    for (double amount : {0.0, 0.005, -100.0}) {
        SCOPED_TRACE(amount);
        LoanDocument doc = personalLoan(amount, 100, 12);
        ASSERT_TRUE(calculate(doc));
        EXPECT_EQ(doc.gridMain0.rows(), 1);
        EXPECT_EQ(doc.gdblTotalPayments, 0);
        EXPECT_EQ(doc.gdblInterestPaid, 0);
        EXPECT_EQ(doc.gdblNumberOfPeriods, 0);
        EXPECT_EQ(doc.gdtmLastPaymentDate, kNoDate);
    }
}

TEST(Schedule, StartRowAndFirstPeriodInterest)
{
    const double balance = 1000;
    const double daily = dailyRate(0.12, 12, kPersonalLoan, 0);
    struct Case
    {
        const char *name;
        int convention;
        Date start;
        const char *startRowDate;
        const char *firstRowDate;
        double firstInterest;
    };
    const Case cases[] = {
        {"no start date, anchor is payment 1", 0, kNoDate, "12/15/2024", "1/15/2025", 10.0},
        {"no start date, anchor is the loan day", 1, kNoDate, "1/15/2025", "2/15/2025", 10.0},
        {"start date between loan day and payment 1", 0, ymd(2025, 1, 1), "1/1/2025", "1/15/2025",
         balance * (std::pow(1 + daily, 14) - 1)},
        {"start date on the natural start", 0, ymd(2024, 12, 15), "12/15/2024", "1/15/2025", 10.0},
        {"start date after the first payment is not shown", 0, ymd(2025, 1, 20), "12/15/2024", "1/15/2025", 10.0},
    };
    const NumberFormat format;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc = personalLoan(balance, 100, 3);
        doc.gintStartPayment = c.convention;
        doc.gdtmStartDate = c.start;
        ASSERT_TRUE(calculate(doc));
        EXPECT_EQ(doc.gridMain0.text(1, colDate), c.startRowDate);
        EXPECT_EQ(doc.gridMain0.text(1, colOpeningBalance), "");
        EXPECT_EQ(doc.gridMain0.text(2, colDate), c.firstRowDate);
        EXPECT_EQ(doc.gridMain0.text(2, colInterest), format.currency(c.firstInterest));
    }
}

// The exact final payment of a 0 % loan must not gain a cent from floating-point noise in the balance.
TEST(Schedule, FinalPaymentShowsTheExactCent)
{
    LoanDocument doc = personalLoan(12000, 333.33, 40, 0);
    ASSERT_TRUE(calculate(doc));
    ASSERT_EQ(doc.gridMain0.rows(), 39); // start row + 37 payments
    EXPECT_EQ(doc.gridMain0.text(38, colPayment), "$0.12");
    EXPECT_EQ(doc.gridMain0.text(38, colEndingBalance), "$0.00");
    EXPECT_EQ(doc.gridMain0.text(38, colCumulativePayments), "$12,000.00");
    EXPECT_EQ(doc.gdblNumberOfPeriods, 37);
}

TEST(Schedule, LumpSumOnAPaymentDate)
{
    LoanDocument doc = personalLoan(1200, 100, 12, 0);
    addChange(doc.gridLumpSum, ymd(2025, 3, 15), 500);
    ASSERT_TRUE(calculate(doc));
    EXPECT_EQ(doc.gridMain0.text(4, colLumpSum), "$500.00");
    EXPECT_EQ(doc.gridMain0.text(4, colPrincipal), "$600.00");
    EXPECT_EQ(doc.gridMain0.text(4, colEndingBalance), "$400.00");
    EXPECT_EQ(doc.gridMain0.text(4, colCumulativePayments), "$800.00");
    EXPECT_EQ(doc.gridLumpSum.text(1, chgScheduleRow), "4");
    EXPECT_EQ(doc.gdblNumberOfPeriods, 7);
    EXPECT_DOUBLE_EQ(doc.gdblTotalPayments, 1200);
}

// A lump sum pays at most what is owed on its date. 120,000 at 6 % compounded monthly (0.5 % a month), 1,332.25 a
// month from 1 January 2025: payment 6 (1 June) leaves 115,551.21 owing. A lump sum of 500,000 with it pays just that;
// one on 10 June, 21 days before payment 7, pays the balance and saves 21 days of interest on it (393.69), and
// payment 7 pays the rest of its interest, 577.76 - 393.69 = 184.07.
TEST(Schedule, LumpSumPaysAtMostWhatIsOwed)
{
    struct Case
    {
        const char *name;
        Date date;
        int row; // the lump sum's schedule row
        const char *interest; // of that row
        const char *endingBalance; // of the payment row that ends the loan
        const char *lastPayment;
        int periods;
        double totalPayments;
    };
    const Case cases[] = {
        {"on a payment date", ymd(2025, 6, 1), 7, "$581.51", "$0.00", "$1,332.25", 6, 123544.71},
        {"between two payment dates", ymd(2025, 6, 10), 8, "-$393.69", "$0.00", "$184.07", 7, 123728.78},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc;
        doc.gintCompounding = 1;
        doc.gdblLoanAmount = 120000;
        doc.gdblAnnualRate = 0.06;
        doc.gdblBasicPayment = 1332.25;
        doc.gdtmFirstPaymentDue = ymd(2025, 1, 1);
        doc.mdblNperTerm = 120;
        doc.glngAmortization = 10;
        addChange(doc.gridLumpSum, c.date, 500000);
        ASSERT_TRUE(calculate(doc));
        const int last = doc.gridMain0.rows() - 1;
        EXPECT_EQ(doc.gridMain0.text(c.row, colLumpSum), "$115,551.21");
        EXPECT_EQ(doc.gridMain0.text(c.row, colInterest), c.interest);
        EXPECT_EQ(doc.gridMain0.reducedLumpSum(c.row), 500000);
        EXPECT_EQ(doc.gridMain0.text(last, colEndingBalance), c.endingBalance);
        EXPECT_EQ(doc.gridMain0.text(last, colPercentPaid), "100.00%");
        EXPECT_EQ(doc.gridMain0.text(last, colPayment), c.lastPayment);
        EXPECT_EQ(doc.gdblNumberOfPeriods, c.periods);
        EXPECT_NEAR(doc.gdblTotalPayments, c.totalPayments, 0.005);
        // Everything paid beyond the 120,000 lent is interest.
        EXPECT_NEAR(doc.gdblInterestPaid, c.totalPayments - 120000, 0.005);
        // The document keeps the amount as entered.
        EXPECT_EQ(doc.gridLumpSum.text(1, chgAmount), "500000");
    }

    // A lump sum within what is owed is paid in full and says nothing of a reduction.
    LoanDocument doc = personalLoan(1200, 100, 12, 0);
    addChange(doc.gridLumpSum, ymd(2025, 3, 15), 900);
    ASSERT_TRUE(calculate(doc));
    EXPECT_EQ(doc.gridMain0.text(4, colLumpSum), "$900.00");
    EXPECT_EQ(doc.gridMain0.reducedLumpSum(4), std::nullopt);
    EXPECT_EQ(doc.gridMain0.rows(), 5);
}

TEST(Schedule, LumpSumBetweenPaymentDatesGetsItsOwnRow)
{
    LoanDocument doc = personalLoan(1000, 100, 12);
    addChange(doc.gridLumpSum, ymd(2025, 2, 1), 200);
    ASSERT_TRUE(calculate(doc));
    const NumberFormat format;
    const double d2 = std::pow(std::pow(1.06, 2), 1.0 / 365) - 1;
    const double saved = 200 * std::pow(1 + d2, 14) - 200;
    // Row 2 is payment 1 (15 January), row 3 the lump sum of 1 February, row 4 payment 2 (15 February).
    EXPECT_EQ(doc.gridMain0.text(3, colNumber), "");
    EXPECT_EQ(doc.gridMain0.text(3, colDate), "2/1/2025");
    EXPECT_EQ(doc.gridMain0.text(3, colInterest), format.currency(-saved));
    EXPECT_EQ(doc.gridMain0.text(3, colLumpSum), "$200.00");
    EXPECT_EQ(doc.gridMain0.text(3, colCumulativePayments), "$300.00");
    EXPECT_EQ(doc.gridMain0.text(3, colEndingBalance), "");
    EXPECT_EQ(doc.gridLumpSum.text(1, chgScheduleRow), "3");
    // The next payment still earns interest on the full balance and credits the lump sum plus the saving.
    EXPECT_EQ(doc.gridMain0.text(4, colInterest), "$9.10");
    EXPECT_EQ(doc.gridMain0.text(4, colPrincipal), format.currency(100 + 200 + saved - 9.1));
    EXPECT_EQ(doc.gridMain0.text(4, colCumulativeInterest), format.currency(10 - saved + 9.1));
}

TEST(Schedule, TwoLumpSumsOnOnePaymentDate)
{
    LoanDocument doc = personalLoan(1000, 100, 12);
    addChange(doc.gridLumpSum, ymd(2025, 2, 15), 100);
    addChange(doc.gridLumpSum, ymd(2025, 2, 15), 50);
    ASSERT_TRUE(calculate(doc));
    EXPECT_EQ(doc.gridMain0.text(3, colLumpSum), "$100.00");
    EXPECT_EQ(doc.gridMain0.text(4, colDate), "2/15/2025");
    EXPECT_EQ(doc.gridMain0.text(4, colNumber), "");
    EXPECT_EQ(doc.gridMain0.text(4, colLumpSum), "$50.00");
    EXPECT_EQ(doc.gridMain0.text(4, colInterest), "-$0.50"); // one month's interest on 50
    EXPECT_EQ(doc.gridLumpSum.text(1, chgScheduleRow), "3");
    EXPECT_EQ(doc.gridLumpSum.text(2, chgScheduleRow), "4");
    // Balance after payment 2: 1000 -> 910 -> 719.10 (with 100 lump). Payment 3 credits 50.50 more.
    const NumberFormat format;
    EXPECT_EQ(doc.gridMain0.text(5, colPrincipal), format.currency(100 + 50.5 - 7.191));
}

TEST(Schedule, RateAndPaymentChangesApplyFromTheirDate)
{
    LoanDocument doc = personalLoan(1000, 100, 12);
    addChange(doc.gridAnnualRate, ymd(2025, 3, 15), 0);
    addChange(doc.gridBasicPayment, ymd(2025, 4, 15), 200);
    ASSERT_TRUE(calculate(doc));
    EXPECT_EQ(doc.gridMain0.text(3, colAnnualRate), "12.0000%");
    EXPECT_EQ(doc.gridMain0.text(4, colAnnualRate), ".0000%");
    EXPECT_EQ(doc.gridMain0.text(4, colInterest), "$0.00");
    EXPECT_EQ(doc.gridMain0.text(5, colInterest), "$0.00");
    EXPECT_EQ(doc.gridMain0.text(4, colPayment), "$100.00");
    EXPECT_EQ(doc.gridMain0.text(5, colPayment), "$200.00");
    EXPECT_EQ(doc.gridAnnualRate.text(1, chgScheduleRow), "4");
    EXPECT_EQ(doc.gridBasicPayment.text(1, chgScheduleRow), "5");
    // The document's own rate and payment are not changed by the run.
    EXPECT_EQ(doc.gdblAnnualRate, 0.12);
    EXPECT_EQ(doc.gdblBasicPayment, 100);
}

TEST(Schedule, RatesBelowOnePercentHaveNoLeadingZero)
{
    LoanDocument doc = personalLoan(1000, 100, 3, 0.0025);
    ASSERT_TRUE(calculate(doc));
    EXPECT_EQ(doc.gridMain0.text(2, colAnnualRate), ".2500%");
}

// An entry whose date never meets a payment date is not applied, and the entries after it still are.
TEST(Schedule, UnmatchedEntriesDoNotHoldBackLaterOnes)
{
    LoanDocument doc = personalLoan(1000, 100, 12);
    doc.gdtmStartDate = ymd(2024, 12, 20);
    addChange(doc.gridAnnualRate, ymd(2025, 2, 20), 6);
    addChange(doc.gridAnnualRate, ymd(2025, 4, 15), 24);
    addChange(doc.gridBasicPayment, ymd(2024, 12, 15), 50);
    addChange(doc.gridBasicPayment, ymd(2025, 5, 15), 150);
    addChange(doc.gridLumpSum, ymd(2024, 12, 18), 300); // before the start date
    addChange(doc.gridLumpSum, ymd(2025, 3, 15), 40);
    ASSERT_TRUE(calculate(doc));
    EXPECT_EQ(doc.gridAnnualRate.text(1, chgScheduleRow), "");
    EXPECT_EQ(doc.gridAnnualRate.text(2, chgScheduleRow), "5");
    EXPECT_EQ(doc.gridMain0.text(4, colAnnualRate), "12.0000%");
    EXPECT_EQ(doc.gridMain0.text(5, colAnnualRate), "24.0000%");
    EXPECT_EQ(doc.gridBasicPayment.text(1, chgScheduleRow), "");
    EXPECT_EQ(doc.gridBasicPayment.text(2, chgScheduleRow), "6");
    EXPECT_EQ(doc.gridMain0.text(6, colPayment), "$150.00");
    EXPECT_EQ(doc.gridLumpSum.text(1, chgScheduleRow), "");
    EXPECT_EQ(doc.gridLumpSum.text(2, chgScheduleRow), "4");
    EXPECT_EQ(doc.gridMain0.text(4, colLumpSum), "$40.00");
}

TEST(Schedule, StaleAppliedRowsAreCleared)
{
    LoanDocument doc = personalLoan(1000, 100, 12);
    addChange(doc.gridLumpSum, ymd(2030, 1, 15), 40);
    doc.gridLumpSum.setText(1, chgScheduleRow, "7");
    ASSERT_TRUE(calculate(doc));
    EXPECT_EQ(doc.gridLumpSum.text(1, chgScheduleRow), "");
}

TEST(Schedule, DatesOfEveryFrequencyAndConvention)
{
    struct Case
    {
        int frequency;
        int convention;
        std::vector<std::string> dates; // rows 0..3
    };
    const Case cases[] = {
        {kMonthly, 0, {"12/15/2024", "1/15/2025", "2/15/2025", "3/15/2025"}},
        {kMonthly, 1, {"1/15/2025", "2/15/2025", "3/15/2025", "4/15/2025"}},
        {kSemiMonthly, 0, {"12/31/2024", "1/15/2025", "1/31/2025", "2/15/2025"}},
        {kSemiMonthly, 1, {"1/15/2025", "1/31/2025", "2/15/2025", "2/28/2025"}},
        {kBiWeeklyAccelerated, 0, {"1/1/2025", "1/15/2025", "1/29/2025", "2/12/2025"}},
        {kBiWeekly, 1, {"1/15/2025", "1/29/2025", "2/12/2025", "2/26/2025"}},
        {kWeeklyAccelerated, 1, {"1/15/2025", "1/22/2025", "1/29/2025", "2/5/2025"}},
        {kWeekly, 0, {"1/8/2025", "1/15/2025", "1/22/2025", "1/29/2025"}},
        {kAnnually, 0, {"1/15/2024", "1/15/2025", "1/15/2026", "1/15/2027"}},
        {kAnnually, 1, {"1/15/2025", "1/15/2026", "1/15/2027", "1/15/2028"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "frequency " << c.frequency << " convention " << c.convention);
        LoanDocument doc = personalLoan(1000, 10, 3);
        doc.gintLoanType = kMortgageLoan;
        doc.gintFreqOfInst = c.frequency;
        doc.gintStartPayment = c.convention;
        ASSERT_TRUE(calculate(doc));
        ASSERT_EQ(doc.gridMain0.rows(), 5);
        for (int r = 0; r < 4; ++r)
            EXPECT_EQ(doc.gridMain0.text(r + 1, colDate), c.dates[size_t(r)]) << "row " << r;
    }
}

TEST(Schedule, PeriodicRateOfEveryCompounding)
{
    // Mortgage at 6 %, bi-weekly over 365.25/14 periods a year.
    const double p = 365.25 / 14;
    const double expected[] = {std::pow(1.03, 2 / p) - 1, std::pow(1.005, 12 / p) - 1, std::pow(1.06, 1 / p) - 1,
                               std::pow(1.015, 4 / p) - 1};
    for (int compounding = 0; compounding < 4; ++compounding) {
        SCOPED_TRACE(compounding);
        LoanDocument doc = personalLoan(1000, 100, 3, 0.06);
        doc.gintLoanType = kMortgageLoan;
        doc.gintCompounding = compounding;
        doc.gintFreqOfInst = kBiWeekly;
        ASSERT_TRUE(calculate(doc));
        EXPECT_DOUBLE_EQ(doc.gdblPeriodicRate, expected[compounding]);
        EXPECT_EQ(doc.gdblPeriodsPerYear, p);
    }
}

// When the term covers the amortization, less than a payment left after the last period is paid with it: 1,000 at
// 1 % a month paid by 88.84 for 12 months leaves 0.11146, so the last payment is 88.95146, shown and paid as 88.96.
// A term shorter than the amortization, or more than a payment left, keeps its balance.
TEST(Schedule, LastPaymentTakesTheCentsLeft)
{
    struct Case
    {
        const char *name;
        double payment;
        double amortizationYears;
        const char *lastPayment;
        const char *endingBalance;
        double totalPayments;
    };
    const Case cases[] = {
        {"the term covers the amortization", 88.84, 1, "$88.96", "$0.00", 1066.20},
        {"the term is shorter than the amortization", 88.84, 2, "$88.84", "$0.11", 1066.08},
        {"more than a payment left", 80, 1, "$80.00", "$112.22", 960},
        {"no amortization given", 88.84, 0, "$88.84", "$0.11", 1066.08},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc = personalLoan(1000, c.payment, 12);
        doc.glngAmortization = c.amortizationYears;
        ASSERT_TRUE(calculate(doc));
        ASSERT_EQ(doc.gridMain0.rows(), 14);
        EXPECT_EQ(doc.gridMain0.text(13, colPayment), c.lastPayment);
        EXPECT_EQ(doc.gridMain0.text(13, colEndingBalance), c.endingBalance);
        EXPECT_EQ(doc.gridMain0.balanceLeft(), *NumberFormat().parseNumber(c.endingBalance));
        EXPECT_NEAR(doc.gdblTotalPayments, c.totalPayments, 1e-9);
        EXPECT_NEAR(doc.gdblTotalPayments - doc.gdblInterestPaid + doc.gridMain0.balanceLeft(), 1000, 0.005);
    }
}

// A lump sum on the day the loan starts is paid, whether that day is written as the start date or follows from the
// first payment; one before it is not. 1,000 at 1 % a month from 15 December 2024, first payment 15 January 2025: 200
// on the start day of a monthly loan saves a month's interest, 2.00; lent on 1 January, 14 days before the payment, it
// saves 200 x ((1.03^2)^(14/365) - 1) = 0.90.
TEST(Schedule, LumpSumOnTheDayTheLoanStarts)
{
    struct Case
    {
        const char *name;
        Date start;
        Date lump;
        const char *appliedRow;
        const char *interest; // of row 2: the lump sum's own, or payment 1's
    };
    const Case cases[] = {
        {"no start date written", kNoDate, ymd(2024, 12, 15), "2", "-$2.00"},
        {"the natural start written", ymd(2024, 12, 15), ymd(2024, 12, 15), "2", "-$2.00"},
        {"lent between the natural start and payment 1", ymd(2025, 1, 1), ymd(2025, 1, 1), "2", "-$0.90"},
        {"before the start, no start date written", kNoDate, ymd(2024, 12, 1), "", "$10.00"},
        {"before the start date", ymd(2025, 1, 1), ymd(2024, 12, 20), "", "$4.59"}, // 14 days of daily interest
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc = personalLoan(1000, 100, 12);
        doc.gdtmStartDate = c.start;
        addChange(doc.gridLumpSum, c.lump, 200);
        ASSERT_TRUE(calculate(doc));
        EXPECT_EQ(doc.gridLumpSum.text(1, chgScheduleRow), c.appliedRow);
        EXPECT_EQ(doc.gridMain0.text(2, colInterest), c.interest);
    }
}

// A semi-monthly loan whose first payment is on the pair's earlier day: the start row must be a real payment day
// of the pair, never a date the next step cannot continue from.
TEST(Schedule, SemiMonthlyStartRowIsAPaymentDay)
{
    struct Case
    {
        Date anchor;
        std::vector<std::string> dates; // rows 0..3
    };
    const Case cases[] = {
        {ymd(2025, 3, 15), {"2/28/2025", "3/15/2025", "3/31/2025", "4/15/2025"}},
        {ymd(2025, 3, 14), {"2/28/2025", "3/14/2025", "3/29/2025", "4/14/2025"}},
        {ymd(2024, 3, 14), {"2/29/2024", "3/14/2024", "3/29/2024", "4/14/2024"}},
        {ymd(2025, 4, 1), {"3/16/2025", "4/1/2025", "4/16/2025", "5/1/2025"}},
        {ymd(2025, 1, 10), {"12/25/2024", "1/10/2025", "1/25/2025", "2/10/2025"}},
        // Paid on the 15th and the last day: the start row is the last day of the month before, 31 days or fewer.
        {ymd(2025, 6, 15), {"5/31/2025", "6/15/2025", "6/30/2025", "7/15/2025"}},
        {ymd(2025, 1, 15), {"12/31/2024", "1/15/2025", "1/31/2025", "2/15/2025"}},
        {ymd(2025, 7, 15), {"6/30/2025", "7/15/2025", "7/31/2025", "8/15/2025"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.dates[1]);
        LoanDocument doc = personalLoan(1000, 10, 3);
        doc.gintFreqOfInst = kSemiMonthly;
        doc.gdtmFirstPaymentDue = c.anchor;
        ASSERT_TRUE(calculate(doc));
        for (int r = 0; r < 4; ++r)
            EXPECT_EQ(doc.gridMain0.text(r + 1, colDate), c.dates[size_t(r)]) << "row " << r;
    }
}

// The start row shows the natural start the first period's interest is counted from: typing the date it shows as the
// start date changes nothing.
TEST(Schedule, SemiMonthlyStartRowIsTheNaturalStart)
{
    for (int day = 1; day <= 31; ++day) {
        for (int month = 1; month <= 12; ++month) {
            const std::optional<Date> anchor = exactDate(2025, month, day);
            if (!anchor)
                continue;
            SCOPED_TRACE(testing::Message() << "first payment 2025-" << month << "-" << day);
            LoanDocument doc = personalLoan(100000, 1000, 24, 0.06);
            doc.gintFreqOfInst = kSemiMonthly;
            doc.gdtmFirstPaymentDue = *anchor;
            ASSERT_TRUE(calculate(doc));
            LoanDocument typed = doc;
            typed.gdtmStartDate = serialDate(doc.gridMain0.text(1, colDateSerial));
            ASSERT_TRUE(calculate(typed));
            EXPECT_EQ(typed.gridMain0.text(1, colDate), doc.gridMain0.text(1, colDate));
            EXPECT_EQ(typed.gridMain0.text(2, colInterest), doc.gridMain0.text(2, colInterest));
        }
    }
}

TEST(Schedule, SemiMonthlyScheduleNeverShowsAZeroDate)
{
    for (int convention : {0, 1}) {
        for (int day = 1; day <= 31; ++day) {
            SCOPED_TRACE(testing::Message() << "day " << day << " convention " << convention);
            LoanDocument doc = personalLoan(10000, 100, 48);
            doc.gintFreqOfInst = kSemiMonthly;
            doc.gintStartPayment = convention;
            doc.gdtmFirstPaymentDue = ymd(2025, 1, day);
            ASSERT_TRUE(calculate(doc));
            Date previous = kNoDate;
            for (int r = 1; r < doc.gridMain0.rows(); ++r) {
                const Date date = serialDate(doc.gridMain0.text(r, colDateSerial));
                ASSERT_NE(date, kNoDate) << "row " << r;
                ASSERT_GT(date, previous) << "row " << r;
                previous = date;
            }
        }
    }
}

// Long loans need more than 16-bit counters; beyond the wizard's limit the loan is refused without allocating.
TEST(Schedule, PeriodLimits)
{
    LoanDocument doc = personalLoan(90000, 1, kMaxPeriods, 0);
    doc.gintFreqOfInst = kWeekly;
    ASSERT_TRUE(calculate(doc));
    EXPECT_EQ(doc.gridMain0.rows(), kMaxPeriods + 2);
    EXPECT_EQ(doc.gdblNumberOfPeriods, kMaxPeriods);
    EXPECT_EQ(doc.gridMain0.text(kMaxPeriods + 1, colNumber), "90000");

    for (double periods : {90001.0, 1e12, -5.0, std::nan("")}) {
        SCOPED_TRACE(periods);
        LoanDocument refused = personalLoan(1000, 100, periods);
        const CalculateResult result = calculate(refused);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.message.find("90,000"), std::string::npos);
        EXPECT_EQ(refused.gridMain0.rows(), 1);
    }
}

// A payment below the interest at a high rate makes the balance explode; the run stops cleanly and the document
// keeps its previous schedule, change tables and totals.
TEST(Schedule, RunawayBalanceIsRefusedAndLeavesTheDocumentAlone)
{
    LoanDocument doc = personalLoan(1000, 100, 12);
    addChange(doc.gridLumpSum, ymd(2025, 3, 15), 40);
    ASSERT_TRUE(calculate(doc));
    const LoanDocument before = doc;

    doc.gdblAnnualRate = 10; // 1000 % a year
    doc.gdblBasicPayment = 0;
    doc.mdblNperTerm = 90000;
    doc.gintFreqOfInst = kWeekly;
    const CalculateResult result = calculate(doc);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.message.empty());
    EXPECT_EQ(doc.gridMain0, before.gridMain0);
    EXPECT_EQ(doc.gridLumpSum, before.gridLumpSum);
    EXPECT_EQ(doc.gdblTotalPayments, before.gdblTotalPayments);
}

TEST(Schedule, ImpossibleInputsFailCleanly)
{
    struct Case
    {
        const char *name;
        void (*change)(LoanDocument &);
    };
    const Case cases[] = {
        {"bi-weekly with an unknown year length",
         [](LoanDocument &d) {
             d.gintFreqOfInst = kBiWeekly;
             d.gintPeriodsPerYearIndex = 7;
         }},
        {"last payment beyond the calendar",
         [](LoanDocument &d) {
             d.gdtmFirstPaymentDue = ymd(9999, 6, 1);
             d.gintFreqOfInst = kAnnually;
         }},
        {"unknown frequency", [](LoanDocument &d) { d.gintFreqOfInst = 9; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc = personalLoan(1000, 100, 12);
        c.change(doc);
        const CalculateResult result = calculate(doc);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.message.empty());
        EXPECT_EQ(doc.gridMain0.rows(), 1);
    }
}

TEST(Schedule, ProgressIsReportedOncePerPeriod)
{
    LoanDocument doc = personalLoan(1200, 100, 12, 0);
    std::vector<std::pair<int, int>> calls;
    ASSERT_TRUE(Calculate(doc, NumberFormat(), [&](int done, int total) { calls.emplace_back(done, total); }));
    ASSERT_EQ(calls.size(), 13u);
    for (int p = 0; p <= 12; ++p)
        EXPECT_EQ(calls[size_t(p)], std::make_pair(p, 20));
}

// A lump sum dated after the loan is repaid, or after its last period, is never paid: no row, no payment counted.
TEST(Schedule, LumpSumsNoPaymentFollowsAreNotCounted)
{
    struct Case
    {
        const char *name;
        double payment;
        std::vector<std::pair<Date, double>> lumps;
        double totalPayments;
        int rows; // schedule rows, header included
        std::vector<std::string> appliedRows;
    };
    const Case cases[] = {
        {"after the last payment repaid the loan", 100, {{ymd(2025, 12, 20), 300}}, 1200, 14, {""}},
        {"after the last period, with a balance left", 50, {{ymd(2025, 12, 20), 300}}, 600, 14, {""}},
        {"after a lump sum on a payment date repaid the loan",
         100,
         {{ymd(2025, 3, 15), 1500}, {ymd(2025, 3, 20), 200}},
         1200, // of the 1,500 only the 900 owed
         5,
         {"4", ""}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc = personalLoan(1200, c.payment, 12, 0);
        for (const auto &[date, amount] : c.lumps)
            addChange(doc.gridLumpSum, date, amount);
        ASSERT_TRUE(calculate(doc));
        EXPECT_DOUBLE_EQ(doc.gdblTotalPayments, c.totalPayments);
        EXPECT_EQ(doc.gridMain0.rows(), c.rows);
        for (size_t i = 0; i < c.appliedRows.size(); ++i)
            EXPECT_EQ(doc.gridLumpSum.text(int(i) + 1, chgScheduleRow), c.appliedRows[i]) << "lump " << i;
    }
}

// Every saving a lump sum earns is taken off the interest, so the totals agree with the last row: Total Payments -
// Interest Paid is the principal repaid, and Interest Paid the cumulative interest.
TEST(Schedule, TotalsAgreeWithThePrincipalRepaid)
{
    struct Case
    {
        const char *name;
        int frequency;
        std::vector<std::pair<Date, double>> lumps;
    };
    const Case cases[] = {
        {"monthly, two lump sums on one payment date", kMonthly, {{ymd(2025, 2, 15), 100}, {ymd(2025, 2, 15), 50}}},
        {"monthly, a lump sum between payment dates", kMonthly, {{ymd(2025, 2, 1), 200}}},
        {"annual, two lump sums on one payment date", kAnnually, {{ymd(2026, 1, 15), 100}, {ymd(2026, 1, 15), 50}}},
    };
    const NumberFormat format;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc = personalLoan(1000, 100, 12);
        doc.gintFreqOfInst = c.frequency;
        for (const auto &[date, amount] : c.lumps)
            addChange(doc.gridLumpSum, date, amount);
        ASSERT_TRUE(calculate(doc));
        const int last = doc.gridMain0.rows() - 1;
        const auto principal = format.parseNumber(doc.gridMain0.text(last, colCumulativePrincipal));
        const auto interest = format.parseNumber(doc.gridMain0.text(last, colCumulativeInterest));
        ASSERT_TRUE(principal && interest);
        EXPECT_NEAR(doc.gdblTotalPayments - doc.gdblInterestPaid, *principal, 0.005);
        EXPECT_NEAR(doc.gdblInterestPaid, *interest, 0.005);
    }
}

// The natural start is the anchor moved back one period, whatever the frequency and whichever date the anchor stands
// for: a start date there earns the periodic interest in the first period, any other start date before the first
// payment earns daily interest from that date.
TEST(Schedule, FirstPeriodInterestFromTheStartDate)
{
    struct Case
    {
        const char *name;
        int frequency;
        int convention;
        Date anchor;
        Date start;
        int dailyDays; // 0: the periodic interest
    };
    const Case cases[] = {
        {"semi-monthly, one period before payment 1 on the 15th", kSemiMonthly, 0, ymd(2025, 1, 15), ymd(2024, 12, 31),
         0},
        {"semi-monthly, one period before payment 1 on the 1st", kSemiMonthly, 0, ymd(2025, 4, 1), ymd(2025, 3, 16), 0},
        {"semi-monthly, lent on the anchor", kSemiMonthly, 1, ymd(2025, 4, 1), ymd(2025, 4, 1), 15},
        {"monthly, lent on the anchor", kMonthly, 1, ymd(2026, 4, 1), ymd(2026, 4, 1), 30},
        {"monthly, one period before payment 1", kMonthly, 0, ymd(2026, 5, 1), ymd(2026, 4, 1), 0},
        {"semi-monthly, ten days before payment 1", kSemiMonthly, 0, ymd(2025, 1, 15), ymd(2025, 1, 5), 10},
        {"semi-monthly lent on the anchor, started earlier", kSemiMonthly, 1, ymd(2025, 4, 1), ymd(2025, 3, 20), 27},
        {"semi-monthly lent on the anchor, started at its natural start", kSemiMonthly, 1, ymd(2025, 4, 1),
         ymd(2025, 3, 16), 0},
        {"monthly lent on the anchor, started a month earlier", kMonthly, 1, ymd(2026, 4, 1), ymd(2026, 3, 1), 0},
        {"monthly lent on the anchor, started ten days earlier", kMonthly, 1, ymd(2026, 4, 1), ymd(2026, 3, 22), 40},
    };
    const NumberFormat format;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc = personalLoan(1000, 10, 24);
        doc.gintFreqOfInst = c.frequency;
        doc.gintStartPayment = c.convention;
        doc.gdtmFirstPaymentDue = c.anchor;
        doc.gdtmStartDate = c.start;
        ASSERT_TRUE(calculate(doc));
        const double expected =
            c.dailyDays == 0 ? 1000 * doc.gdblPeriodicRate : 1000 * (std::pow(1 + doc.gdblDailyRate, c.dailyDays) - 1);
        EXPECT_EQ(doc.gridMain0.text(2, colInterest), format.currency(expected));
    }
}

// Beyond 10,000,000,000,000 a double no longer holds every cent; such a schedule is refused, just below it the cents
// are exact.
TEST(Schedule, AmountCap)
{
    struct Case
    {
        double amount;
        bool ok;
        const char *opening;
    };
    const Case cases[] = {
        {9876543210987.65, true, "$9,876,543,210,987.65"},
        {1e13, false, ""},
        {12345678901234.56, false, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.opening);
        LoanDocument doc = personalLoan(c.amount, 1e12, 3, 0);
        const CalculateResult result = calculate(doc);
        EXPECT_EQ(result.ok, c.ok);
        if (c.ok) {
            EXPECT_EQ(doc.gridMain0.text(2, colOpeningBalance), c.opening);
        } else {
            EXPECT_NE(result.message.find("10,000,000,000,000"), std::string::npos) << result.message;
        }
    }
}

// 1,000 at 10 % (a twelfth of 10 % a month) paid by 300 a month, worked by hand both ways. Rounded each period, every
// interest cell is what the lender charges and the totals are the sums of the cells: 8.33 + 5.90 + 3.45 + 0.98 =
// 18.66, the last payment 117.68 + 0.98. Unrounded, the same cells add up to 18.66 while the loan charges 18.67.
TEST(Schedule, InterestRoundedToTheCentEachPeriod)
{
    struct Case
    {
        bool rounded;
        std::vector<std::string> interest;
        std::vector<std::string> balance;
        const char *lastPayment;
        const char *cumulativeInterest;
        double totalPayments;
    };
    const Case cases[] = {
        {true,
         {"$8.33", "$5.90", "$3.45", "$0.98"},
         {"$708.33", "$414.23", "$117.68", "$0.00"},
         "$118.66",
         "$18.66",
         1018.66},
        {false,
         {"$8.33", "$5.90", "$3.45", "$0.98"},
         {"$708.33", "$414.24", "$117.69", "$0.00"},
         "$118.67",
         "$18.67",
         1018.67},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rounded ? "rounded" : "unrounded");
        LoanDocument doc = personalLoan(1000, 300, 6, 0.10);
        doc.roundInterestEachPeriod = c.rounded;
        ASSERT_TRUE(calculate(doc));
        ASSERT_EQ(doc.gridMain0.rows(), 6);
        for (int period = 1; period <= 4; ++period) {
            SCOPED_TRACE(period);
            EXPECT_EQ(doc.gridMain0.text(period + 1, colInterest), c.interest[size_t(period - 1)]);
            EXPECT_EQ(doc.gridMain0.text(period + 1, colEndingBalance), c.balance[size_t(period - 1)]);
        }
        EXPECT_EQ(doc.gridMain0.text(5, colPayment), c.lastPayment);
        EXPECT_EQ(doc.gridMain0.text(5, colCumulativeInterest), c.cumulativeInterest);
        EXPECT_NEAR(doc.gdblTotalPayments, c.totalPayments, 1e-9);
    }
}

// Rounded each period, every figure of every row is a whole number of cents before it is shown, each balance is the
// one above it less the row's principal, and every running total is the sum of the cells above it, over a long loan
// with rate and payment changes (one of a fraction of a cent) and lump sums on and between payment dates.
TEST(Schedule, RoundedRowsAddUpToTheCent)
{
    struct Case
    {
        const char *name;
        int frequency;
        int compounding;
    };
    const Case cases[] = {
        {"monthly, semi-annual compounding", kMonthly, 0},
        {"weekly, monthly compounding", kWeekly, 1},
        {"semi-monthly, quarterly compounding", kSemiMonthly, 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc;
        doc.gdblLoanAmount = 287654.32;
        doc.gdblAnnualRate = 0.0537;
        doc.gintCompounding = c.compounding;
        doc.gintFreqOfInst = c.frequency;
        doc.gdtmFirstPaymentDue = ymd(2025, 3, 1);
        doc.mdblNperTerm = std::round(lengthToPeriods(25, kYears, c.frequency));
        doc.gdblBasicPayment = c.frequency == kMonthly ? 1748.03 : c.frequency == kWeekly ? 403.37 : 874.02;
        doc.roundInterestEachPeriod = true;
        ASSERT_TRUE(calculate(doc));
        // Changes on the dates of rows 40 and 90 and a lump sum on row 60's; a lump sum two days after row 70's.
        addChange(doc.gridAnnualRate, Date(doc.gridMain0.value(40, colDateSerial)), 6.15);
        addChange(doc.gridBasicPayment, Date(doc.gridMain0.value(90, colDateSerial)), doc.gdblBasicPayment + 100.005);
        addChange(doc.gridLumpSum, Date(doc.gridMain0.value(60, colDateSerial)), 5000.25);
        addChange(doc.gridLumpSum, Date(doc.gridMain0.value(70, colDateSerial)) + 2, 7000);
        ASSERT_TRUE(calculate(doc));
        ASSERT_EQ(doc.gridAnnualRate.text(1, chgScheduleRow), "40");
        ASSERT_EQ(doc.gridLumpSum.text(2, chgScheduleRow), "71");

        auto cents = [](double value) { return std::llround(value * 100); };
        long long interest = 0, principal = 0, payments = 0;
        long long balance = cents(doc.gdblLoanAmount);
        ScheduleReader reader(doc.gridMain0);
        for (ScheduleRowValues row; reader.next(row);) {
            SCOPED_TRACE(row.row);
            for (int column : {colOpeningBalance, colInterest, colPrincipal, colEndingBalance, colPayment, colLumpSum,
                               colCumulativePayments, colCumulativeInterest, colCumulativePrincipal})
                ASSERT_NEAR(reader.unrounded(column), row[column], 1e-6) << column;
            if (row.kind == ScheduleRowKind::Start)
                continue;
            interest += cents(row[colInterest]);
            payments += cents(row[colPayment]) + cents(row[colLumpSum]);
            ASSERT_EQ(cents(row[colCumulativePayments]), payments);
            if (row.kind != ScheduleRowKind::Payment)
                continue; // a lump sum's own row shows no running interest
            ASSERT_EQ(cents(row[colCumulativeInterest]), interest);
            ASSERT_EQ(cents(row[colOpeningBalance]), balance);
            principal += cents(row[colPrincipal]);
            balance -= cents(row[colPrincipal]);
            ASSERT_EQ(cents(row[colEndingBalance]), balance);
            ASSERT_EQ(cents(row[colCumulativePrincipal]), principal);
        }
        EXPECT_EQ(cents(doc.gdblInterestPaid), interest);
        EXPECT_EQ(cents(doc.gdblTotalPayments), payments);
    }
}
