#include "engine/ChangeTables.h"
#include "engine/LoanComparison.h"
#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "support/Dates.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

// 12,000 at 12 % a year (1 % a month) repaid by 1,000 a month from 15 January 2025: 13 payments, the last of
// 847.7913, paid as shown, 847.80, and 847.80 of interest in all.
LoanDocument personalLoan(const std::string &title)
{
    LoanDocument doc;
    doc.gstrTitle = title;
    doc.gintLoanType = kPersonalLoan;
    doc.gdblLoanAmount = 12000;
    doc.gdblAnnualRate = 0.12;
    doc.gintFreqOfInst = kMonthly;
    doc.gdblBasicPayment = 1000;
    doc.gdtmFirstPaymentDue = ymd(2025, 1, 15);
    doc.mdblNperTerm = 24;
    return doc;
}

void calculate(LoanDocument &doc)
{
    ASSERT_TRUE(Calculate(doc, NumberFormat()).ok);
}

std::string textOf(const LoanComparison &comparison, const std::string &label, std::size_t loan)
{
    const ComparisonRow *row = comparison.row(label);
    if (!row) {
        ADD_FAILURE() << "no row " << label;
        return {};
    }
    return comparisonText(*row, loan, NumberFormat());
}

} // namespace

// The same loan with 3,000 more paid with the third payment: the interest of the fourth payment falls from 93.34 to
// 63.34, the loan is repaid with payment 10 (576.85 of interest) instead of 13 (847.80).
TEST(LoanComparison, LumpSumSavesInterestAndTime)
{
    LoanDocument plain = personalLoan("Plain");
    LoanDocument prepaid = personalLoan("With a lump sum");
    setChangeByDate(prepaid.gridLumpSum, ymd(2025, 3, 15), 3000, NumberFormat());
    calculate(plain);
    calculate(prepaid);

    const LoanComparison comparison = compareDocuments({&plain, &prepaid});
    ASSERT_TRUE(comparison.ok());
    EXPECT_EQ(comparison.titles, (std::vector<std::string> {"Plain", "With a lump sum"}));
    struct Case
    {
        const char *label;
        const char *first;
        const char *second;
    };
    const Case cases[] = {
        {"Loan Amount", "$12,000.00", "$12,000.00"},
        {"Annual Rate", "12.0000%", "12.0000%"},
        {"Frequency of Installment", "Monthly", "Monthly"},
        {"Basic Payments", "$1,000.00", "$1,000.00"},
        {"Number of Periods", "13", "10"},
        {"First Payment Date", "1/15/2025", "1/15/2025"},
        {"Last Payment Date", "1/15/2026", "10/15/2025"},
        {"Total Payments", "$12,847.80", "$12,576.85"},
        {"Interest Paid", "$847.80", "$576.85"},
        {"Lump Sums", "$0.00", "$3,000.00"},
        // 847.80 - 576.85, and October 2025 against January 2026.
        {"Interest Saved", "", "$270.95"},
        {"Paid Off Earlier By", "", "0 YR 3 MTH"},
    };
    ASSERT_EQ(comparison.rows.size(), std::size(cases)); // no rate changes: no last rate
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].label);
        EXPECT_EQ(comparison.rows[i].label, cases[i].label);
        EXPECT_EQ(comparisonText(comparison.rows[i], 0, NumberFormat()), cases[i].first);
        EXPECT_EQ(comparisonText(comparison.rows[i], 1, NumberFormat()), cases[i].second);
    }

    // Measured the other way round, the lump sum costs: the differences change sign.
    const LoanComparison reversed = compareDocuments({&prepaid, &plain});
    EXPECT_EQ(textOf(reversed, "Interest Saved", 1), "-$270.95");
    EXPECT_EQ(textOf(reversed, "Paid Off Earlier By", 1), "-0 YR 3 MTH");
}

TEST(LoanComparison, LoanAgainstItselfDiffersInNothing)
{
    LoanDocument doc = personalLoan("Same");
    calculate(doc);
    const LoanComparison comparison = compareDocuments({&doc, &doc, &doc});
    ASSERT_TRUE(comparison.ok());
    for (std::size_t loan = 1; loan < 3; ++loan) {
        EXPECT_EQ(textOf(comparison, "Interest Saved", loan), "$0.00");
        EXPECT_EQ(textOf(comparison, "Paid Off Earlier By", loan), "0 YR 0 MTH");
    }
    EXPECT_EQ(comparison.balances[0], comparison.balances[2]);
}

