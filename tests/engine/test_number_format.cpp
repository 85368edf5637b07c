#include "engine/NumberFormat.h"
#include "support/CanadianFrenchFormat.h"
#include "support/Dates.h"
#include "support/EuroFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace engine;

namespace {

// German conventions: comma decimals, dot grouping, the euro sign after the amount.
NumberFormat german()
{
    NumberFormat format = testsupport::euroFormat();
    format.monthAbbreviations = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    return format;
}

} // namespace

TEST(NumberFormatTest, Currency)
{
    struct Row
    {
        double value;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {0, "$0.00"},
        {100, "$100.00"},
        {999.99, "$999.99"},
        {1000, "$1,000.00"},
        {1234.5, "$1,234.50"},
        {1234567.891, "$1,234,567.89"},
        {123456789012.34, "$123,456,789,012.34"},
        {-1234.5, "-$1,234.50"},
        {-0.5, "-$0.50"},
        {2.675, "$2.68"}, // read as the decimal the user typed, not its binary neighbour
        {1.005, "$1.01"},
        {999.995, "$1,000.00"},
        {0.1 + 0.2, "$0.30"},
        {0.005, "$0.01"},
        {-0.005, "-$0.01"},
        {-0.001, "$0.00"}, // never "-$0.00"
        {-0.004, "$0.00"},
        {-0.0, "$0.00"},
        {std::numeric_limits<double>::quiet_NaN(), ""},
        {std::numeric_limits<double>::infinity(), ""},
    };
    const NumberFormat format;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(format.currency(row.value), row.expected);
    }
}

TEST(NumberFormatTest, Percentages)
{
    struct Row
    {
        double value;
        std::string rate; // "#.0000%"
        std::string paid; // "Percent"
    };
    const std::vector<Row> rows = {
        {0.005, ".5000%", "0.50%"}, // below one percent the rate has no leading zero
        {0.0025, ".2500%", "0.25%"},   {0.075, "7.5000%", "7.50%"},      {0.0725, "7.2500%", "7.25%"},
        {0.06076, "6.0760%", "6.08%"}, {0.1234, "12.3400%", "12.34%"},   {0, ".0000%", "0.00%"},
        {1, "100.0000%", "100.00%"},   {0.99999, "99.9990%", "100.00%"}, {0.00004, ".0040%", "0.00%"},
        {-0.005, "-.5000%", "-0.50%"}, {0.0000125, ".0013%", "0.00%"},
    };
    const NumberFormat format;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(format.ratePercent(row.value), row.rate);
        EXPECT_EQ(format.percentPaid(row.value), row.paid);
    }
    EXPECT_EQ(format.percent(0.0725, 7, false), "7.2500000%");
    EXPECT_EQ(format.percent(0.005, 8, false), ".50000000%");
    EXPECT_EQ(format.percent(0.005, 10, true), "0.5000000000%");
    EXPECT_EQ(format.ratePercent(std::numeric_limits<double>::quiet_NaN()), "");
}

TEST(NumberFormatTest, FixedDecimals)
{
    struct Row
    {
        double value;
        int decimals;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {1234.5, 2, "1234.50"}, {6.5, 4, "6.5000"},  {0.1234 * 100, 2, "12.34"},       {-3.14159, 3, "-3.142"},
        {2.5, 0, "3"},          {-0.001, 2, "0.00"}, {1e15, 2, "1000000000000000.00"},
    };
    const NumberFormat format;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(format.fixed(row.value, row.decimals), row.expected);
    }
    EXPECT_EQ(german().fixed(1234.5, 2), "1234,50");
}

