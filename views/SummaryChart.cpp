// The only place that knows the chart component: Qt Charts.
#include "SummaryChart.h"

#include "engine/NumberFormat.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>

#include <cmath>

namespace views {

std::vector<double> valueTicks(double low, double high, int maxSteps)
{
    if (!std::isfinite(low) || !std::isfinite(high) || maxSteps < 1)
        return {0, 1};
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
    if (high - low <= 0)
        high = low + 1;
    const double magnitude = std::pow(10.0, std::floor(std::log10((high - low) / maxSteps)));
    double step = 10 * magnitude;
    for (double multiple : {1.0, 2.0, 2.5, 5.0}) {
        if (std::ceil(high / (multiple * magnitude)) - std::floor(low / (multiple * magnitude)) <= maxSteps) {
            step = multiple * magnitude;
            break;
        }
    }
    std::vector<double> ticks;
    for (double n = std::floor(low / step); n <= std::ceil(high / step); ++n)
        ticks.push_back(n * step);
    return ticks;
}

namespace {

const QDate kDayZero(1899, 12, 30);

} // namespace

std::vector<std::pair<double, int>> yearTicks(double first, double last, int maxLabels)
{
    if (!std::isfinite(first) || !std::isfinite(last) || last < first || maxLabels < 1)
        return {};
    auto serialOf = [](int year) { return double(kDayZero.daysTo(QDate(year, 1, 1))); };
    const int from = kDayZero.addDays(qint64(first)).year();
    const int until = kDayZero.addDays(qint64(last)).year();
    const int firstYear = serialOf(from) >= first ? from : from + 1;
    if (firstYear > until)
        return {{first, from}};
    // 1, 2, 5, 10, 20, 50, ... years, the first step that labels few enough.
    int step = 1;
    for (int multiple = 0;; ++multiple) {
        step = (multiple % 3 == 0 ? 1 : multiple % 3 == 1 ? 2 : 5) * int(std::pow(10, multiple / 3));
        const int firstLabel = (firstYear + step - 1) / step * step;
        if (firstLabel > until || (until - firstLabel) / step + 1 <= maxLabels)
            break;
    }
    std::vector<std::pair<double, int>> ticks;
    for (int year = (firstYear + step - 1) / step * step; year <= until; year += step)
        ticks.emplace_back(serialOf(year), year);
    if (ticks.empty())
        ticks.emplace_back(first, from);
    return ticks;
}

namespace {

QDateTime dateTimeOf(double serial)
{
    return kDayZero.addDays(qint64(serial)).startOfDay();
}

class QtSummaryChart final : public SummaryChart
{
public:
    QtSummaryChart(const QFont &font, QWidget *parent)
        : m_font(font)
        , m_chart(new QChart)
        , m_view(new QChartView(m_chart, parent))
    {
        m_view->setObjectName(QStringLiteral("MSChart1"));
        m_view->setRenderHint(QPainter::Antialiasing);
        m_chart->setBackgroundRoundness(0);
        m_chart->layout()->setContentsMargins(0, 0, 0, 0);
        // Labels set on the values stand half a line past the ends of the axis, which the layout does not allow for.
        const int half = QFontMetrics(font).height() / 2 + 2;
        m_chart->setMargins(QMargins(2, 2, half, half));
        QFont bold = font;
        bold.setBold(true);
        m_chart->legend()->setFont(bold);
        m_chart->legend()->setAlignment(Qt::AlignTop);
    }

    QWidget *widget() const override { return m_view; }
    void setFormat(const engine::NumberFormat &format) override { m_format = format; }
    void setHorizontalAxis(HorizontalAxis axis) override { m_axis = axis; }

    void setSeries(const std::vector<Series> &series) override
    {
        m_chart->removeAllSeries();
        for (QAbstractAxis *axis : m_chart->axes()) {
            m_chart->removeAxis(axis);
            delete axis;
        }
        double left = INFINITY, right = -INFINITY, bottom = INFINITY, top = -INFINITY;
        for (const Series &each : series) {
            QXYSeries *line = each.style == Series::Style::Marks ? markSeries() : new QLineSeries;
            line->setName(each.name);
            QList<QPointF> points(each.points.begin(), each.points.end());
            // A date axis places its points by milliseconds since 1970.
            if (m_axis == HorizontalAxis::Dates) {
                for (QPointF &point : points)
                    point.setX(double(dateTimeOf(point.x()).toMSecsSinceEpoch()));
            }
            line->replace(points);
            for (const QPointF &point : each.points) {
                left = std::min(left, point.x());
                right = std::max(right, point.x());
                bottom = std::min(bottom, point.y());
                top = std::max(top, point.y());
            }
            m_chart->addSeries(line);
        }
        if (!(left < right)) {
            left = std::isfinite(left) ? left : 0;
            right = left + 1;
        }
        QAbstractAxis *horizontal = horizontalAxis(left, right);
        QAbstractAxis *vertical = valueAxis(std::isfinite(bottom) ? bottom : 0, std::isfinite(top) ? top : 0);
        for (QAbstractAxis *axis : {horizontal, vertical})
            axis->setLabelsFont(m_font);
        m_chart->addAxis(horizontal, Qt::AlignBottom);
        m_chart->addAxis(vertical, Qt::AlignLeft);
        for (QAbstractSeries *line : m_chart->series()) {
            line->attachAxis(horizontal);
            line->attachAxis(vertical);
        }
    }