TEST(LoanComparison, TwoToFourLoans)
{
    LoanDocument doc = personalLoan("Loan");
    calculate(doc);
    for (std::size_t count = 0; count <= 5; ++count) {
        SCOPED_TRACE(count);
        const LoanComparison comparison = compareDocuments(std::vector<const LoanDocument *>(count, &doc));
        const bool accepted = count >= 2 && count <= 4;
        EXPECT_EQ(comparison.ok(), accepted) << comparison.error;
        EXPECT_EQ(comparison.titles.size(), accepted ? count : 0);
        EXPECT_EQ(comparison.rows.empty(), !accepted);
    }
    EXPECT_EQ(compareDocuments(std::vector<const LoanDocument *>(5, &doc)).error,
              "A comparison needs from 2 to 4 loans, not 5.");
}

// The rate at the end and the balance a loan leaves unpaid are shown only when some loan has them, and then for every
// loan; a loan lent on the day its document names is first paid a period later; a loan without a title is named by
// its file.
TEST(LoanComparison, RowsShownWhenSomeLoanNeedsThem)
{
    LoanDocument fixed = personalLoan("");
    fixed.gstrFileName = "/home/me/loans/fixed.plr";
    LoanDocument renewed = personalLoan("Renewed");
    setChangeByDate(renewed.gridAnnualRate, ymd(2025, 6, 15), 6, NumberFormat());
    renewed.gintStartPayment = 1;
    LoanDocument shortTerm = personalLoan("Six months"); // 6,586.23 still owed after six payments
    shortTerm.mdblNperTerm = 6;
    calculate(fixed);
    calculate(renewed);
    calculate(shortTerm);

    const LoanComparison comparison = compareDocuments({&fixed, &renewed, &shortTerm});
    EXPECT_EQ(comparison.titles.front(), "fixed.plr");
    EXPECT_EQ(textOf(comparison, "Last Annual Rate", 0), "12.0000%");
    EXPECT_EQ(textOf(comparison, "Last Annual Rate", 1), "6.0000%");
    EXPECT_EQ(textOf(comparison, "First Payment Date", 1), "2/15/2025");
    EXPECT_EQ(textOf(comparison, "Balance Left", 0), "$0.00");
    EXPECT_EQ(textOf(comparison, "Balance Left", 2), "$6,586.23");
    // Its last payment is no payoff: it is not said to be paid off earlier, nor the others measured against it. The
    // cents a rounded payment leaves do not count.
    EXPECT_EQ(textOf(comparison, "Paid Off Earlier By", 1), "-0 YR 1 MTH"); // first paid a month later
    EXPECT_EQ(textOf(comparison, "Paid Off Earlier By", 2), "");
    EXPECT_EQ(textOf(compareDocuments({&shortTerm, &fixed}), "Paid Off Earlier By", 1), "");
    LoanDocument almost = personalLoan("839.40 owed after twelve payments");
    almost.mdblNperTerm = 12;
    calculate(almost);
    const LoanComparison lessThanAPayment = compareDocuments({&fixed, &almost});
    EXPECT_EQ(textOf(lessThanAPayment, "Balance Left", 1), "$839.40");
    EXPECT_EQ(textOf(lessThanAPayment, "Paid Off Earlier By", 1), "0 YR 1 MTH");

    const LoanComparison plain = compareDocuments({&fixed, &fixed});
    EXPECT_EQ(plain.row("Last Annual Rate"), nullptr);
    EXPECT_EQ(plain.row("Balance Left"), nullptr);
}

