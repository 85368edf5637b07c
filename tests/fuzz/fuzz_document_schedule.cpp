// Reads arbitrary bytes as a document, computes its schedule (up to the 90,000-period limit) and reads the figures a
// user is shown from it: the summary, and the cells and the time left of the first, a middle and the last row.
#include "document/DocumentFile.h"

#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "engine/Summary.h"
#include "engine/TimeLeft.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const engine::NumberFormat format;
    document::DocumentData doc;
    document::readDocument(bytes, doc, format);
    const engine::CalculateResult result = engine::Calculate(doc.loan, format);
    if (!result.ok && result.message.empty())
        std::abort(); // a refusal must say why

    for (const auto &[label, value] : engine::summaryRows(doc.loan, format)) {
        if (label.empty())
            std::abort();
    }
    const engine::ScheduleTable &schedule = doc.loan.gridMain0;
    const int rows = schedule.rows();
    for (int row : {1, rows / 2, rows - 1}) {
        engine::TimeLeftRow timeLeftRow;
        if (engine::readTimeLeftRow(doc.loan, row, timeLeftRow))
            (void)engine::computeTimeLeft(doc.loan, timeLeftRow);
        // A cell's text and the number read back from it agree on being empty.
        for (int column = 0; column < schedule.cols(); ++column) {
            if (schedule.text(row, column).empty() != schedule.isEmpty(row, column))
                std::abort();
            (void)schedule.value(row, column);
        }
    }
    return 0;
}
