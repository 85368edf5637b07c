#include "engine/DelimitedTables.h"
#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "support/Dates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace engine;

namespace {

// `amount` (1,200 unless given) at exactly 1 % a month, 100 a month, over a term of `periods` months.
LoanDocument computedLoan(int periods, double amount = 1200)
{
    LoanDocument doc;
    doc.gintLoanType = kPersonalLoan;
    doc.gdblLoanAmount = amount;
    doc.gdblAnnualRate = 0.12;
    doc.gintFreqOfInst = kMonthly;
    doc.gdblBasicPayment = 100;
    doc.gdtmFirstPaymentDue = ymd(2026, 1, 1);
    doc.mdblNperTerm = periods;
    EXPECT_TRUE(Calculate(doc, NumberFormat()));
    return doc;
}

struct Piece
{
    std::string text;
    int done = 0;
    int total = 0;
};

} // namespace

TEST(DelimitedTables, ScheduleComesInPiecesWithTheRowsReached)
{
    const LoanDocument doc = computedLoan(13);
    std::vector<Piece> pieces;
    ASSERT_TRUE(writeScheduleTable(doc.gridMain0, ';', [&](std::string_view text, int done, int total) {
        pieces.push_back({std::string(text), done, total});
        return true;
    }));
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].text.rfind("No.;Date;Opening Balance;", 0), 0u) << pieces[0].text;
    EXPECT_EQ(pieces[0].done, 0);
    // Interest of the first month: 1 % of 1,200; principal: 100 less that.
    EXPECT_EQ(pieces[1].text.find("1;2026-01-01;1200.00;12.0000;12.00;88.00;1112.00;"), pieces[1].text.find('\n') + 1)
        << pieces[1].text;
    EXPECT_EQ(pieces[1].done, pieces[1].total);
    EXPECT_EQ(pieces[1].total, doc.gridMain0.rows() - 1);
}

TEST(DelimitedTables, WritingStopsWhereTheOutputSaysSo)
{
    // 9,999 at 1 % a month, 100 a month: over 900 rows, which come in more than one piece after the heading.
    const LoanDocument doc = computedLoan(1000, 9999);
    int calls = 0;
    int total = 0;
    int reached = 0;
    auto count = [&](std::string_view, int done, int rows) {
        ++calls;
        reached = done;
        total = rows;
        return true;
    };
    ASSERT_TRUE(writeScheduleTable(doc.gridMain0, ',', count));
    ASSERT_GE(calls, 3) << doc.gridMain0.rows();
    EXPECT_EQ(reached, total);
    for (const int stopAt : {1, 2}) {
        SCOPED_TRACE(stopAt);
        calls = 0;
        EXPECT_FALSE(writeScheduleTable(doc.gridMain0, ',', [&](std::string_view, int done, int) {
            reached = done;
            return ++calls < stopAt;
        }));
        EXPECT_EQ(calls, stopAt);
        EXPECT_LT(reached, total);
    }
}