// A loan that repays nothing (a term of no payments, or payments of nothing) saves nothing and leaves its balance: the
// whole 12,000, or 12,000 x 1.01^24 = 15,236.82 when its interest runs on for 24 months unpaid.
TEST(LoanComparison, ALoanThatRepaysNothingSavesNothing)
{
    LoanDocument fixed = personalLoan("Fixed");
    LoanDocument noTerm = personalLoan("No term");
    noTerm.mdblNperTerm = 0.4; // rounds to no period
    LoanDocument noPayment = personalLoan("No payment");
    noPayment.gdblBasicPayment = 0;
    calculate(fixed);
    calculate(noTerm);
    calculate(noPayment);

    struct Case
    {
        const char *name;
        std::vector<const LoanDocument *> loans;
        std::vector<std::string> balanceLeft;
        std::vector<std::string> interestSaved;
    };
    const Case cases[] = {
        {"measured against a loan repaid",
         {&fixed, &noTerm, &noPayment},
         {"$0.00", "$12,000.00", "$15,236.82"},
         {"", "", ""}},
        {"measured against a loan that repays nothing", {&noTerm, &fixed}, {"$12,000.00", "$0.00"}, {"", ""}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const LoanComparison comparison = compareDocuments(c.loans);
        ASSERT_TRUE(comparison.ok());
        for (std::size_t loan = 0; loan < c.loans.size(); ++loan) {
            EXPECT_EQ(textOf(comparison, "Balance Left", loan), c.balanceLeft[loan]) << "loan " << loan;
            EXPECT_EQ(textOf(comparison, "Interest Saved", loan), c.interestSaved[loan]) << "loan " << loan;
            EXPECT_EQ(textOf(comparison, "Paid Off Earlier By", loan), "") << "loan " << loan;
        }
    }
}

TEST(LoanComparison, YearsAndMonthsToTheNearestMonth)
{
    struct Case
    {
        Date from;
        Date to;
        int months;
        const char *text;
    };
    const Case cases[] = {
        {ymd(2020, 1, 15), ymd(2022, 4, 15), 27, "2 YR 3 MTH"},
        {ymd(2022, 4, 15), ymd(2020, 1, 15), -27, "-2 YR 3 MTH"},
        {ymd(2025, 1, 1), ymd(2025, 1, 15), 0, "0 YR 0 MTH"}, // 14 of January's 31 days
        {ymd(2025, 1, 1), ymd(2025, 1, 17), 1, "0 YR 1 MTH"}, // 16 of them
        {ymd(2025, 1, 31), ymd(2025, 2, 28), 1, "0 YR 1 MTH"}, // a month that ends early
        {ymd(2024, 3, 10), ymd(2025, 3, 1), 12, "1 YR 0 MTH"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(monthsBetween(c.from, c.to), c.months);
        EXPECT_EQ(yearsMonthsText(c.months), c.text);
    }
}

// The machine-readable table and its quoting: a title holding the separator stays one cell.
TEST(LoanComparison, PlainTable)
{
    LoanDocument a = personalLoan("Car, 5 years");
    LoanDocument b = personalLoan("Car \"B\"");
    b.gdblAnnualRate = 0.065;
    calculate(a);
    calculate(b);
    const std::vector<std::vector<std::string>> cells = compareDocuments({&a, &b}).table(nullptr);
    EXPECT_EQ(cells[1], (std::vector<std::string> {"Loan Amount", "12000.00", "12000.00"}));
    EXPECT_EQ(cells[2], (std::vector<std::string> {"Annual Rate", "12.0000", "6.5000"}));
    EXPECT_EQ(cells[6], (std::vector<std::string> {"First Payment Date", "2025-01-15", "2025-01-15"}));
    const std::string csv = delimitedText({cells[0], cells[1]}, ',');
    EXPECT_EQ(csv, ",\"Car, 5 years\",\"Car \"\"B\"\"\"\nLoan Amount,12000.00,12000.00\n");
    EXPECT_EQ(delimitedText({cells[0]}, '\t'), "\tCar, 5 years\t\"Car \"\"B\"\"\"\n");
}

// Cells a spreadsheet would run as formulas stay text, and nothing in a cell drives a terminal.
TEST(LoanComparison, DelimitedCellsAreSafeForSpreadsheetsAndTerminals)
{
    const std::pair<std::string, std::string> cases[] = {
        {"=HYPERLINK(\"http://x\")", "\"'=HYPERLINK(\"\"http://x\"\")\""},
        {"+1+2", "'+1+2"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"-2+3", "'-2+3"},
        {"-1 YR 0 MTH", "'-1 YR 0 MTH"},
        {"-384448.79", "-384448.79"},
        {"\tcmd", "'\\x09cmd"},
        {"Title\x1b[2J", "Title\\x1B[2J"},
        {"House\nand car", "House\\x0Aand car"},
        {"a=b", "a=b"},
        {"", ""},
    };
    for (const auto &[cell, written] : cases)
        EXPECT_EQ(delimitedText({{cell}}, ','), written + "\n") << cell;
    EXPECT_EQ(delimitedText({{"=1", "x\ty"}}, '\t'), "'=1\tx\\x09y\n");
}

// A long loan is drawn from a few hundred points: the amount lent at the start, the last payment at the end, the
// balance falling in between.
TEST(LoanComparison, BalanceLineIsSampled)
{
    LoanDocument doc = personalLoan("Long");
    doc.gintFreqOfInst = kWeekly;
    doc.gdblAnnualRate = 0.005;
    doc.gdblBasicPayment = 3;
    doc.mdblNperTerm = 6000;
    calculate(doc);
    const ComparedLoan loan = comparedLoan(doc);
    ASSERT_GT(doc.gridMain0.rows(), 4000);
    ASSERT_LE(loan.balance.size(), std::size_t(kBalanceSamples) + 2);
    ASSERT_GE(loan.balance.size(), std::size_t(kBalanceSamples) / 2);
    EXPECT_EQ(loan.balance.front(), (BalancePoint {ymd(2025, 1, 8), 12000}));
    EXPECT_EQ(loan.balance.back().date, doc.gdtmLastPaymentDate);
    EXPECT_EQ(loan.balance.back().balance, doc.gridMain0.value(doc.gridMain0.rows() - 1, colEndingBalance));
    for (std::size_t i = 1; i < loan.balance.size(); ++i) {
        EXPECT_GT(loan.balance[i].date, loan.balance[i - 1].date);
        EXPECT_LT(loan.balance[i].balance, loan.balance[i - 1].balance);
    }
}