// The number a text shows is the number read back from it, halves rounded away from zero as a person reads the
// digits, on either side of the fast path's limits.
TEST(NumberFormatTest, RoundAsShownIsTheNumberTheTextShows)
{
    struct Row
    {
        double value;
        int decimals;
        const char *shown;
    };
    const Row rows[] = {
        {2.675, 2, "2.68"},
        {1.005, 2, "1.01"},
        {-2.675, 2, "-2.68"},
        {0.125, 2, "0.13"},
        {-0.001, 2, "0"},
        {1234.5649999, 2, "1234.56"},
        {0.0525 * 100, 4, "5.25"},
        {5.3456789, 4, "5.3457"},
        {9876543210987.65, 2, "9876543210987.65"},
        {12.344999999999999, 2, "12.35"},
        {1e-9, 4, "0"},
    };
    const NumberFormat format;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.value);
        const double shown = roundAsShown(row.value, row.decimals);
        EXPECT_EQ(shown, *parsePlainNumber(row.shown));
        EXPECT_FALSE(std::signbit(shown) && shown == 0);
        EXPECT_EQ(format.fixed(shown, row.decimals), format.fixed(row.value, row.decimals));
    }
}

TEST(NumberFormatTest, EveryDatePatternFormatsItsFields)
{
    struct Row
    {
        std::string_view pattern;
        std::string early; // 5 March 2005: one-digit month and day
        std::string late; // 25 December 2005: two-digit month and day
    };
    const std::vector<Row> rows = {
        {"M-d-yyyy", "3-5-2005", "12-25-2005"},        {"M/d/yyyy", "3/5/2005", "12/25/2005"},
        {"MM-dd-yyyy", "03-05-2005", "12-25-2005"},    {"MM/dd/yyyy", "03/05/2005", "12/25/2005"},
        {"MMM-d-yyyy", "Mar-5-2005", "Dec-25-2005"},   {"MMM/d/yyyy", "Mar/5/2005", "Dec/25/2005"},
        {"MMM-dd-yyyy", "Mar-05-2005", "Dec-25-2005"}, {"MMM/dd/yyyy", "Mar/05/2005", "Dec/25/2005"},
        {"d-M-yyyy", "5-3-2005", "25-12-2005"},        {"d/M/yyyy", "5/3/2005", "25/12/2005"},
        {"dd-MM-yyyy", "05-03-2005", "25-12-2005"},    {"dd/MM/yyyy", "05/03/2005", "25/12/2005"},
        {"d-MMM-yyyy", "5-Mar-2005", "25-Dec-2005"},   {"d/MMM/yyyy", "5/Mar/2005", "25/Dec/2005"},
        {"dd-MMM-yyyy", "05-Mar-2005", "25-Dec-2005"}, {"dd/MMM/yyyy", "05/Mar/2005", "25/Dec/2005"},
        {"yyyy-M-dd", "2005-3-05", "2005-12-25"},      {"yyyy-MM-dd", "2005-03-05", "2005-12-25"},
        {"yyyy-MMM-dd", "2005-Mar-05", "2005-Dec-25"},
    };
    ASSERT_EQ(rows.size(), kDatePatterns.size());
    const NumberFormat format;
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row &row = rows[i];
        SCOPED_TRACE(std::string(row.pattern));
        EXPECT_EQ(kDatePatterns[i], row.pattern);
        EXPECT_EQ(format.formatDate(ymd(2005, 3, 5), row.pattern), row.early);
        EXPECT_EQ(format.formatDate(ymd(2005, 12, 25), row.pattern), row.late);
    }
    EXPECT_EQ(format.formatDate(ymd(100, 1, 1), "M/d/yyyy"), "1/1/0100");
    EXPECT_EQ(format.formatDate(kMaxDate + 1, "M/d/yyyy"), "");
}

TEST(NumberFormatTest, TheCurrentDatePattern)
{
    NumberFormat format;
    EXPECT_EQ(format.datePattern(), "M/d/yyyy");
    EXPECT_EQ(format.formatDate(38367), "1/15/2005");
    EXPECT_EQ(format.parseDate("1/15/2005"), 38367);

    format.setDatePattern("dd-MMM-yyyy");
    EXPECT_EQ(format.datePattern(), "dd-MMM-yyyy");
    EXPECT_EQ(format.formatDate(38367), "15-Jan-2005");
    EXPECT_EQ(format.parseDate("15-Jan-2005"), 38367);
    EXPECT_EQ(format.parseDate("1/15/2005"), std::nullopt);
    EXPECT_EQ(format.normalizeDate(38367), 38367);
    EXPECT_EQ(format.normalizeDate(kMaxDate + 1), kNoDate);
}

