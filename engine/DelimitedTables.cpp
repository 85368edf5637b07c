#include "DelimitedTables.h"

#include "LoanComparison.h"
#include "ScheduleTable.h"
#include "YearEndReport.h"

#include <vector>

namespace engine {

namespace {

// Text gathered up to this size goes out in one piece.
constexpr std::size_t kPieceSize = std::size_t(1) << 16;

std::string headingLine(const std::vector<std::string> &captions, char separator)
{
    return delimitedText({captions}, separator);
}

} // namespace

bool writeScheduleTable(const ScheduleTable &schedule, char separator, const DelimitedOut &out)
{
    const int total = schedule.rows() - 1;
    std::vector<std::string> captions;
    for (int c = 0; c < colDateSerial; ++c)
        captions.emplace_back(scheduleCaption(c));
    if (!out(headingLine(captions, separator), 0, total))
        return false;
    // Straight from the schedule's numbers: plain decimals and dates never need quoting.
    std::string lines;
    ScheduleReader reader(schedule);
    ScheduleRowValues row;
    int done = 0;
    while (reader.next(row)) {
        for (int c = 0; c < colDateSerial; ++c) {
            if (c > 0)
                lines += separator;
            lines += plainCellText(row, c);
        }
        lines += '\n';
        ++done;
        if (lines.size() > kPieceSize) {
            if (!out(lines, done, total))
                return false;
            lines.clear();
        }
    }
    return out(lines, done, total);
}

bool writeYearEndTable(const YearEndReport &report, char separator, const DelimitedOut &out)
{
    const int total = report.rows() - 1;
    // The year's column has no caption in the window; a file names every column.
    std::vector<std::string> captions {"Year"};
    for (int c = 1; c < report.cols(); ++c)
        captions.emplace_back(yearEndCaption(c));
    if (!out(headingLine(captions, separator), 0, total))
        return false;
    std::string lines;
    for (int r = 1; r < report.rows(); ++r) {
        for (int c = 0; c < report.cols(); ++c) {
            if (c > 0)
                lines += separator;
            lines += report.plainText(r, c);
        }
        lines += '\n';
    }
    return out(lines, total, total);
}

bool writeComparisonTable(const LoanComparison &comparison, char separator, const DelimitedOut &out)
{
    const std::vector<std::vector<std::string>> table = comparison.table(nullptr);
    const int total = int(table.size());
    return out(delimitedText(table, separator), total, total);
}

} // namespace engine
