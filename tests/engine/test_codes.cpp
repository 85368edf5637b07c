#include "engine/Codes.h"
#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"
#include "support/Dates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace engine;

namespace {

// Change-table rows as (amount text, serial text).
using Entries = std::vector<std::pair<std::string, std::string>>;

void fill(TextTable &table, const Entries &entries)
{
    table.setRows(int(entries.size()) + 1);
    for (size_t i = 0; i < entries.size(); ++i) {
        const int row = int(i) + 1;
        table.setText(row, chgDateText, "date " + std::to_string(row));
        table.setText(row, chgAmount, entries[i].first);
        table.setText(row, chgDateSerial, entries[i].second);
    }
}

std::vector<std::string> serials(const TextTable &table)
{
    std::vector<std::string> out;
    for (int row = 1; row < table.rows(); ++row)
        out.emplace_back(table.text(row, chgDateSerial));
    return out;
}

} // namespace

TEST(CodesTest, LoanTypeAndAmortizationUnitLabels)
{
    struct Row
    {
        int code;
        std::string loanType, unit;
    };
    const std::vector<Row> rows = {
        {0, "Personal Loan", "Years"},
        {1, "Mortgage Loan", "Months"},
        {2, "", ""},
        {-1, "", ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.code);
        EXPECT_EQ(loanTypeLabel(row.code), row.loanType);
        EXPECT_EQ(amortUnitLabel(row.code), row.unit);
    }
}

TEST(CodesTest, CompoundingLabels)
{
    struct Row
    {
        int code;
        std::string mortgage, personal, listText;
    };
    const std::vector<Row> rows = {
        {0, "Semi-Annually", "Monthly", "Semi-Annually (Canada)"},
        {1, "Monthly", "Monthly", "Monthly (United States)"},
        {2, "Annually", "Monthly", "Annually"},
        {3, "Quarterly", "Monthly", "Quarterly"},
        {4, "", "Monthly", ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.code);
        EXPECT_EQ(compoundingLabel(kMortgageLoan, row.code), row.mortgage);
        EXPECT_EQ(compoundingLabel(kPersonalLoan, row.code), row.personal);
        EXPECT_EQ(compoundingListText(row.code), row.listText);
    }
}

TEST(CodesTest, FrequencyLabels)
{
    struct Row
    {
        int code;
        std::string label;
    };
    const std::vector<Row> rows = {
        {kMonthly, "Monthly"},
        {kSemiMonthly, "Semi-Monthly"},
        {kBiWeeklyAccelerated, "2 Weeks (accelerated)"},
        {kBiWeekly, "2 Weeks"},
        {kWeeklyAccelerated, "Weekly (accelerated)"},
        {kWeekly, "Weekly"},
        {kAnnually, "Annually"},
        {7, ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.code);
        EXPECT_EQ(frequencyLabel(row.code), row.label);
    }
}

TEST(CodesTest, PeriodsPerYearByFrequencyAndIndex)
{
    struct Row
    {
        int frequency, index;
        double value;
        std::string label;
    };
    const std::vector<Row> rows = {
        {kMonthly, 0, 12, "12"},
        {kMonthly, 1, 12, ""}, // the value holds whatever the index; the label only for index 0
        {kSemiMonthly, 0, 24, "24"},
        {kSemiMonthly, 2, 24, ""},
        {kAnnually, 0, 1, "1"},
        {kAnnually, 1, 1, ""},
        {kBiWeekly, 0, 26.089285714285715, "26.09 Weeks (365.25/14)"}, // the exact quotient, not 26.09
        {kBiWeeklyAccelerated, 0, 26.089285714285715, "26.09 Weeks (365.25/14)"},
        {kBiWeekly, 1, 26.071428571428573, "26.07 Weeks (365/14)"},
        {kBiWeekly, 2, 26, "26"},
        {kBiWeekly, 3, 0, ""},
        {kBiWeekly, -1, 0, ""},
        {kWeekly, 0, 52.17857142857143, "52.18 Weeks (365.25/7)"},
        {kWeeklyAccelerated, 0, 52.17857142857143, "52.18 Weeks (365.25/7)"},
        {kWeekly, 1, 52.142857142857146, "52.14 Weeks (365/7)"},
        {kWeeklyAccelerated, 2, 52, "52"},
        {kWeekly, 3, 0, ""},
        {7, 0, 0, ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.frequency) + "/" + std::to_string(row.index));
        EXPECT_EQ(periodsPerYearValue(row.frequency, row.index), row.value);
        EXPECT_EQ(periodsPerYearLabel(row.frequency, row.index), row.label);
    }
}

