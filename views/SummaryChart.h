#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

class QFont;
class QPainter;
class QRectF;
class QWidget;

namespace engine {
class NumberFormat;
}

namespace views {

// A line chart of amounts of money: one line per series, the value axis labelled in the locale's currency, a legend
// in bold above the plot. The program knows the chart component only through this interface, so that it can be
// replaced.
class SummaryChart
{
public:
    // What the horizontal axis shows: nothing (no labels, no grid lines; x is the point's place in its series),
    // dates (x is a day serial, labelled in the format's date pattern) or years (x is a day serial, labelled with the
    // years at their first day, without grid lines).
    enum class HorizontalAxis { Hidden, Dates, Years };

    struct Series
    {
        // A line through the points, or a mark on each.
        enum class Style { Line, Marks };
        QString name; // the legend's text
        std::vector<QPointF> points;
        Style style = Style::Line;
    };

    virtual ~SummaryChart() = default;

    virtual QWidget *widget() const = 0;
    // The format of the money on the value axis and of the dates on a date axis; taken when the series are set.
    virtual void setFormat(const engine::NumberFormat &format) = 0;
    virtual void setHorizontalAxis(HorizontalAxis axis) = 0;
    // Replaces every line, in legend order.
    virtual void setSeries(const std::vector<Series> &series) = 0;

    // What the chart shows: its lines, the labels of the value axis from the bottom up, whether the horizontal axis
    // has labels and grid lines, whether the legend is bold.
    virtual std::vector<Series> shownSeries() const = 0;
    virtual QStringList valueLabels() const = 0;
    virtual bool horizontalLabelsShown() const = 0;
    // The labels of a years axis, from the left.
    virtual QStringList horizontalLabels() const = 0;
    virtual bool horizontalGridShown() const = 0;
    virtual bool legendBold() const = 0;
};

// The chart as the program draws it, in `font` (its legend in bold), its widget a child of `parent`.
std::unique_ptr<SummaryChart> createSummaryChart(const QFont &font, QWidget *parent);

// A chart of `series` drawn into `target` of a painter whose unit is one twip (a printed page): laid out for that
// size, its texts in `font` at their point size. Needs nothing kept from a chart on the screen.
void paintChart(QPainter &painter, const QRectF &target, const QFont &font, const engine::NumberFormat &format,
                SummaryChart::HorizontalAxis axis, const std::vector<SummaryChart::Series> &series);

// The round values a value axis is labelled at: multiples of 1, 2, 2.5 or 5 times a power of ten, at most `maxSteps`
// steps from 0 (or below it, for a negative `low`) to `high` or just above it.
std::vector<double> valueTicks(double low, double high, int maxSteps = 5);

// Where a years axis is labelled, as (day serial, year): the first day of every year from `first` to `last`, or of
// every 2nd, 5th, 10th, 20th, 50th, 100th ... year so that at most `maxLabels` are; `first` with its year when no year
// starts within the range.
std::vector<std::pair<double, int>> yearTicks(double first, double last, int maxLabels = 8);

} // namespace views
