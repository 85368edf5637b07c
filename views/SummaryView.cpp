#include "SummaryView.h"

#include "ScheduleGrid.h"
#include "ScheduleModel.h"
#include "SummaryChart.h"

#include "document/DocumentFile.h"
#include "travina/CTravinaCtrl.h"
#include "ui/ScrollingContainer.h"
#include "ui/Twips.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>

#include <cmath>

namespace views {

namespace {

// Lengths the container takes are its own twips, a fixed number to the pixel.
constexpr int kContainerTwips = CTravinaCtrl::TwipsPerPixel;

// Room around the summary's controls, and the chart's width, in twips.
constexpr int kMargin = 50;
constexpr int kCellPadding = 100;
constexpr int kChartWidth = 5500;

} // namespace

SummaryView::SummaryView(const document::DocumentData &document, const engine::NumberFormat &format, const QFont &font,
                         QWidget *parent)
    : QWidget(parent)
    , m_data(document)
    , m_format(format)
{
    const ui::Container container = ui::createContainer(*this);
    m_container = container.control;
    m_frame = container.frame;
    m_grid = new QTableView(m_frame);
    m_grid->setObjectName(QStringLiteral("gridSummary"));
    m_model = new QStandardItemModel(14, 2, this);
    m_grid->setModel(m_model);
    setupTable(m_grid, font);
    m_grid->horizontalHeader()->hide();
    // Sized to its contents: a scroll bar would only cover them.
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_chart = createSummaryChart(font, m_frame);
}

SummaryView::~SummaryView() = default;

void SummaryView::PopulateGridSummary()
{
    const auto rows = engine::summaryRows(m_data.loan, m_format);
    m_model->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        auto *label = new QStandardItem(QString::fromStdString(rows[size_t(r)].first));
        label->setTextAlignment(alignmentForCode(document::kAlignRight));
        auto *value = new QStandardItem(QString::fromStdString(rows[size_t(r)].second));
        value->setTextAlignment(alignmentForCode(0));
        m_model->setItem(r, 0, label);
        m_model->setItem(r, 1, value);
    }
}

void SummaryView::AutoSizeSummaryGrid()
{
    const QFontMetricsF metrics(m_grid->font());
    // What the style keeps free around a cell's text, the grid line and a pixel for rounding: the margin in twips
    // alone could clip the text.
    const int padding = 2 * (m_grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_grid) + 1) + 2;
    // One running maximum over all columns, so that no column is narrower than one to its left.
    int widest = 0;
    int widestPixels = 0;
    int width = 0;
    for (int c = 0; c < m_model->columnCount(); ++c) {
        for (int r = 0; r < m_model->rowCount(); ++r) {
            const int pixels = int(std::ceil(metrics.horizontalAdvance(m_model->index(r, c).data().toString())));
            widestPixels = std::max(widestPixels, pixels);
            widest = std::max(widest, ui::twipsFromPixels(pixels));
        }
        m_grid->setColumnWidth(c, std::max(views::pixels(widest + kCellPadding), widestPixels + padding));
        width += m_grid->columnWidth(c);
    }
    const int rows = m_model->rowCount();
    const int rowHeight = m_grid->verticalHeader()->defaultSectionSize();
    const int frame = 2 * m_grid->frameWidth();
    m_grid->resize(std::max(width + views::pixels(kCellPadding), width + frame),
                   std::max(views::pixels(ui::twipsFromPixels(rowHeight) * rows + kMargin), rowHeight * rows + frame));
}

void SummaryView::PopulateGridChart()
{
    m_samples = engine::gridChart(m_data.loan);
    PopulateChart();
}

void SummaryView::PopulateChart()
{
    SummaryChart::Series balance {QStringLiteral("Balance"), {}};
    SummaryChart::Series interest {QStringLiteral("Interest Paid "), {}};
    for (const engine::ChartSample &sample : m_samples) {
        balance.points.emplace_back(double(sample.date), sample.endingBalance);
        interest.points.emplace_back(double(sample.date), sample.cumulativeInterest);
    }
    std::vector<SummaryChart::Series> series {balance, interest};
    // Only a loan with lump sums has their marks in the legend.
    const std::vector<engine::LumpSumMark> lumpSums = engine::chartLumpSums(m_data.loan);
    if (!lumpSums.empty()) {
        SummaryChart::Series marks {QStringLiteral("Lump Sums"), {}, SummaryChart::Series::Style::Marks};
        for (const engine::LumpSumMark &mark : lumpSums)
            marks.points.emplace_back(double(mark.date), mark.balance);
        series.push_back(std::move(marks));
    }
    m_chart->setFormat(m_format);
    m_chart->setHorizontalAxis(SummaryChart::HorizontalAxis::Years);
    m_chart->setSeries(series);
}

void SummaryView::PositionSummaryViewControls()
{
    m_grid->setGeometry(views::pixels(kMargin), views::pixels(kMargin), m_grid->width(),
                        m_grid->height() + views::pixels(60));
    QWidget *chart = m_chart->widget();
    chart->setGeometry(m_grid->x() + m_grid->width(), m_grid->y(), views::pixels(kChartWidth), m_grid->height());
    // The virtual area reaches the chart's far edges and a margin, so that scrolling shows all of it.
    const int margin = views::pixels(kMargin);
    m_container->setVirtualWidth((chart->x() + chart->width() + margin) * kContainerTwips);
    m_container->setVirtualHeight((chart->y() + chart->height() + margin) * kContainerTwips);
    Form_Resize();
}

void SummaryView::Form_Resize()
{
    ui::fitContainer(*this, *m_container, *m_frame);
    // The chart takes the room the frame has right of the table and below its top, never less than its own size,
    // which the container's virtual area holds.
    QWidget *chart = m_chart->widget();
    const int margin = views::pixels(kMargin);
    chart->resize(std::max(views::pixels(kChartWidth), m_frame->width() - chart->x() - margin),
                  std::max(m_grid->height(), m_frame->height() - chart->y() - margin));
}

void SummaryView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void SummaryView::setColumnAlignment(int column, int code)
{
    for (int r = 0; r < m_model->rowCount(); ++r) {
        if (QStandardItem *item = m_model->item(r, column))
            item->setTextAlignment(alignmentForCode(code));
    }
}

} // namespace views
