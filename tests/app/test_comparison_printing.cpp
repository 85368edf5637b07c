#include "app/ComparisonPrinting.h"

#include "document/PrintOptions.h"
#include "engine/LoanComparison.h"
#include "engine/NumberFormat.h"
#include "print/PageSurface.h"

#include <gtest/gtest.h>

namespace {

engine::LoanComparison comparisonOf(int loans)
{
    std::vector<engine::ComparedLoan> compared;
    for (int i = 0; i < loans; ++i) {
        engine::ComparedLoan loan;
        loan.title = "Offer " + std::to_string(i + 1) + " from the lender down the road, fixed for five years";
        loan.loanAmount = 350000;
        loan.lastPayment = *engine::exactDate(2050, 1, 1);
        loan.balance = {{*engine::exactDate(2025, 1, 1), 350000}, {*engine::exactDate(2050, 1, 1), 0}};
        compared.push_back(loan);
    }
    return engine::compareLoans(std::move(compared));
}

} // namespace

// One page always: upright while the table and a chart fit it, across the sheet when not, and smaller when not even
// then; the chart is drawn below the table.
TEST(ComparisonPrinting, OnePageTurnedOrShrunkToFit)
{
    struct Case
    {
        int loans;
        int paperSize;
        bool portrait;
        bool shrunk;
    };
    const Case cases[] = {
        {2, 1, true, false}, // Letter
        {4, 1, false, false},
        {4, 10, false, true}, // A5
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.loans << " loans on paper " << c.paperSize);
        document::PrintOptions paper;
        paper.PageSize = c.paperSize;
        const print::PrintJob job = app::comparisonPrintJob(comparisonOf(c.loans), engine::NumberFormat(), paper, {});
        EXPECT_EQ(job.options.Orientation, c.portrait);
        EXPECT_EQ(job.options.Scaling < 100, c.shrunk);

        print::TableLayout layout(job);
        print::PageSurface surface;
        QRect chart;
        print::PrintJob drawn = job;
        drawn.below = [&chart](print::PageSurface &, const QRect &room) { chart = room; };
        print::TableLayout(drawn).build(surface);
        EXPECT_EQ(surface.pageCount(), 1);
        EXPECT_GE(chart.height(), 3 * print::kTwipsPerInch);
        layout.setUp(surface);
        EXPECT_LT(layout.totalWidth(), layout.usableWidth());
    }
}