TEST(NumberFormatTest, EveryDatePatternReadsBackWhatItWrites)
{
    const std::vector<Date> dates = {
        ymd(100, 1, 1),   ymd(100, 12, 31), ymd(1899, 12, 30), ymd(1899, 12, 31), ymd(1900, 2, 28),
        ymd(2000, 2, 29), ymd(2004, 2, 29), ymd(2005, 1, 31),  ymd(2005, 2, 28),  ymd(2005, 3, 5),
        ymd(2005, 4, 30), ymd(2005, 9, 30), ymd(2010, 10, 10), ymd(2005, 12, 31), ymd(9999, 12, 31),
    };
    const NumberFormat english;
    const NumberFormat germanFormat = german();
    for (std::string_view pattern : kDatePatterns) {
        for (Date date : dates) {
            for (const NumberFormat *format : {&english, &germanFormat}) {
                const std::string text = format->formatDate(date, pattern);
                SCOPED_TRACE(std::string(pattern) + ": " + text);
                EXPECT_EQ(format->parseDate(text, pattern), date);
            }
        }
    }
}

TEST(NumberFormatTest, ParseDateRefusesWhatIsNotADate)
{
    struct Row
    {
        std::string_view text;
        std::string_view pattern;
        std::optional<Date> expected;
    };
    const std::vector<Row> rows = {
        {"3/5/2005", "M/d/yyyy", ymd(2005, 3, 5)},
        {"03/05/2005", "M/d/yyyy", ymd(2005, 3, 5)},
        {"  3/5/2005 ", "M/d/yyyy", ymd(2005, 3, 5)},
        {"3-5-2005", "M/d/yyyy", ymd(2005, 3, 5)}, // any usual separator for any other
        {"mar-5-2005", "MMM-d-yyyy", ymd(2005, 3, 5)}, // month names in any case
        {"MAR-5-2005", "MMM-d-yyyy", ymd(2005, 3, 5)},
        {"2/29/2005", "M/d/yyyy", std::nullopt},
        {"2/29/2004", "M/d/yyyy", ymd(2004, 2, 29)},
        {"13/1/2005", "M/d/yyyy", std::nullopt},
        {"4/31/2005", "M/d/yyyy", std::nullopt},
        {"3/5/2005x", "M/d/yyyy", std::nullopt},
        {"3/5", "M/d/yyyy", std::nullopt},
        {"", "M/d/yyyy", std::nullopt},
        {"abc", "M/d/yyyy", std::nullopt},
        {"Foo-5-2005", "MMM-d-yyyy", std::nullopt},
        {"1/1/99", "M/d/yyyy", std::nullopt}, // years before 100 are outside the calendar
        {"1/1/10000", "M/d/yyyy", std::nullopt},
    };
    const NumberFormat format;
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.text) + " as " + std::string(row.pattern));
        EXPECT_EQ(format.parseDate(row.text, row.pattern), row.expected);
    }
}