TEST(CodesTest, CodedListsHoldTheirCodes)
{
    struct Row
    {
        int loanType;
        int position;
        int code;
        std::string text;
    };
    const std::vector<Row> compoundings = {
        {kMortgageLoan, 0, 2, "Annually"},  {kMortgageLoan, 1, 0, "Semi-Annually (Canada)"},
        {kMortgageLoan, 2, 3, "Quarterly"}, {kMortgageLoan, 3, 1, "Monthly (United States)"},
        {kPersonalLoan, 0, 0, "Monthly"},
    };
    for (const Row &row : compoundings) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(compoundingCodeAt(row.loanType, row.position), row.code);
        EXPECT_EQ(compoundingPosition(row.loanType, row.code), row.position);
        EXPECT_EQ(compoundingListTexts(row.loanType).at(size_t(row.position)), row.text);
    }
    EXPECT_EQ(compoundingListTexts(kMortgageLoan).size(), 4u);
    EXPECT_EQ(compoundingListTexts(kPersonalLoan).size(), 1u);
    // Positions and codes a list does not have.
    EXPECT_EQ(compoundingCodeAt(kPersonalLoan, 1), -1);
    EXPECT_EQ(compoundingCodeAt(kMortgageLoan, 4), -1);
    EXPECT_EQ(compoundingCodeAt(kMortgageLoan, -1), -1);
    EXPECT_EQ(compoundingPosition(kPersonalLoan, 1), -1);
    EXPECT_EQ(compoundingPosition(kMortgageLoan, 7), -1);

    const std::vector<std::string> frequencies = frequencyListTexts();
    const std::vector<std::string> expected = {
        "Annually", "Monthly", "Semi-Monthly", "2 Weeks (accelerated)", "2 Weeks", "Weekly (accelerated)", "Weekly"};
    EXPECT_EQ(frequencies, expected);
    const std::vector<int> codes = {6, 0, 1, 2, 3, 4, 5};
    for (int position = 0; position < 7; ++position) {
        SCOPED_TRACE(position);
        EXPECT_EQ(frequencyCodeAt(position), codes[size_t(position)]);
        EXPECT_EQ(frequencyPosition(codes[size_t(position)]), position);
        // The year length is a choice for the weekly and bi-weekly frequencies only.
        EXPECT_EQ(hasYearLengthChoice(codes[size_t(position)]), position >= 3);
    }
    EXPECT_EQ(frequencyCodeAt(7), -1);
    EXPECT_EQ(frequencyPosition(7), -1);
    EXPECT_EQ(yearLengthListTexts(), (std::vector<std::string> {"52.18 Weeks", "52.14 Weeks", "52 Weeks"}));
    EXPECT_EQ(amortUnitListTexts(), (std::vector<std::string> {"Years", "Months"}));
}

TEST(LoanDocumentTest, ANewDocument)
{
    const LoanDocument doc;
    EXPECT_EQ(doc.gintLoanType, kMortgageLoan); // a missing loan type is a mortgage
    for (const TextTable *table : {&doc.gridAnnualRate, &doc.gridBasicPayment, &doc.gridLumpSum}) {
        EXPECT_EQ(table->rows(), 1);
        EXPECT_EQ(table->cols(), int(kChangeColumnCount));
    }
    EXPECT_EQ(doc.gridMain0.rows(), 1);
    EXPECT_EQ(doc.gridMain0.cols(), 14);
}

TEST(LoanDocumentTest, ChangeTableLookups)
{
    LoanDocument doc;
    fill(doc.gridAnnualRate, {{"7.25", "38367"}, {"5", "38398"}, {"abc", "x"}, {"", ""}, {"6.5", "38398.75"}});
    fill(doc.gridBasicPayment, {{"1234.56", "38367"}, {"-5", "-657434"}});
    fill(doc.gridLumpSum, {{"10000", "38716"}, {"1E+15", "2958466"}});

    struct Row
    {
        const char *name;
        Date date;
        double amount;
        Date expectedDate;
        double expectedAmount;
    };
    const std::vector<Row> rows = {
        {"rate in percent read as a fraction", doc.GetAnnualRateDate(1), doc.GetAnnualRate(1), 38367, 0.0725},
        {"second rate", doc.GetAnnualRateDate(2), doc.GetAnnualRate(2), 38398, 0.05},
        {"texts that are not numbers", doc.GetAnnualRateDate(3), doc.GetAnnualRate(3), kNoDate, 0},
        {"empty cells", doc.GetAnnualRateDate(4), doc.GetAnnualRate(4), kNoDate, 0},
        {"a serial with a time of day is that day", doc.GetAnnualRateDate(5), doc.GetAnnualRate(5), 38398, 0.065},
        {"a row beyond the table", doc.GetAnnualRateDate(9), doc.GetAnnualRate(9), kNoDate, 0},
        {"payment", doc.GetBasicPaymentDate(1), doc.GetBasicPayment(1), 38367, 1234.56},
        {"first day of the calendar", doc.GetBasicPaymentDate(2), doc.GetBasicPayment(2), kMinDate, -5},
        {"lump sum", doc.GetLumpSumDate(1), doc.GetLumpSumAmount(1), ymd(2005, 12, 30), 10000},
        {"a serial beyond the calendar", doc.GetLumpSumDate(2), doc.GetLumpSumAmount(2), kNoDate, 1e15},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.date, row.expectedDate);
        EXPECT_DOUBLE_EQ(row.amount, row.expectedAmount);
    }
}

