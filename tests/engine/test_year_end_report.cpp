#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "engine/YearEndReport.h"
#include "support/Dates.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

// 1,200 at exactly 1 % a month, 100 a month: the interest of each month is worked by hand in the cases below.
LoanDocument monthlyLoan(Date firstPayment, int periods)
{
    LoanDocument doc;
    doc.gintLoanType = kPersonalLoan;
    doc.gdblLoanAmount = 1200;
    doc.gdblAnnualRate = 0.12;
    doc.gintFreqOfInst = kMonthly;
    doc.gdblBasicPayment = 100;
    doc.gdtmFirstPaymentDue = firstPayment;
    doc.mdblNperTerm = periods;
    return doc;
}

void addLumpSum(LoanDocument &doc, Date date, double amount)
{
    const int row = doc.gridLumpSum.rows();
    doc.gridLumpSum.setRows(row + 1);
    setChangeEntry(doc.gridLumpSum, row, date, amount, NumberFormat());
}

YearEndReport reportOf(LoanDocument &doc, int closingMonth)
{
    EXPECT_TRUE(Calculate(doc, NumberFormat()));
    return yearEndReport(doc, closingMonth);
}

std::vector<std::string> rowTexts(const YearEndReport &report, int row)
{
    std::vector<std::string> texts;
    for (int c = 0; c < report.cols(); ++c)
        texts.push_back(report.text(row, c));
    return texts;
}

using Texts = std::vector<std::string>;

} // namespace

