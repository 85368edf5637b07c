#include "document/DocumentEdit.h"

#include "engine/ChangeTables.h"
#include "engine/NumberFormat.h"
#include "engine/Schedule.h"

#include <gtest/gtest.h>

#include <functional>

using namespace document;

namespace {

using Change = std::function<void(DocumentData &)>;

// 12,000 at 6 % repaid by 1,000 a month from 15 January 2025, all columns shown.
DocumentData loan()
{
    DocumentData data;
    data.loan.gdblLoanAmount = 12000;
    data.loan.gdblAnnualRate = 0.06;
    data.loan.gdblBasicPayment = 1000;
    data.loan.mdblNperTerm = 13;
    data.loan.gdtmFirstPaymentDue = *engine::exactDate(2025, 1, 15);
    data.loan.gstrFileName = "/home/a/loan.plr";
    data.columns.init(true);
    return data;
}

DocumentData withoutSchedule(const DocumentData &data)
{
    DocumentData copy = data;
    copy.loan.gridMain0 = {};
    return copy;
}

void addLumpSum(engine::TextTable &table, int month, double amount)
{
    engine::putChangeEntry(table, *engine::exactDate(2025, month, 15), amount, engine::NumberFormat());
}

void expectSame(DocumentData actual, DocumentData expected)
{
    ASSERT_TRUE(engine::Calculate(actual.loan, engine::NumberFormat()));
    ASSERT_TRUE(engine::Calculate(expected.loan, engine::NumberFormat()));
    EXPECT_TRUE(actual.loan == expected.loan);
    EXPECT_EQ(actual.columns, expected.columns);
    EXPECT_EQ(actual.print, expected.print);
}

} // namespace

// Taking a change back sets what it changed as it was and leaves what changed since elsewhere; doing it again sets it
// once more. The schedule is computed each time, as the window computes it.
TEST(DocumentEdit, UndoAndRedoSetOnlyWhatTheChangeChanged)
{
    struct Case
    {
        const char *name;
        Change change;
        Change later; // made afterwards, outside the change
    };
    const std::vector<Case> cases = {
        {"a lump sum", [](DocumentData &d) { addLumpSum(d.loan.gridLumpSum, 4, 2000); },
         [](DocumentData &d) {
             d.loan.gstrFileName = "/home/a/renamed.plr";
             d.columns.columns[engine::colLumpSum].Width = 2000;
             d.print.HeaderLeft = "Bank";
         }},
        {"the title and the rate",
         [](DocumentData &d) {
             d.loan.gstrTitle = "Renewal";
             d.loan.gdblAnnualRate = 0.045;
         },
         [](DocumentData &d) { addLumpSum(d.loan.gridLumpSum, 6, 500); }},
        {"a column hidden",
         [](DocumentData &d) {
             d.columns.columns[engine::colPercentPaid].Position = -1;
             for (int k = engine::colPercentPaid + 1; k < kLogicalColumns; ++k)
                 --d.columns.columns[size_t(k)].Position;
         },
         [](DocumentData &d) {
             d.columns.columns[engine::colPercentPaid].Width = 1234;
             d.columns.columns[engine::colPayment].Alignment = kAlignRight;
         }},
        {"a payment and a rate from one date",
         [](DocumentData &d) {
             addLumpSum(d.loan.gridBasicPayment, 5, 1500);
             addLumpSum(d.loan.gridAnnualRate, 5, 7);
         },
         [](DocumentData &d) { d.loan.gblnReportFlag = true; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DocumentData document = loan();
        ASSERT_TRUE(engine::Calculate(document.loan, engine::NumberFormat()));
        const DocumentData before = withoutSchedule(document);
        c.change(document);
        ASSERT_TRUE(engine::Calculate(document.loan, engine::NumberFormat()));
        const DocumentEdit edit(before, withoutSchedule(document));
        EXPECT_FALSE(edit.empty());
        c.later(document);

        edit.undo(document);
        DocumentData expected = loan();
        c.later(expected);
        expectSame(document, expected);

        edit.redo(document);
        c.change(expected);
        expectSame(document, expected);
    }
}

// What computing the schedule sets (the totals, the row each change falls on) is no change of the document.
TEST(DocumentEdit, ComputedValuesAreNoChange)
{
    DocumentData document = loan();
    addLumpSum(document.loan.gridLumpSum, 4, 2000);
    const DocumentData before = withoutSchedule(document);
    ASSERT_TRUE(engine::Calculate(document.loan, engine::NumberFormat()));
    ASSERT_NE(document.loan.gridLumpSum.text(1, engine::chgScheduleRow),
              before.loan.gridLumpSum.text(1, engine::chgScheduleRow));
    EXPECT_TRUE(DocumentEdit(before, withoutSchedule(document)).empty());
    document.loan.gstrComments = "Fixed for five years";
    EXPECT_FALSE(DocumentEdit(before, withoutSchedule(document)).empty());
}