    std::vector<Series> shownSeries() const override
    {
        std::vector<Series> shown;
        for (QAbstractSeries *each : m_chart->series()) {
            const auto *line = qobject_cast<QXYSeries *>(each);
            QList<QPointF> points = line->points();
            if (m_axis == HorizontalAxis::Dates) {
                for (QPointF &point : points)
                    point.setX(double(kDayZero.daysTo(QDateTime::fromMSecsSinceEpoch(qint64(point.x())).date())));
            }
            shown.push_back({line->name(), std::vector<QPointF>(points.begin(), points.end()),
                             qobject_cast<const QScatterSeries *>(line) ? Series::Style::Marks : Series::Style::Line});
        }
        return shown;
    }

    QStringList valueLabels() const override
    {
        const QList<QAbstractAxis *> axes = m_chart->axes(Qt::Vertical);
        auto *axis = axes.isEmpty() ? nullptr : qobject_cast<QCategoryAxis *>(axes.first());
        return axis ? axis->categoriesLabels() : QStringList();
    }

    bool horizontalLabelsShown() const override
    {
        const QList<QAbstractAxis *> axes = m_chart->axes(Qt::Horizontal);
        return !axes.isEmpty() && axes.first()->labelsVisible();
    }

    QStringList horizontalLabels() const override
    {
        const QList<QAbstractAxis *> axes = m_chart->axes(Qt::Horizontal);
        auto *axis = axes.isEmpty() ? nullptr : qobject_cast<QCategoryAxis *>(axes.first());
        return axis ? axis->categoriesLabels() : QStringList();
    }

    bool horizontalGridShown() const override
    {
        const QList<QAbstractAxis *> axes = m_chart->axes(Qt::Horizontal);
        return !axes.isEmpty() && (axes.first()->isGridLineVisible() || axes.first()->isMinorGridLineVisible());
    }

    bool legendBold() const override { return m_chart->legend()->isVisible() && m_chart->legend()->font().bold(); }

    // Lays the chart out at `size` (pixels of a 96 dpi screen) and draws it into `target`.
    void render(QPainter &painter, const QRectF &target, const QSizeF &size)
    {
        m_chart->resize(size);
        m_chart->layout()->activate();
        m_view->scene()->setSceneRect(QRectF(QPointF(0, 0), size));
        m_view->scene()->render(&painter, target, QRectF(QPointF(0, 0), size));
    }

private:
    // Lump sums and the like: a round mark on each point, in a colour of its own.
    QXYSeries *markSeries() const
    {
        auto *marks = new QScatterSeries;
        marks->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        marks->setMarkerSize(QFontMetrics(m_font).height() * 0.6);
        return marks;
    }

    QAbstractAxis *horizontalAxis(double left, double right) const
    {
        if (m_axis == HorizontalAxis::Years) {
            auto *axis = new QCategoryAxis;
            axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
            axis->setRange(left, right);
            // A year starting on the first day stands on the start value, which no label may: the start is set a day
            // earlier, out of sight.
            axis->setStartValue(left - 1);
            for (const auto &[serial, year] : yearTicks(left, right))
                axis->append(QString::number(year), serial);
            axis->setGridLineVisible(false);
            axis->setMinorGridLineVisible(false);
            return axis;
        }
        if (m_axis == HorizontalAxis::Dates) {
            auto *axis = new QDateTimeAxis;
            axis->setFormat(QString::fromStdString(m_format.datePattern()));
            axis->setRange(dateTimeOf(left), dateTimeOf(right));
            return axis;
        }
        auto *axis = new QValueAxis;
        axis->setRange(left, right);
        axis->setLabelsVisible(false);
        axis->setGridLineVisible(false);
        axis->setMinorGridLineVisible(false);
        axis->setTickCount(2);
        return axis;
    }

    // Labels of money at round values: Qt Charts' own number labels know no currency or grouping.
    QAbstractAxis *valueAxis(double bottom, double top) const
    {
        const std::vector<double> ticks = valueTicks(bottom, top);
        const double step = ticks.size() > 1 ? ticks[1] - ticks[0] : 1;
        const int decimals = step == std::floor(step) ? 0 : 2;
        auto *axis = new QCategoryAxis;
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        axis->setRange(ticks.front(), ticks.back());
        axis->setStartValue(ticks.front());
        for (double tick : ticks)
            axis->append(QString::fromStdString(m_format.currency(tick, decimals)), tick);
        return axis;
    }

    QFont m_font;
    engine::NumberFormat m_format;
    HorizontalAxis m_axis = HorizontalAxis::Hidden;
    QChart *m_chart;
    QChartView *m_view;
};

} // namespace

std::unique_ptr<SummaryChart> createSummaryChart(const QFont &font, QWidget *parent)
{
    return std::make_unique<QtSummaryChart>(font, parent);
}

void paintChart(QPainter &painter, const QRectF &target, const QFont &font, const engine::NumberFormat &format,
                SummaryChart::HorizontalAxis axis, const std::vector<SummaryChart::Series> &series)
{
    // Twips are 15 to the pixel of a 96 dpi screen, where a point is 4/3 of a pixel.
    constexpr double kTwipsPerPixel = 15;
    if (!(target.width() >= kTwipsPerPixel && target.height() >= kTwipsPerPixel))
        return;
    QFont sized = font;
    if (font.pointSizeF() > 0)
        sized.setPixelSize(std::max(1, int(std::lround(font.pointSizeF() * 4 / 3))));
    QtSummaryChart chart(sized, nullptr);
    chart.setFormat(format);
    chart.setHorizontalAxis(axis);
    chart.setSeries(series);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    chart.render(painter, target, target.size() / kTwipsPerPixel);
    painter.restore();
}

} // namespace views