// The last payment of the closing month ends a loan year: the next payment of the frequency falls in the next month.
TEST(YearEndReport, ClosingRulePerFrequency)
{
    struct Case
    {
        const char *name;
        int frequency;
        Date date;
        int closingMonth;
        bool closes;
    };
    const Case cases[] = {
        {"monthly, any day of the closing month", kMonthly, ymd(2025, 12, 1), 12, true},
        {"monthly, another month", kMonthly, ymd(2025, 11, 30), 12, false},
        {"annual: the year's only payment", kAnnually, ymd(2025, 12, 1), 12, true},
        {"semi-monthly on the 30th of a 30-day month", kSemiMonthly, ymd(2025, 11, 30), 11, true},
        {"semi-monthly on the 15th of a 30-day month", kSemiMonthly, ymd(2025, 11, 15), 11, false},
        {"semi-monthly on the 16th of a 31-day month", kSemiMonthly, ymd(2025, 12, 16), 12, true},
        {"semi-monthly on the 29th of a leap February", kSemiMonthly, ymd(2024, 2, 29), 2, true},
        {"bi-weekly: 18 + 14 > 31", kBiWeekly, ymd(2025, 12, 18), 12, true},
        {"bi-weekly: 17 + 14 = 31", kBiWeekly, ymd(2025, 12, 17), 12, false},
        {"accelerated bi-weekly: 15 + 14 > 28", kBiWeeklyAccelerated, ymd(2025, 2, 15), 2, true},
        {"weekly on the 25th of a 31-day month", kWeekly, ymd(2025, 12, 25), 12, true},
        {"weekly on the 24th of a 31-day month", kWeekly, ymd(2025, 12, 24), 12, false},
        {"accelerated weekly on the 23rd of a leap February", kWeeklyAccelerated, ymd(2024, 2, 23), 2, true},
        {"accelerated weekly on the 22nd of a leap February", kWeeklyAccelerated, ymd(2024, 2, 22), 2, false},
        {"no closing month", kMonthly, ymd(2025, 12, 1), 0, false},
        {"an unknown frequency", 7, ymd(2025, 12, 31), 12, false},
        {"no date", kMonthly, kNoDate, 12, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(closesLoanYear(c.date, c.frequency, c.closingMonth), c.closes);
    }
}

// Monthly payments, December closing: one row per calendar year from the schedule's first row (the start row, a
// month before the first payment) to the final payment, figures worked at 1 % a month.
TEST(YearEndReport, MonthlyLoanByCalendarYears)
{
    LoanDocument doc = monthlyLoan(ymd(2025, 6, 15), 13);
    const YearEndReport report = reportOf(doc, 12);
    ASSERT_EQ(report.rows(), 3);
    EXPECT_EQ(rowTexts(report, 0),
              (Texts {"", "From", "Until", "Interest", "Principal", "Balance", "Payment", "Lump Sums",
                      "Cumulative Payments", "Cumulative Interest", "Cumulative Principal"}));
    EXPECT_EQ(rowTexts(report, 1),
              (Texts {"1", "5/15/2025", "12/15/2025", "$65.21", "$634.79", "$565.21", "$700.00", "", "$700.00",
                      "$65.21", "$634.79"}));
    EXPECT_EQ(rowTexts(report, 2),
              (Texts {"2", "1/15/2026", "6/15/2026", "$19.57", "$565.21", "$0.00", "$584.78", "", "$1,284.78", "$84.78",
                      "$1,200.00"}));
    // The same numbers for a machine to read.
    EXPECT_EQ(report.plainText(2, yearFrom), "2026-01-15");
    EXPECT_EQ(report.plainText(2, yearCumulativePayments), "1284.78");
    EXPECT_EQ(report.plainText(2, yearLumpSums), "");
    EXPECT_EQ(report.value(2, yearInterest), 19.57);
    EXPECT_EQ(report.value(1, yearUntil), double(ymd(2025, 12, 15)));
}

// A loan whose last payment ends a year has no partial year after it; without a closing month everything is one
// year; a schedule without payments has no years.
TEST(YearEndReport, FinalYear)
{
    struct Case
    {
        const char *name;
        double amount;
        int closingMonth;
        std::vector<std::pair<std::string, std::string>> years; // From, Until
    };
    const Case cases[] = {
        {"the last payment closes June", 1200, 6, {{"5/15/2025", "6/15/2025"}, {"7/15/2025", "6/15/2026"}}},
        {"no closing month", 1200, 0, {{"5/15/2025", "6/15/2026"}}},
        {"nothing to repay", 0, 12, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc = monthlyLoan(ymd(2025, 6, 15), 13);
        doc.gdblLoanAmount = c.amount;
        const YearEndReport report = reportOf(doc, c.closingMonth);
        ASSERT_EQ(report.rows(), int(c.years.size()) + 1);
        for (size_t i = 0; i < c.years.size(); ++i) {
            EXPECT_EQ(report.text(int(i) + 1, yearFrom), c.years[i].first);
            EXPECT_EQ(report.text(int(i) + 1, yearUntil), c.years[i].second);
        }
    }
}

// Lump sums count in the year whose rows hold them, an empty cell when there are none. A lump sum paid between
// payments after the closing month's last payment (20 December, after the 1 December payment) belongs to the next
// year: its row shows no balance and no running totals, so it cannot end a year of its own.
TEST(YearEndReport, LumpSumsCountInTheirYear)
{
    LoanDocument doc = monthlyLoan(ymd(2025, 6, 1), 13);
    addLumpSum(doc, ymd(2025, 8, 1), 100); // on payment 3
    // Saves 12 days of interest on 50: 0.19. The year's interest is -0.1985 + 5 months' of 11.4000 (the last
    // payment, 22.12008 shown and paid as 22.35, counts 0.22992 of interest): 11.2015.
    addLumpSum(doc, ymd(2025, 12, 20), 50);
    YearEndReport report = reportOf(doc, 12);
    ASSERT_EQ(report.rows(), 3);
    EXPECT_EQ(rowTexts(report, 1),
              (Texts {"1", "5/1/2025", "12/1/2025", "$61.15", "$738.85", "$461.15", "$800.00", "$100.00", "$800.00",
                      "$61.15", "$738.85"}));
    EXPECT_EQ(rowTexts(report, 2),
              (Texts {"2", "12/20/2025", "5/1/2026", "$11.20", "$461.15", "$0.00", "$472.35", "$50.00", "$1,272.35",
                      "$72.35", "$1,200.00"}));

    report = reportOf(doc, 11);
    ASSERT_EQ(report.rows(), 3);
    EXPECT_EQ(report.text(1, yearLumpSums), "$100.00");
    EXPECT_EQ(report.text(2, yearLumpSums), "$50.00");
    EXPECT_EQ(report.text(2, yearFrom), "12/1/2025");
}

// A year's figures are the sums of its rows' figures, rounded once: an annual loan closing in the month of its
// payment has one payment a year, and each year shows exactly its payment's row. 500,000 at 5.75 % compounded
// semi-annually, 38,493.59 a year from 30 June 2025.
TEST(YearEndReport, AYearOfOnePaymentShowsItsRow)
{
    LoanDocument doc;
    doc.gdblLoanAmount = 500000;
    doc.gdblAnnualRate = 0.0575;
    doc.gintFreqOfInst = kAnnually;
    doc.gdblBasicPayment = 38493.59;
    doc.gdtmFirstPaymentDue = ymd(2025, 6, 30);
    doc.mdblNperTerm = 25;
    const YearEndReport report = reportOf(doc, 6);
    ASSERT_EQ(report.rows(), 26);
    EXPECT_EQ(report.text(1, yearInterest), "$29,163.28");
    for (int year = 1; year <= 25; ++year) {
        SCOPED_TRACE(year);
        const int row = year + 1; // after the start row
        EXPECT_EQ(report.text(year, yearInterest), doc.gridMain0.text(row, colInterest));
        EXPECT_EQ(report.text(year, yearPrincipal), doc.gridMain0.text(row, colPrincipal));
        EXPECT_EQ(report.text(year, yearPayment), doc.gridMain0.text(row, colPayment));
    }
}

// Loan years of the other frequencies end where the closing rule says, the last with the schedule.
TEST(YearEndReport, LoanYearsOfEveryFrequency)
{
    struct Case
    {
        const char *name;
        int frequency;
        Date firstPayment;
        int periods;
        int closingMonth;
        std::vector<std::string> until;
    };
    const Case cases[] = {
        {"weekly on Thursdays: the 25th closes", kWeekly, ymd(2025, 12, 4), 6, 12, {"12/25/2025", "1/8/2026"}},
        {"weekly on Wednesdays: the 24th does not", kWeekly, ymd(2025, 12, 3), 6, 12, {"12/31/2025", "1/7/2026"}},
        {"semi-monthly on the 15th and the last day",
         kSemiMonthly,
         ymd(2025, 10, 15),
         6,
         11,
         {"11/30/2025", "12/31/2025"}},
        {"bi-weekly", kBiWeekly, ymd(2025, 12, 4), 4, 12, {"12/18/2025", "1/15/2026"}},
        {"annual", kAnnually, ymd(2025, 12, 1), 3, 12, {"12/1/2025", "12/1/2026", "12/1/2027"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc = monthlyLoan(c.firstPayment, c.periods);
        doc.gintFreqOfInst = c.frequency;
        doc.gdblLoanAmount = 100000;
        doc.gdblAnnualRate = 0.05;
        doc.gdblBasicPayment = 1000;
        const YearEndReport report = reportOf(doc, c.closingMonth);
        std::vector<std::string> until;
        for (int r = 1; r < report.rows(); ++r)
            until.push_back(report.text(r, yearUntil));
        EXPECT_EQ(until, c.until);
    }
}
