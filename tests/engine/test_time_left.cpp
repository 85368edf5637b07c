#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "engine/TimeLeft.h"
#include "support/Dates.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace engine;

namespace {

// 1,200 at 0 % repaid by twelve monthly payments of 100 from 15 January 2025.
LoanDocument interestFreeLoan()
{
    LoanDocument doc;
    doc.gintLoanType = kPersonalLoan;
    doc.gdblLoanAmount = 1200;
    doc.gintFreqOfInst = kMonthly;
    doc.gdblBasicPayment = 100;
    doc.gdtmFirstPaymentDue = ymd(2025, 1, 15);
    doc.mdblNperTerm = 12;
    return doc;
}

} // namespace

TEST(TimeLeft, DurationText)
{
    struct Case
    {
        const char *unit;
        Date from;
        Date to;
        const char *text;
    };
    const Case cases[] = {
        {"ymd", ymd(2020, 1, 10), ymd(2022, 4, 15), "2 Years 3 Months 5 Days"},
        {"ymd", ymd(2020, 1, 10), ymd(2021, 2, 11), "1 Year 1 Month 1 Day"},
        {"ymd", ymd(2020, 1, 10), ymd(2022, 4, 10), "2 Years 3 Months "},
        {"ymd", ymd(2020, 1, 10), ymd(2022, 1, 10), "2 Years "},
        {"ymd", ymd(2020, 1, 10), ymd(2020, 1, 12), "2 Days"},
        {"md", ymd(2020, 1, 10), ymd(2022, 4, 15), "27 Months 5 Days"},
        {"md", ymd(2025, 1, 31), ymd(2025, 2, 28), "1 Month "},
        // Days borrowed from the first date's month (January has 31).
        {"ymd", ymd(2025, 1, 20), ymd(2025, 3, 5), "1 Month 16 Days"},
        {"ymd", ymd(2025, 1, 10), ymd(2025, 1, 10), ""},
        {"ymd", ymd(2025, 2, 10), ymd(2025, 1, 10), ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(durationText(c.unit, c.from, c.to), c.text);
    }
}

TEST(TimeLeft, FromScheduleRows)
{
    LoanDocument doc = interestFreeLoan();
    const NumberFormat format;
    ASSERT_TRUE(Calculate(doc, format));
    struct Case
    {
        int chosenRow;
        int usedRow;
        double payments;
        Date last;
        const char *duration;
    };
    const Case cases[] = {
        {1, 2, 11, ymd(2025, 12, 15), "11 Months "}, // the start row has no payment: payment 1 is used
        {2, 2, 11, ymd(2025, 12, 15), "11 Months "},
        {7, 7, 6, ymd(2025, 12, 15), "6 Months "},
        {13, 13, 0, ymd(2025, 12, 15), ""}, // the last payment: nothing left, its own date
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.chosenRow);
        TimeLeftRow row;
        ASSERT_TRUE(readTimeLeftRow(doc, c.chosenRow, row));
        EXPECT_EQ(row.row, c.usedRow);
        const TimeLeftResult result = computeTimeLeft(doc, row);
        ASSERT_EQ(result.status, TimeLeftResult::Status::Ok);
        EXPECT_EQ(result.paymentsLeft, c.payments);
        EXPECT_EQ(result.lastPayment, c.last);
        EXPECT_EQ(result.duration, c.duration);
    }
    TimeLeftRow row;
    EXPECT_FALSE(readTimeLeftRow(doc, 14, row));
    EXPECT_FALSE(readTimeLeftRow(doc, 0, row));
}

TEST(TimeLeft, LumpSumRowUsesTheNextPayment)
{
    LoanDocument doc = interestFreeLoan();
    doc.gridLumpSum.setRows(2);
    setChangeEntry(doc.gridLumpSum, 1, ymd(2025, 2, 1), 100, NumberFormat());
    const NumberFormat format;
    ASSERT_TRUE(Calculate(doc, format));
    TimeLeftRow row;
    ASSERT_TRUE(readTimeLeftRow(doc, 3, row)); // row 3 is the lump sum of 1 February
    EXPECT_EQ(row.row, 4);
    EXPECT_EQ(row.rowDate, ymd(2025, 2, 15));
}

TEST(TimeLeft, RateIsReadInSinglePrecision)
{
    LoanDocument doc;
    doc.gintLoanType = kPersonalLoan;
    doc.gintFreqOfInst = kMonthly;
    // 1,000 at 0.5 % a year, 100 a month: 10.02 payments, so 11 are left.
    const TimeLeftRow row {2, 100, 1000, 0.5, ymd(2025, 1, 15)};
    const TimeLeftResult result = computeTimeLeft(doc, row);
    ASSERT_EQ(result.status, TimeLeftResult::Status::Ok);
    EXPECT_EQ(result.paymentsLeft, 11);
    EXPECT_EQ(result.lastPayment, ymd(2025, 12, 15));
    EXPECT_EQ(result.duration, "11 Months ");
}

TEST(TimeLeft, PaymentThatNeverRepays)
{
    LoanDocument doc;
    doc.gintLoanType = kPersonalLoan;
    doc.gintFreqOfInst = kMonthly;
    struct Case
    {
        double payment;
        double ratePercent;
        TimeLeftResult::Status status;
    };
    const Case cases[] = {
        {9.99, 12, TimeLeftResult::Status::PaymentTooLow}, // a cent short of 1 % of 1,000
        {5, 12, TimeLeftResult::Status::PaymentTooLow},
        {0, 0, TimeLeftResult::Status::PaymentTooLow},
        {100, std::nan(""), TimeLeftResult::Status::Failed},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.payment);
        const TimeLeftRow row {2, c.payment, 1000, c.ratePercent, ymd(2025, 1, 15)};
        EXPECT_EQ(computeTimeLeft(doc, row).status, c.status);
    }
}