TEST(LoanDocumentTest, SerialDate)
{
    struct Row
    {
        std::string text;
        Date expected;
    };
    const std::vector<Row> rows = {
        {"38367", 38367},     {"0", kNoDate},       {"2", 2},           {"-657434", kMinDate}, {"2958465", kMaxDate},
        {"-657435", kNoDate}, {"2958466", kNoDate}, {"1e300", kNoDate}, {"", kNoDate},         {"15/1/2005", kNoDate},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(serialDate(row.text), row.expected);
    }
}

TEST(LoanDocumentTest, ChangeEntriesHoldTheDateTwice)
{
    NumberFormat format;
    format.setDatePattern("dd-MMM-yyyy");
    TextTable table = makeChangeTable("Rate");
    table.setRows(2);
    setChangeEntry(table, 1, 38367, 7.25, format);
    EXPECT_EQ(table.text(1, chgDateText), "15-Jan-2005");
    EXPECT_EQ(table.text(1, chgAmount), "7.25");
    EXPECT_EQ(table.text(1, chgDateSerial), "38367");
    EXPECT_EQ(table.text(1, chgScheduleRow), "");
    EXPECT_EQ(table.text(0, chgAmount), "Rate");
}

// Entries in any order come out in date order. Of several on one date, the last one wins, or, for money paid on a
// date, they add up to one entry of their sum: 100, 200 and 300 on 1 May 2027 pay 600.
TEST(LoanDocumentTest, SortingMergesEntriesOfOneDate)
{
    const NumberFormat format;
    const Date may = *exactDate(2027, 5, 1);
    const Date march = *exactDate(2027, 3, 1);
    struct Case
    {
        SameDateEntries rule;
        std::vector<std::pair<Date, std::string>> expected;
    };
    const Case cases[] = {
        {SameDateEntries::LastOneWins, {{march, "50"}, {may, "300"}}},
        {SameDateEntries::AddUp, {{march, "50"}, {may, "600"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.rule));
        TextTable table = makeChangeTable("Amount");
        const std::pair<Date, double> entries[] = {{may, 100}, {march, 50}, {may, 200}, {may, 300}};
        for (const auto &[date, amount] : entries) {
            table.setRows(table.rows() + 1);
            setChangeEntry(table, table.rows() - 1, date, amount, format);
        }
        sortChangeTable(table, c.rule);
        std::vector<std::pair<Date, std::string>> sorted;
        for (int r = 1; r < table.rows(); ++r)
            sorted.emplace_back(serialDate(table.text(r, chgDateSerial)), table.text(r, chgAmount));
        EXPECT_EQ(sorted, c.expected);
    }
}

TEST(LoanDocumentTest, ClearHiddenGridsKeepsTheHeaders)
{
    LoanDocument doc;
    const LoanDocument fresh;
    fill(doc.gridAnnualRate, {{"7", "38367"}, {"8", "38398"}});
    fill(doc.gridBasicPayment, {{"1000", "38367"}});
    doc.ClearHiddenGrids();
    EXPECT_EQ(doc.gridAnnualRate, fresh.gridAnnualRate);
    EXPECT_EQ(doc.gridBasicPayment, fresh.gridBasicPayment);
    EXPECT_EQ(doc.gridLumpSum, fresh.gridLumpSum);
    doc.ClearHiddenGrids(); // already empty: still one row
    EXPECT_EQ(doc.gridLumpSum.rows(), 1);
}

TEST(LoanDocumentTest, CropHiddenGridsKeepsTheLoansDateRange)
{
    const Date start = ymd(2005, 1, 15);
    const Date last = ymd(2006, 1, 15);
    const std::string before = std::to_string(start - 1);
    const std::string first = std::to_string(start);
    const std::string inside = std::to_string(ymd(2005, 6, 15));
    const std::string lastDay = std::to_string(last);
    const std::string after = std::to_string(last + 1);

    struct Row
    {
        const char *name;
        Entries entries;
        std::vector<std::string> expected;
    };
    const std::vector<Row> rows = {
        {"rows on either bound stay", {{"1", first}, {"2", inside}, {"3", lastDay}}, {first, inside, lastDay}},
        {"rows outside are dropped", {{"1", before}, {"2", inside}, {"3", after}}, {inside}},
        {"consecutive rows outside",
         {{"1", before}, {"2", before}, {"3", inside}, {"4", after}, {"5", after}},
         {inside}},
        {"every row outside", {{"1", before}, {"2", after}}, {}},
        {"the only row outside", {{"1", after}}, {}},
        {"a row without a date", {{"1", ""}, {"2", inside}}, {inside}},
        {"no data rows", {}, {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        LoanDocument doc;
        doc.gdtmStartDate = start;
        doc.gdtmLastPaymentDue = last;
        fill(doc.gridAnnualRate, row.entries);
        fill(doc.gridBasicPayment, row.entries);
        fill(doc.gridLumpSum, row.entries);
        doc.CropHiddenGrids();
        for (const TextTable *table : {&doc.gridAnnualRate, &doc.gridBasicPayment, &doc.gridLumpSum}) {
            EXPECT_EQ(serials(*table), row.expected);
            EXPECT_EQ(table->rows(), int(row.expected.size()) + 1);
            EXPECT_EQ(table->text(0, chgAmount).empty(), false); // the header survives
        }
    }
}