TEST(NumberFormatTest, NonEnglishConventions)
{
    const NumberFormat format = german();
    struct Row
    {
        double value;
        std::string text;
    };
    const std::vector<Row> rows = {
        {1234.5, "1.234,50 €"},
        {-1234.5, "-1.234,50 €"},
        {0, "0,00 €"},
        {1234567.89, "1.234.567,89 €"},
        {98765432109.87, "98.765.432.109,87 €"},
        {0.07, "0,07 €"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(format.currency(row.value), row.text);
        EXPECT_EQ(format.parseNumber(row.text), row.value);
    }
    EXPECT_EQ(format.ratePercent(0.075), "7,5000%");
    EXPECT_EQ(format.percentPaid(0.1234), "12,34%");
    EXPECT_EQ(format.parseNumber("7,5%"), 7.5);

    struct DateRow
    {
        Date date;
        std::string text;
    };
    const std::vector<DateRow> dates = {
        {ymd(2005, 3, 15), "15-Mär-2005"},
        {ymd(2005, 12, 31), "31-Dez-2005"},
        {ymd(2005, 10, 3), "03-Okt-2005"},
        {ymd(2005, 5, 1), "01-Mai-2005"},
    };
    for (const DateRow &row : dates) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(format.formatDate(row.date, "dd-MMM-yyyy"), row.text);
        EXPECT_EQ(format.parseDate(row.text, "dd-MMM-yyyy"), row.date);
    }
    EXPECT_EQ(format.parseDate("15-Mar-2005", "dd-MMM-yyyy"), std::nullopt); // not a German month
}

TEST(NumberFormatTest, ParseNumberReadsWhatUsersType)
{
    struct Row
    {
        std::string_view text;
        std::optional<double> expected;
    };
    const std::vector<Row> rows = {
        {"$1,234.50", 1234.5},
        {"1,234.50", 1234.5},
        {"1234.5", 1234.5},
        {"(1,234.50)", -1234.5},
        {"($1,234.50)", -1234.5},
        {"-$1,234.50", -1234.5},
        {"$-1,234.50", -1234.5},
        {"-1234.5", -1234.5},
        {"1234.5-", -1234.5},
        {"  12 ", 12},
        {"12.5%", 12.5},
        {"7.2500%", 7.25},
        {".5000%", 0.5},
        {".5", 0.5},
        {"+3", 3},
        {"$0.00", 0},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"$", std::nullopt},
        {"--5", std::nullopt},
        {"12abc", std::nullopt},
        {"1.2.3", std::nullopt},
    };
    const NumberFormat format;
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.text));
        EXPECT_EQ(format.parseNumber(row.text), row.expected);
    }
}

// A number is read as the locale writes it, or not at all: a separator typed the other way, or digits grouped where the
// locale groups none, would otherwise make the amount ten or a hundred times larger or smaller.
TEST(NumberFormatTest, ParseNumberTakesOnlyTheLocalesSeparators)
{
    const NumberFormat english;
    const NumberFormat french = testsupport::canadianFrenchFormat();
    const NumberFormat germanFormat = german();
    struct Row
    {
        const NumberFormat &format;
        std::string_view text;
        std::optional<double> expected;
    };
    const std::vector<Row> rows = {
        {english, "1,234.56", 1234.56},
        {english, "1,234", 1234},
        {english, "1,234,567.8", 1234567.8},
        {english, "$12,345,678.90", 12345678.9},
        {english, "1234,56", std::nullopt}, // a decimal comma
        {english, "1.234,56", std::nullopt},
        {english, "12,34", std::nullopt},
        {english, "1,2345", std::nullopt},
        {english, "1234,567", std::nullopt}, // a leading group longer than three
        {english, ",5", std::nullopt},
        {english, "1,", std::nullopt},
        {english, "1,,234", std::nullopt},
        {english, "1,234.5,6", std::nullopt},
        {english, "1 234", std::nullopt}, // a blank groups nothing here
        {english, "-1,234.50", -1234.5},
        {french, "250000,5", 250000.5},
        {french, "5,25", 5.25},
        {french, "1 234,56", 1234.56},
        {french, "1 234,56", 1234.56},
        {french, "1 234,56", 1234.56}, // a plain space for the no-break one
        {french, "1 234 567,5 $", 1234567.5},
        {french, "250000.5", std::nullopt},
        {french, "5.25", std::nullopt},
        {french, "1234.56", std::nullopt},
        {french, "12 34,5", std::nullopt},
        {french, "1 234,5 6", std::nullopt},
        {germanFormat, "1.234,56", 1234.56},
        {germanFormat, "1234,56", 1234.56},
        {germanFormat, "1.234", 1234},
        {germanFormat, "1.234.567,89 €", 1234567.89},
        {germanFormat, "1234.56", std::nullopt},
        {germanFormat, "1,234.56", std::nullopt},
        {germanFormat, "1.5", std::nullopt},
        {germanFormat, "12.34", std::nullopt},
        {germanFormat, "1.234,5.6", std::nullopt},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.text) + " with the decimal separator " + row.format.decimalSeparator);
        EXPECT_EQ(row.format.parseNumber(row.text), row.expected);
    }
    // Statements may group the digits above the thousands in twos, as lakhs and crores are written.
    EXPECT_EQ(english.parseNumber("1,00,000.50"), std::nullopt);
    EXPECT_EQ(english.parseNumber("1,00,000.50", DigitGrouping::ThousandsOrLakhs), 100000.5);
    EXPECT_EQ(english.parseNumber("12,34", DigitGrouping::ThousandsOrLakhs), std::nullopt);
}

