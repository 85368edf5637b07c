#pragma once

#include "print/TableLayout.h"
#include "views/SummaryChart.h"

#include <vector>

namespace document {
struct PrintOptions;
}
namespace engine {
struct LoanComparison;
class NumberFormat;
} // namespace engine

namespace app {

// The balance of each compared loan over time, one line per loan named by its title, dates along.
std::vector<views::SummaryChart::Series> balanceSeries(const engine::LoanComparison &comparison);

// The comparison on one page: the title "Loan Comparison", the table, and the balance chart in the room below it. The
// paper and margins are `paper`'s (the first loan's page set-up); the page turns landscape when the table with a chart
// does not fit it upright, and is shrunk when it fits neither way. `date` goes into the footer.
print::PrintJob comparisonPrintJob(const engine::LoanComparison &comparison, const engine::NumberFormat &format,
                                   const document::PrintOptions &paper, const QString &date);

// That page as a PDF file; an existing file is replaced only by a complete one. False with the reason.
bool writeComparisonPdf(const engine::LoanComparison &comparison, const engine::NumberFormat &format,
                        const document::PrintOptions &paper, const QString &output, QString *error);

} // namespace app
