#include "engine/NumberFormat.h"
#include "engine/Statement.h"
#include "support/Dates.h"
#include "support/EuroFormat.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace engine;

namespace {

using Amounts = std::array<std::optional<double>, kStatementColumnCount>;

// A format that writes 1.234,56 € and dates as dd/MM/yyyy.
NumberFormat euroFormat()
{
    NumberFormat format = testsupport::euroFormat();
    format.setDatePattern("dd/MM/yyyy");
    return format;
}

} // namespace

TEST(Statement, ReadsTheWaysStatementsArePastedOrSaved)
{
    struct Case
    {
        const char *name;
        std::string text;
        NumberFormat format;
        std::array<bool, kStatementColumnCount> columns;
        std::vector<StatementRow> rows;
    };
    const NumberFormat us;
    const Case cases[] = {
        {"plain CSV",
         "Date,Payment,Interest,Principal,Balance\n2025-02-01,1000.00,600.5,399.50,99600.50\n",
         us,
         {true, true, true, true},
         {{2, ymd(2025, 2, 1), Amounts {1000.0, 600.5, 399.5, 99600.5}}}},
        {"spreadsheet paste: tabs, any order and case, other columns, currency text, preferred dates",
         "No.\tbalance\tDATE\tFees\tinterest\n7\t$1,234.56\t3/1/2025\t$5.00\t($2.50)\n8\t$1,000.00\t4/1/"
         "2025\t\t$3.10\n",
         us,
         {false, true, false, true},
         {{2, ymd(2025, 3, 1), Amounts {std::nullopt, -2.5, std::nullopt, 1234.56}},
          {3, ymd(2025, 4, 1), Amounts {std::nullopt, 3.1, std::nullopt, 1000.0}}}},
        {"a bank's account page: what is paid and what is owed as negative amounts",
         "Date\tPayment\tInterest\tBalance\n2025-02-01\t-$1,000.00\t0.00\t-$99,600.50\n"
         "2025-03-01\t($1,000.00)\t$0.50\t($99,200.00)\n",
         us,
         {true, true, false, true},
         {{2, ymd(2025, 2, 1), Amounts {1000.0, 0.0, std::nullopt, 99600.5}},
          {3, ymd(2025, 3, 1), Amounts {1000.0, 0.5, std::nullopt, 99200.0}}}},
        {"debits throughout, principal with them",
         "Date,Payment,Principal\n2025-02-01,-10,-4\n",
         us,
         {true, false, true, false},
         {{2, ymd(2025, 2, 1), Amounts {10.0, std::nullopt, 4.0, std::nullopt}}}},
        {"negative amortization",
         "Date,Payment,Interest,Principal\n2025-02-01,10,12,-2\n",
         us,
         {true, true, true, false},
         {{2, ymd(2025, 2, 1), Amounts {10.0, 12.0, -2.0, std::nullopt}}}},
        {"a web page's table: cells padded with no-break spaces",
         "\xC2\xA0"
         "Date\xC2\xA0\tPayment\xE2\x80\xAF\n2025-02-01\xC2\xA0\t\xC2\xA0$1,000.00\xC2\xA0\n",
         us,
         {true, false, false, false},
         {{2, ymd(2025, 2, 1), Amounts {1000.0}}}},
        {"digits grouped in threes, or in lakhs and crores",
         "Date\tBalance\n2025-02-01\t12,34,567.00\n2025-03-01\t1,234,567.00\n",
         us,
         {false, false, false, true},
         {{2, ymd(2025, 2, 1), Amounts {std::nullopt, std::nullopt, std::nullopt, 1234567.0}},
          {3, ymd(2025, 3, 1), Amounts {std::nullopt, std::nullopt, std::nullopt, 1234567.0}}}},
        {"lines ended by carriage returns alone, empty cells after the last column",
         "Date,Payment\r2025-02-01,10,,\r2025-03-01,20\r",
         us,
         {true, false, false, false},
         {{2, ymd(2025, 2, 1), Amounts {10.0}}, {3, ymd(2025, 3, 1), Amounts {20.0}}}},
        {"title lines, a byte-order mark, CRLF, quoted amounts with commas, blank and amount-free rows",
         "\xEF\xBB\xBFMortgage 1234, statement\r\n\r\n\"Date\",\"Payment\",\"Note\"\r\n"
         "2025-01-15,\"$1,500.00\",\"rate, fixed\"\r\n2025-01-20,,rate notice\r\n,,\r\n"
         "2025-02-15,\"1,500.00\",\r\n",
         us,
         {true, false, false, false},
         {{4, ymd(2025, 1, 15), Amounts {1500.0}}, {7, ymd(2025, 2, 15), Amounts {1500.0}}}},
        {"semicolons with the locale's decimal comma, plain numbers beside it",
         "Date;Interest;Balance\n01/02/2025;1.234,56 €;1234.56\n2025-03-01;-7,50 €;0\n",
         euroFormat(),
         {false, true, false, true},
         {{2, ymd(2025, 2, 1), Amounts {std::nullopt, 1234.56, std::nullopt, 1234.56}},
          {3, ymd(2025, 3, 1), Amounts {std::nullopt, -7.5, std::nullopt, 0.0}}}},
        {"a balance owed as negative amounts, on every row",
         "Date,Balance\n2025-02-01,-100.00\n2025-03-01,-90.00\n",
         us,
         {false, false, false, true},
         {{2, ymd(2025, 2, 1), Amounts {std::nullopt, std::nullopt, std::nullopt, 100.0}},
          {3, ymd(2025, 3, 1), Amounts {std::nullopt, std::nullopt, std::nullopt, 90.0}}}},
        {"a lone negative balance is an overpayment, not a debit",
         "Date,Payment,Interest,Balance\n2025-02-01,100.00,1.00,-3.00\n2025-03-01,,-0.50,\n",
         us,
         {true, true, false, true},
         {{2, ymd(2025, 2, 1), Amounts {100.0, 1.0, std::nullopt, -3.0}},
          {3, ymd(2025, 3, 1), Amounts {std::nullopt, -0.5, std::nullopt, std::nullopt}}}},
        {"a quote opens a cell after blanks and no-break spaces, and only there",
         "Date\tPayment\tNote\tBalance\n2025-02-01\t \xC2\xA0\"1,000.00\"\tx\"y\t\xE2\x80\xAF \"5\"\n",
         us,
         {true, false, false, true},
         {{2, ymd(2025, 2, 1), Amounts {1000.0, std::nullopt, std::nullopt, 5.0}}}},
        {"this program's own schedule calls the balance Ending Balance",
         "No.,Date,Opening Balance,Interest,Ending Balance\n0,2025-01-01,,,\n1,2025-02-01,\"$100.00\",$1.00,$51.00\n",
         us,
         {false, true, false, true},
         {{3, ymd(2025, 2, 1), Amounts {std::nullopt, 1.0, std::nullopt, 51.0}}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const StatementReadResult read = readStatement(c.text, c.format);
        ASSERT_TRUE(read.ok()) << read.error;
        EXPECT_EQ(read.statement.hasColumn, c.columns);
        ASSERT_EQ(read.statement.rows.size(), c.rows.size());
        for (size_t r = 0; r < c.rows.size(); ++r) {
            EXPECT_EQ(read.statement.rows[r].line, c.rows[r].line);
            EXPECT_EQ(read.statement.rows[r].date, c.rows[r].date);
            EXPECT_EQ(read.statement.rows[r].amounts, c.rows[r].amounts);
        }
    }
}

TEST(Statement, RefusesBadInputNamingTheLine)
{
    std::string tooLong = "Date,Payment\n";
    for (int i = 0; i < kMaxStatementLines; ++i)
        tooLong += "2025-01-01,1\n";
    std::string tooLarge = "Date,Payment\n2025-01-01,";
    tooLarge.append(kMaxStatementBytes, '1');
    // Many blanks, a letter and many quotes in one cell: each quote once went over the blanks again.
    const std::string quotes = "Date,Payment\n2025-01-01," + std::string(400000, ' ') + "a" + std::string(400000, '"');
    struct Case
    {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {quotes, "Line 2: \"a" + std::string(39, '"') + "\u2026\" in the column Payment is not an amount."},
        {"",
         "No line of the statement names its columns: the header needs Date and at least one of Payment, "
         "Interest, Principal and Balance."},
        {std::string("\0\x01\xff garbage\n\x80\x81", 14),
         "No line of the statement names its columns: the header "
         "needs Date and at least one of Payment, Interest, "
         "Principal and Balance."},
        {"Title\nWhen,Payment,Balance\n", "Line 2: the header names no Date column."},
        {"Date,Amount,Notes\n",
         "Line 1: the header names none of the columns Payment, Interest, Principal and "
         "Balance."},
        {"Date,Interest,interest\n", "Line 1: the header names the column Interest twice."},
        {"Date,Payment\n\n", "Line 1: the header has no rows with amounts below it."},
        {"Date,Payment\n2025-01-01,10\n2025-13-01,10\n",
         "Line 3: \"2025-13-01\" is not a date (yyyy-mm-dd or "
         "M/d/yyyy)."},
        {"Date,Payment\nTotal,10\n", "Line 2: \"Total\" is not a date (yyyy-mm-dd or M/d/yyyy)."},
        {"Date,Payment\n,10\n", "Line 2: the row has no date."},
        {"Date;Payment\n2025-01-01;12,50 EUR\n", "Line 2: \"12,50 EUR\" in the column Payment is not an amount."},
        {"Date,Balance\n2025-01-01,1e300\n", "Line 2: \"1e300\" in the column Balance is not an amount."},
        // Digits the locale does not group that way are a decimal comma or cells run together, never an amount.
        {"Date\tPayment\n2025-01-01\t2143,23\n", "Line 2: \"2143,23\" in the column Payment is not an amount."},
        {"Date\tBalance\n2025-01-01\t1,2,3\n", "Line 2: \"1,2,3\" in the column Balance is not an amount."},
        {"Date\tBalance\n2025-01-01\t1,234,56\n", "Line 2: \"1,234,56\" in the column Balance is not an amount."},
        {"Date\tBalance\n2025-01-01\t$3594,11.88\n", "Line 2: \"$3594,11.88\" in the column Balance is not an amount."},
        {"Date,Payment,Balance\n2025-01-01,$2,143.23,$359,411.88\n",
         "Line 2: the row has more cells than the header; an amount written with a comma must be in quotes "
         "(\"2,143.23\")."},
        {"Date,Payment\n2025-01-01,\"10\n", "Line 2: a quoted cell is not closed."},
        {"Date,Payment\n2025-01-01," + std::string(100000, 'x') + "\n",
         "Line 2: \"" + std::string(40, 'x') + "\u2026\" in the column Payment is not an amount."},
        {tooLong, "Line 100001: a statement may have at most 100,000 lines."},
        {tooLarge, "The statement is larger than 16 MB."},
    };
    for (const Case &c : cases) {
        const StatementReadResult read = readStatement(c.text, NumberFormat());
        EXPECT_EQ(read.error, c.error) << c.text.substr(0, 60);
        EXPECT_TRUE(read.statement.rows.empty());
    }
}
