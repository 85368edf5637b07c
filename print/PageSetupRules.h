#pragma once

#include <QString>

#include <array>

class QFont;

namespace document {
struct PrintOptions;
}
namespace engine {
class NumberFormat;
}

namespace print {

struct PrintJob;

// What the page set-up's fields store, read as the locale writes numbers: a margin or edge that is no number is 0
// inches, a scaling that is no number is 10 percent. A negative margin is 0, and a scaling stays within what the
// pages can be drawn at (10 to 400 percent): the record holds what the pages will use.
float marginFromText(const QString &text, const engine::NumberFormat &format);
int scalingFromText(const QString &text, const engine::NumberFormat &format);
// A margin or edge as its field shows it.
QString marginText(float inches, const engine::NumberFormat &format);
// The row density slider: positions 0..6 stand for 140..20 rows a page.
int rowsPerPageAt(int sliderPosition);
int sliderPositionFor(int rowsPerPage);
// The left, centre and right cells of the header or footer sample for a choice: "Page 1", "File Name" or the date
// where the printed line will have them.
std::array<QString, 3> headerFooterSample(int choice, const QString &date);

// The margin test of the page set-up: the paper left between the margins and the header and footer edges must hold
// three lines of the first schedule cell's text at the record's row density, and be wider than the first column.
bool marginsFit(const document::PrintOptions &working, int rowsPerPage, const QFont &font, const QString &firstCell,
                int firstColumnWidth);
// The same test for what a job is to print, with its options, its font, and its table's first cell and column. Pages
// that fail it would hold no row (or one) each: they are refused with kMarginsTooBigMessage rather than printed.
bool marginsFit(const PrintJob &job);
inline constexpr const char *kMarginsTooBigMessage = "The Margins are too Big";

} // namespace print
