#include "SummaryView.h"

#include "ScheduleGrid.h"
#include "ScheduleModel.h"
#include "SummaryChart.h"

#include "document/DocumentFile.h"
#include "engine/NumberFormat.h"
#include "travina/CTravinaCtrl.h"
#include "ui/ScrollingContainer.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QFocusFrame>
#include <QHeaderView>
#include <QPainter>
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

// A frame in the highlight colour around the table or the chart while it has the focus: neither draws one of its own.
class FocusMark : public QFocusFrame
{
public:
    using QFocusFrame::QFocusFrame;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QPen pen(palette().color(QPalette::Highlight), 2);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

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
    m_container->setAccessibleName(tr("Summary"));
    m_frame->setAccessibleName(tr("Summary"));
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

    // Both parts are reached with Tab, in reading order, and leave with it.
    m_grid->setAccessibleName(tr("Loan summary"));
    m_grid->setAccessibleDescription(tr("The loan's key figures, one to a row."));
    m_grid->setTabKeyNavigation(false);
    m_grid->setFocusPolicy(Qt::StrongFocus);
    QWidget *chart = m_chart->widget();
    chart->setAccessibleName(tr("Balance and interest chart"));
    // The chart draws on a viewport of its own, which takes the focus for it.
    if (auto *area = qobject_cast<QAbstractScrollArea *>(chart))
        area->viewport()->setAccessibleName(chart->accessibleName());
    chart->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(m_grid, chart);
    m_focusMark = new FocusMark(m_frame);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        const bool ours = now && (now == m_grid || now == m_chart->widget());
        m_focusMark->setWidget(ours ? now : nullptr);
    });
}

SummaryView::~SummaryView() = default;

void SummaryView::PopulateGridSummary()
{
    engine::SummaryOptions options;
    if (m_today)
        options.today = m_today();
    const auto rows = engine::summaryRows(m_data.loan, m_format, options);
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
    m_chart->widget()->setAccessibleDescription(chartDescription());
}

QString SummaryView::chartDescription() const
{
    if (m_samples.empty())
        return tr("The balance and the interest paid over the loan: no payments yet.");
    const engine::ChartSample &first = m_samples.front();
    const engine::ChartSample &last = m_samples.back();
    auto money = [this](double value) { return QString::fromStdString(m_format.currency(value)); };
    auto date = [this](engine::Date day) { return QString::fromStdString(m_format.formatDate(day)); };
    return tr("The balance and the interest paid over the loan. The balance goes from %1 on %2 to %3 on %4; the "
              "interest paid reaches %5.")
        .arg(money(first.endingBalance), date(first.date), money(last.endingBalance), date(last.date),
             money(last.cumulativeInterest));
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
