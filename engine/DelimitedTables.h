#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace engine {

class ScheduleTable;
class YearEndReport;
struct LoanComparison;

// Where delimited text goes, piece by piece, with how many of the table's rows are written so far out of how many;
// returning false stops the writing there.
using DelimitedOut = std::function<bool(std::string_view text, int done, int total)>;

// The computed schedule as delimited text: a heading line with every column's caption, then one line per row in the
// schedule's plain numbers and dates. False when `out` stopped it.
bool writeScheduleTable(const ScheduleTable &schedule, char separator, const DelimitedOut &out);

// The year-end report as delimited text: the captions, "Year" for the column that has none in the window, then one
// line per year. False when `out` stopped it.
bool writeYearEndTable(const YearEndReport &report, char separator, const DelimitedOut &out);

// The loans side by side, one column per loan, as the comparison's table has them. False when `out` stopped it.
bool writeComparisonTable(const LoanComparison &comparison, char separator, const DelimitedOut &out);

} // namespace engine
