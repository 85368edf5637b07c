#include "PageSetupRules.h"

#include "PageSurface.h"
#include "PrintableTable.h"
#include "TableLayout.h"

#include "document/PrintOptions.h"
#include "engine/NumberFormat.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

namespace print {

namespace {

std::optional<double> number(const QString &text, const engine::NumberFormat &format)
{
    const auto value = format.parseNumber(text.toStdString());
    return value && std::isfinite(*value) ? value : std::nullopt;
}

} // namespace

float marginFromText(const QString &text, const engine::NumberFormat &format)
{
    return document::keptMargin(number(text, format).value_or(0));
}

int scalingFromText(const QString &text, const engine::NumberFormat &format)
{
    const auto value = number(text, format);
    if (!value)
        return 10;
    return int(std::lround(std::clamp(*value, double(kSmallestScaling), double(kLargestScaling))));
}

QString marginText(float inches, const engine::NumberFormat &format)
{
    // Six digits: what a 32-bit real holds of the inches typed.
    return QString::fromStdString(engine::editableNumber(double(inches), format, 6));
}

int rowsPerPageAt(int sliderPosition)
{
    return 140 - 20 * sliderPosition;
}

int sliderPositionFor(int rowsPerPage)
{
    return int(std::lround((140 - rowsPerPage) / 20.0));
}

std::array<QString, 3> headerFooterSample(int choice, const QString &date)
{
    std::array<QString, 3> cells;
    const QStringList parts = headerFooterText(choice, 1, QStringLiteral("File Name"), date).split(QLatin1Char('|'));
    for (size_t i = 0; i < cells.size() && qsizetype(i) < parts.size(); ++i)
        cells[i] = parts[qsizetype(i)];
    return cells;
}

bool marginsFit(const document::PrintOptions &working, int rowsPerPage, const QFont &font, const QString &firstCell,
                int firstColumnWidth)
{
    PageSurface trial;
    trial.setFont(font);
    trial.setPaperSize(working.PageSize);
    trial.setOrientation(working.Orientation ? PageSurface::Portrait : PageSurface::Landscape);
    const int top = inchesToTwips(working.MarginTop);
    const int bottom = inchesToTwips(working.MarginBottom);
    const int left = inchesToTwips(working.MarginLeft);
    const int right = inchesToTwips(working.MarginRight);
    trial.setMargins(top, bottom, left, right);
    trial.setLineDensity(std::clamp(rowsPerPage, 20, 140));
    const int line = trial.measureText(firstCell, 0);
    // The header and footer edges take their height from the pages too: edges that leave no room for three lines
    // would put one row, or none, on every page.
    const long long height = static_cast<long long>(trial.pageHeight()) - top - bottom
        - inchesToTwips(working.HeaderEdge) - inchesToTwips(working.FooterEdge);
    return height > 3LL * line && trial.pageWidth() - left - right > firstColumnWidth;
}

bool marginsFit(const PrintJob &job)
{
    const PrintableTable *table = job.table.get();
    const int columns = table ? table->columnCount() : 0;
    const QString firstCell = columns > 1 && table->rowCount() > 0 ? table->text(0, 1) : QString();
    return marginsFit(job.options, job.options.RowsPerPage, job.font, firstCell,
                      columns > 0 ? table->columnWidth(0) : 0);
}

} // namespace print