// What a field needs to hold a number to its decimals: the value and how many decimals the text gives.
TEST(NumberFormatTest, ReadNumberCountsTheDecimalsTyped)
{
    const NumberFormat english;
    const NumberFormat french = testsupport::canadianFrenchFormat();
    struct Row
    {
        const NumberFormat &format;
        std::string_view text;
        double value;
        int decimals;
        bool separator;
    };
    for (const Row &row : {Row {english, "1,234.567", 1234.567, 3, true}, Row {english, "12", 12, 0, false},
                           Row {english, "12.", 12, 0, true}, Row {english, ".5", 0.5, 1, true},
                           Row {french, "1 234,50", 1234.5, 2, true}, Row {french, "5,25 %", 5.25, 2, true}}) {
        SCOPED_TRACE(std::string(row.text));
        const auto read = row.format.readNumber(row.text);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->value, row.value);
        EXPECT_EQ(read->decimals, row.decimals);
        EXPECT_EQ(read->decimalSeparator, row.separator);
    }
    EXPECT_FALSE(english.readNumber("1.2.3").has_value());
}

TEST(NumberFormatTest, CurrencyReadsBackToTheCents)
{
    const NumberFormat english;
    const NumberFormat germanFormat = german();
    for (double value : {0.0, 0.01, 0.5, 2.68, 999.99, 1000.0, 1234.5, 123456.78, 98765432.1, -0.01, -1234.5}) {
        for (const NumberFormat *format : {&english, &germanFormat}) {
            const std::string text = format->currency(value);
            SCOPED_TRACE(text);
            EXPECT_EQ(format->parseNumber(text), value);
        }
    }
}

TEST(NumberFormatTest, PlainNumber)
{
    struct Row
    {
        double value;
        int significantDigits;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {150000, 15, "150000"},
        {5.25, 15, "5.25"},
        {0.1, 15, "0.1"},
        {0.1 + 0.2, 15, "0.3"},
        {38367, 15, "38367"},
        {-657434, 15, "-657434"},
        {1.0 / 3, 15, "0.333333333333333"},
        {2.0 / 3, 15, "0.666666666666667"},
        {123456789012345, 15, "123456789012345"},
        {1e15, 15, "1E+15"},
        {1.5e20, 15, "1.5E+20"},
        {0.0001, 15, "0.0001"},
        {1e-5, 15, "1E-05"},
        {1.25e-7, 15, "1.25E-07"},
        {-5.25, 15, "-5.25"},
        {-0.1, 15, "-0.1"},
        {-1e15, 15, "-1E+15"},
        {0, 15, "0"},
        {7.5, 15, "7.5"},
        // Single-precision values keep 7 significant digits.
        {double(0.1f), 7, "0.1"},
        {double(1.1f), 7, "1.1"},
        {double(26.09f), 7, "26.09"},
        {1.0 / 3, 7, "0.3333333"},
        {1234567.8, 7, "1234568"},
        {12345678, 7, "1.234568E+07"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(plainNumber(row.value, row.significantDigits), row.expected);
    }
    EXPECT_EQ(plainNumber(std::numeric_limits<double>::quiet_NaN()), "");
}

TEST(NumberFormatTest, ParsePlainNumber)
{
    struct Row
    {
        std::string_view text;
        std::optional<double> expected;
    };
    const std::vector<Row> rows = {
        {"150000", 150000},
        {" 5.25 ", 5.25},
        {"0.1", 0.1},
        {".5", 0.5},
        {"-.5", -0.5},
        {"-0.1", -0.1},
        {"+3", 3},
        {"38367", 38367},
        {"1E+15", 1e15},
        {"1e-05", 1e-5},
        {"1.234568E+07", 12345680},
        {"0.333333333333333", 0.333333333333333},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"abc", std::nullopt},
        {"1,5", std::nullopt},
        {"1,234", std::nullopt},
        {"$5", std::nullopt},
        {"5%", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"1e", std::nullopt},
        {"1e+", std::nullopt},
        {"--1", std::nullopt},
        {"1 2", std::nullopt},
        {"0x10", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1e999", std::nullopt}, // beyond the range of a double
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.text));
        EXPECT_EQ(parsePlainNumber(row.text), row.expected);
    }
}

