#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "support/Changes.h"
#include "support/Dates.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace engine;

namespace {

// A semi-monthly mortgage with a rate of many decimals, a payment change and lump sums on and between payment
// dates: every kind of row and cell.
LoanDocument mixedLoan()
{
    LoanDocument doc;
    doc.gdblLoanAmount = 54321.09;
    doc.gdblAnnualRate = 0.053456789;
    doc.gintFreqOfInst = kSemiMonthly;
    doc.gdblBasicPayment = 1100;
    doc.gdtmFirstPaymentDue = ymd(2025, 1, 15);
    doc.gdtmStartDate = ymd(2025, 1, 2);
    doc.mdblNperTerm = 60;
    addChange(doc.gridAnnualRate, ymd(2025, 6, 15), 7.125);
    addChange(doc.gridBasicPayment, ymd(2025, 9, 30), 1500.5);
    addChange(doc.gridLumpSum, ymd(2025, 3, 15), 2000);
    addChange(doc.gridLumpSum, ymd(2025, 4, 3), 777.77);
    addChange(doc.gridLumpSum, ymd(2025, 4, 9), 0.01);
    return doc;
}

} // namespace

// Whatever reads a number back from the schedule gets the number its cell shows: money to the cent, the annual rate
// as "#.0000%" shows it (5.3457 for 5.3456789 %), the percent paid to two decimals, the date as its serial.
TEST(ScheduleTable, ValuesAreWhatTheTextsShow)
{
    LoanDocument doc = mixedLoan();
    const NumberFormat format;
    ASSERT_TRUE(Calculate(doc, format));
    const ScheduleTable &table = doc.gridMain0;
    ASSERT_GT(table.rows(), 40);
    EXPECT_EQ(table.text(2, colAnnualRate), "5.3457%");
    EXPECT_EQ(table.value(2, colAnnualRate), 5.3457);
    int lumpRows = 0;
    for (int r = 1; r < table.rows(); ++r) {
        SCOPED_TRACE(r);
        lumpRows += table.row(r).kind == ScheduleRowKind::LumpSum;
        for (int c = 0; c < kScheduleColumnCount; ++c) {
            const std::string text = table.text(r, c);
            ASSERT_EQ(table.isEmpty(r, c), text.empty()) << "column " << c;
            if (text.empty()) {
                EXPECT_EQ(table.value(r, c), 0) << "column " << c;
            } else if (c == colDate) {
                EXPECT_EQ(format.parseDate(text), Date(table.value(r, c)));
            } else {
                std::string number = text;
                if (number.back() == '%')
                    number.pop_back();
                EXPECT_EQ(format.parseNumber(number), table.value(r, c)) << "column " << c << ": " << text;
            }
        }
    }
    EXPECT_EQ(lumpRows, 2);
    EXPECT_EQ(table.text(0, colPayment), "Payment");
    EXPECT_EQ(table.text(table.rows(), colPayment), "");
    EXPECT_EQ(table.value(-1, colPayment), 0);
}

// Reading rows in order, from any row, gives what reading each row alone gives.
TEST(ScheduleTable, ReaderAgreesWithSingleRows)
{
    LoanDocument doc = mixedLoan();
    ASSERT_TRUE(Calculate(doc, NumberFormat()));
    const ScheduleTable &table = doc.gridMain0;
    for (int first : {1, 2, 16, 17, 33, table.rows() - 1}) {
        SCOPED_TRACE(first);
        ScheduleReader reader(table, first);
        ScheduleRowValues values;
        int r = first;
        while (reader.next(values)) {
            const ScheduleRowValues alone = table.row(r);
            ASSERT_EQ(values.row, r);
            ASSERT_EQ(values.value, alone.value) << "row " << r;
            ASSERT_EQ(values.emptyColumns, alone.emptyColumns) << "row " << r;
            ++r;
        }
        EXPECT_EQ(r, table.rows());
    }
}

// The looks at one row that replay nothing give what the row's cells show: its date, kind, payment and lump sum
// (0 where the cell is empty), on payment rows with and without a lump sum and on lump sums between payments.
TEST(ScheduleTable, SingleCellsWithoutReplay)
{
    LoanDocument doc = mixedLoan();
    ASSERT_TRUE(Calculate(doc, NumberFormat()));
    const ScheduleTable &table = doc.gridMain0;
    int lumpRows = 0;
    for (int r = 1; r < table.rows(); ++r) {
        const ScheduleRowValues values = table.row(r);
        ASSERT_EQ(table.dateOf(r), values.date()) << "row " << r;
        ASSERT_EQ(table.kindOf(r), values.kind) << "row " << r;
        ASSERT_EQ(table.paymentOf(r), values.isEmpty(colPayment) ? 0 : values[colPayment]) << "row " << r;
        ASSERT_EQ(table.lumpSumOf(r), values.isEmpty(colLumpSum) ? 0 : values[colLumpSum]) << "row " << r;
        lumpRows += table.lumpSumOf(r) != 0;
    }
    EXPECT_GE(lumpRows, 2);
}

// Another date pattern changes the Date texts at once, as a new calculation would, and nothing else.
TEST(ScheduleTable, DateFormatChangeNeedsNoNewCalculation)
{
    LoanDocument doc = mixedLoan();
    ASSERT_TRUE(Calculate(doc, NumberFormat()));
    NumberFormat other;
    other.setDatePattern("dd-MMM-yyyy");
    LoanDocument recalculated = mixedLoan();
    ASSERT_TRUE(Calculate(recalculated, other));
    doc.gridMain0.setFormat(other);
    EXPECT_EQ(doc.gridMain0.text(1, colDate), "02-Jan-2025");
    for (int r = 0; r < doc.gridMain0.rows(); ++r) {
        for (int c = 0; c < kScheduleColumnCount; ++c)
            ASSERT_EQ(doc.gridMain0.text(r, c), recalculated.gridMain0.text(r, c)) << r << ", " << c;
    }
}

// A payment's row is found by its number, past the rows of lump sums paid between payments.
TEST(ScheduleTable, RowOfEveryPayment)
{
    LoanDocument doc = mixedLoan();
    ASSERT_TRUE(Calculate(doc, NumberFormat()));
    const ScheduleTable &table = doc.gridMain0;
    int payments = 0;
    for (int r = 1; r < table.rows(); ++r) {
        if (table.isEmpty(r, colNumber) || table.value(r, colNumber) == 0)
            continue;
        ++payments;
        EXPECT_EQ(table.rowOfPayment(int(table.value(r, colNumber))), r);
    }
    EXPECT_GT(payments, 40);
    EXPECT_EQ(table.rowOfPayment(0), 0);
    EXPECT_EQ(table.rowOfPayment(payments + 1), 0);
    EXPECT_EQ(ScheduleTable().rowOfPayment(1), 0);
}