TEST(NumberFormatTest, PlainNumbersReadBackExactly)
{
    for (double value : {150000.0, 5.25, 0.1, 1234.56, -7.5, 38367.0, 1e15, 1e-5, 651.7857142857143 / 3}) {
        const std::string text = plainNumber(value);
        SCOPED_TRACE(text);
        const auto back = parsePlainNumber(text);
        ASSERT_TRUE(back.has_value());
        // 15 significant digits carry the value to within one part in 10^15.
        EXPECT_NEAR(*back, value, std::abs(value) * 1e-15);
    }
}

// What the in-grid edit box shows must read back to the same number in the user's own locale.
TEST(NumberFormatTest, EditableNumbersReadBackInTheirLocale)
{
    const NumberFormat comma = testsupport::euroFormat();
    struct Case
    {
        double value;
        const char *english;
        const char *decimalComma;
    };
    const Case cases[] = {{1234.56, "1234.56", "1234,56"},
                          {-647.31, "-647.31", "-647,31"},
                          {1250, "1250", "1250"},
                          {5.25, "5.25", "5,25"},
                          {0.1, "0.1", "0,1"},
                          {1e15, "1E+15", "1E+15"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.english);
        EXPECT_EQ(editableNumber(c.value, NumberFormat()), c.english);
        EXPECT_EQ(editableNumber(c.value, comma), c.decimalComma);
        EXPECT_EQ(NumberFormat().parseNumber(editableNumber(c.value, NumberFormat())), c.value);
        EXPECT_EQ(comma.parseNumber(editableNumber(c.value, comma)), c.value);
    }
}

TEST(NumberFormatTest, NumberOrZero)
{
    struct Row
    {
        std::string_view text;
        double expected;
    };
    const std::vector<Row> rows = {
        {"", 0}, {"abc", 0}, {"7.25", 7.25}, {"-3", -3}, {" 38367 ", 38367}, {"12abc", 0}, {"$5", 0}, {"0", 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.text));
        EXPECT_EQ(numberOrZero(row.text), row.expected);
    }
}

// Whole currency units, as a chart's axis shows money at a glance.
TEST(NumberFormatTest, CurrencyInWholeUnits)
{
    const NumberFormat euro = testsupport::euroFormat();
    struct Row
    {
        const NumberFormat format;
        double value;
        std::string expected;
    };
    for (const Row &row : {Row {NumberFormat(), 350000, "$350,000"}, Row {NumberFormat(), 0.5, "$1"},
                           Row {NumberFormat(), 1e16, "$10,000,000,000,000,000"}, Row {euro, 1234567, "1.234.567 €"}}) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(row.format.currency(row.value, 0), row.expected);
    }
}
