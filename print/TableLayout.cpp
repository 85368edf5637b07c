#include "TableLayout.h"

#include "PageSurface.h"
#include "PrintableTable.h"

#include <algorithm>
#include <cmath>

namespace print {

namespace {

constexpr int kCellPadding = 45; // three pixels at 96 dpi, inside each side of a cell
constexpr int kTitleBoxWidth = 8640; // six inches, or what the paper has room for
constexpr double kTitleGrowth = 4; // points the title is larger than the grid's text
// More title or comment than a page can show is not laid out: measuring it would only take time.
constexpr qsizetype kLongestBlockText = 20000;

bool shown(const QString &text)
{
    return !text.isEmpty() && text != QLatin1String(" ");
}

QString slotText(QString text)
{
    return text.replace(QLatin1Char('|'), QChar(0x00A6));
}

} // namespace

int inchesToTwips(float inches)
{
    if (!std::isfinite(inches) || inches <= 0)
        return 0;
    // Nothing is longer than the longest paper; larger values only have to stay within an int.
    return int(std::lround(std::min(double(inches), 1000.0) * kTwipsPerInch));
}

QString headerFooterText(int choice, int page, const QString &caption, const QString &date)
{
    const QString number = QStringLiteral("Page %1").arg(page);
    const QString name = slotText(caption);
    const QString day = slotText(date);
    switch (choice) {
    case 1:
        return QLatin1Char('|') + number + QLatin1Char('|');
    case 2:
        return QLatin1Char('|') + name + QLatin1Char('|');
    case 3:
        return QLatin1Char('|') + day + QLatin1Char('|');
    case 4:
        return QLatin1Char('|') + name + QLatin1Char('|') + number + QLatin1Char('|');
    case 5:
        return QLatin1Char('|') + number + QLatin1Char('|') + name;
    case 6:
        return QLatin1Char('|') + number + QLatin1Char('|') + day;
    case 7:
        return QLatin1Char('|') + day + QLatin1Char('|') + number;
    default:
        return {};
    }
}

// What the content of every page needs, shared by all of them.
struct TableLayout::Grid
{
    std::shared_ptr<const PrintableTable> table;
    std::vector<int> widths; // of the columns that are printed
    int left = 0;
    int totalWidth = 0;
    int headingHeight = 0;
    int rowHeight = 0;
    QColor lineColor;
    int bandInterval = 0; // 0: no shading
    QColor bandColor;
    bool colors = false; // the table's own text colours
    QString title, comments;
    double titleSize = 0;
    int titleWidth = 0;
    int titleHeight = 0;
    int titleTextHeight = 0;

    void drawTitle(PageSurface &surface, int top) const;
    void drawPage(PageSurface &surface, const PageSpan &span, int top) const;
};

void TableLayout::Grid::drawTitle(PageSurface &surface, int top) const
{
    const TextStyle commentStyle {.alignment = Qt::AlignLeft | Qt::AlignTop};
    int y = top;
    if (shown(title) && titleTextHeight > 0) {
        TextStyle titleStyle = commentStyle;
        titleStyle.size = titleSize;
        titleStyle.bold = true;
        y += surface.drawText(title, QRect(left, y, titleWidth, titleTextHeight), titleStyle);
    }
    if (shown(comments))
        surface.drawText(comments, QRect(left, y, titleWidth, 0), commentStyle);
}

void TableLayout::Grid::drawPage(PageSurface &surface, const PageSpan &span, int top) const
{
    const int columns = int(widths.size());
    int y = top;
    if (span.title) {
        drawTitle(surface, y);
        y += titleHeight;
    }
    const int gridTop = y;
    if (span.heading) {
        const TextStyle heading {.bold = true, .alignment = Qt::AlignCenter, .padding = kCellPadding};
        int x = left;
        for (int c = 0; c < columns; ++c) {
            // A text box of no width would not hold its text: the column's texts would run over the next one.
            if (widths[size_t(c)] > 0)
                surface.drawText(table->heading(c), QRect(x, y, widths[size_t(c)], headingHeight), heading);
            x += widths[size_t(c)];
        }
        y += headingHeight;
    }
    TextStyle cell {.padding = kCellPadding, .overflow = TextOverflow::Mark};
    for (int r = span.firstRow; r < span.firstRow + span.rows; ++r) {
        if (bandInterval > 0 && (r / bandInterval) % 2 == 1)
            surface.fillRect(QRect(left, y, totalWidth, rowHeight), bandColor);
        int x = left;
        for (int c = 0; c < columns; ++c) {
            if (widths[size_t(c)] > 0) {
                const QColor color = colors ? table->textColor(r, c) : QColor();
                cell.color = color.isValid() ? color : QColor(Qt::black);
                cell.alignment = table->alignment(r, c);
                surface.drawText(table->text(r, c), QRect(x, y, widths[size_t(c)], rowHeight), cell);
            }
            x += widths[size_t(c)];
        }
        y += rowHeight;
    }
    if (y == gridTop || columns == 0)
        return;
    // Cell borders: one line along each row boundary and one down each column boundary.
    surface.drawLine(QPoint(left, gridTop), QPoint(left + totalWidth, gridTop), lineColor);
    const int rowsTop = span.heading ? gridTop + headingHeight : gridTop;
    if (span.heading)
        surface.drawLine(QPoint(left, rowsTop), QPoint(left + totalWidth, rowsTop), lineColor);
    for (int k = 1; k <= span.rows; ++k)
        surface.drawLine(QPoint(left, rowsTop + k * rowHeight), QPoint(left + totalWidth, rowsTop + k * rowHeight),
                         lineColor);
    int x = left;
    surface.drawLine(QPoint(x, gridTop), QPoint(x, y), lineColor);
    for (int c = 0; c < columns; ++c) {
        x += widths[size_t(c)];
        surface.drawLine(QPoint(x, gridTop), QPoint(x, y), lineColor);
    }
}

TableLayout::TableLayout(PrintJob job)
    : m_job(std::move(job))
{
    for (QString *text : {&m_job.title, &m_job.comments}) {
        if (text->size() > kLongestBlockText)
            text->truncate(kLongestBlockText);
    }
}

TableLayout::~TableLayout() = default;

void TableLayout::setUp(PageSurface &surface)
{
    const document::PrintOptions &options = m_job.options;
    surface.beginDocument();
    surface.setFont(m_job.font);
    surface.setLineDensity(std::clamp(options.RowsPerPage, 20, 140));
    const int top = inchesToTwips(options.MarginTop);
    const int bottom = inchesToTwips(options.MarginBottom);
    const int left = inchesToTwips(options.MarginLeft);
    const int right = inchesToTwips(options.MarginRight);
    surface.setMargins(top, bottom, left, right);
    surface.setPaperSize(options.PageSize);
    surface.setOrientation(options.Orientation ? PageSurface::Portrait : PageSurface::Landscape);
    surface.setScaling(options.Scaling, options.Scaling);
    const int headerEdge = inchesToTwips(options.HeaderEdge);
    const int footerEdge = inchesToTwips(options.FooterEdge);
    surface.setHeaderFooterEdges(headerEdge, footerEdge);
    surface.setHeader(headerFooterText(options.HeaderListIndex, 1, m_job.caption, m_job.date));
    surface.setFooter(headerFooterText(options.FooterListIndex, 1, m_job.caption, m_job.date));
    CalMaxHeadingHeight(surface);
    const long long usable = static_cast<long long>(surface.pageHeight()) - top - bottom - headerEdge - footerEdge;
    m_usableHeight = int(std::clamp<long long>(usable, INT32_MIN / 2, INT32_MAX / 2));
    m_usableWidth = surface.pageWidth() - left - right;
    m_contentTop = top + headerEdge;
    fitColumns(surface);
    measureTitle(surface);
}

void TableLayout::fitColumns(const PageSurface &surface)
{
    m_printedWidths.clear();
    const int columns = m_job.table ? m_job.table->columnCount() : 0;
    m_printedTotal = 0;
    for (int c = 0; c < columns; ++c) {
        m_printedWidths.push_back(std::max(m_job.table->columnWidth(c), 0));
        m_printedTotal += m_printedWidths.back();
    }
    // A grid wider than the page loses its last columns until it fits: a column cut at the paper's edge would show
    // its texts only in part. Centred, the grid has to be narrower than the page; otherwise it may fill it.
    const bool centred = m_job.options.CenterHorizontally == 1;
    while (!m_printedWidths.empty() && (centred ? m_printedTotal >= m_usableWidth : m_printedTotal > m_usableWidth)) {
        m_printedTotal -= m_printedWidths.back();
        m_printedWidths.pop_back();
    }
    m_gridLeft = surface.marginLeft();
    if (centred)
        m_gridLeft += std::max(m_usableWidth - m_printedTotal, 0) / 2;
    m_printedColumns = int(m_printedWidths.size());
}

void TableLayout::CalMaxHeadingHeight(PageSurface &surface)
{
    const PrintableTable *table = m_job.table.get();
    const int columns = table ? table->columnCount() : 0;
    const TextStyle heading {.bold = true, .padding = kCellPadding};
    m_totalWidth = 0;
    m_headingHeight = 0;
    for (int c = 0; c < columns; ++c) {
        m_totalWidth += table->columnWidth(c);
        m_headingHeight =
            std::max(m_headingHeight, surface.measureText(table->heading(c), table->columnWidth(c), heading));
    }
    m_rowHeight = surface.lineHeight();
    if (table && table->rowCount() > 0) {
        const TextStyle cell {.padding = kCellPadding};
        for (int c = 0; c < columns; ++c)
            m_rowHeight = std::max(m_rowHeight, surface.measureText(table->text(0, c), table->columnWidth(c), cell));
    }
}

void TableLayout::measureTitle(PageSurface &surface)
{
    m_titleHeight = 0;
    m_titleTextHeight = 0;
    // The block starts where the grid does; on paper narrower than its six inches it wraps at the right margin
    // rather than running off the sheet.
    m_titleWidth = std::clamp(surface.marginLeft() + m_usableWidth - m_gridLeft, 0, kTitleBoxWidth);
    if (m_job.options.TitleComments != 1 || (!shown(m_job.title) && !shown(m_job.comments)))
        return;
    const int gap = surface.lineHeight() / 2;
    if (shown(m_job.title)) {
        const TextStyle title {.size = surface.fontSize() + kTitleGrowth, .bold = true};
        // The title keeps the whole lines that leave page 1 room for the heading and a first row.
        const int line = surface.measureText(QStringLiteral(" "), m_titleWidth, title);
        const int room = std::max(m_usableHeight - m_headingHeight - m_rowHeight - gap, 0);
        m_titleTextHeight =
            std::min(surface.measureText(m_job.title, m_titleWidth, title), room / std::max(line, 1) * line);
        m_titleHeight += m_titleTextHeight;
    }
    if (shown(m_job.comments))
        m_titleHeight += surface.measureText(m_job.comments, m_titleWidth);
    if (m_titleHeight == 0)
        return;
    m_titleHeight += gap;
}

std::vector<PageSpan> TableLayout::pagination() const
{
    const int rows = m_job.table ? m_job.table->rowCount() : 0;
    return paginate(
        {m_usableHeight, m_headingHeight, m_titleHeight, m_rowHeight, rows, m_job.options.RepeatHeading == 1});
}

int TableLayout::pageTop(const PageSpan &span) const
{
    // Centred vertically, each page is centred on what it holds: full pages stay where they are, the last one moves
    // down by half of what it leaves free. A page before the last is full even when a row's height is left over,
    // since the next row did not fit: moved by that rest, the grid would stand a little lower on some pages.
    if (m_job.options.CenterVertically != 1)
        return m_contentTop;
    const int rows = m_job.table ? m_job.table->rowCount() : 0;
    if (span.firstRow + span.rows < rows)
        return m_contentTop;
    return m_contentTop + std::max(m_usableHeight - span.usedHeight, 0) / 2;
}

int TableLayout::countPages(PageSurface &surface)
{
    setUp(surface);
    const int pages = int(pagination().size());
    for (int page = 2; page <= pages; ++page)
        surface.newPage();
    surface.endDocument();
    return pages;
}

void TableLayout::build(PageSurface &surface, const Progress &progress)
{
    setUp(surface);
    const document::PrintOptions &options = m_job.options;
    auto grid = std::make_shared<Grid>();
    grid->table = m_job.table;
    grid->widths = m_printedWidths;
    grid->totalWidth = m_printedTotal;
    grid->left = m_gridLeft;
    grid->headingHeight = m_headingHeight;
    grid->rowHeight = m_rowHeight;
    grid->lineColor = options.GridLines == 1 ? QColor(Qt::black) : QColor(Qt::white);
    if (options.BlackAndWhite == 0) {
        grid->bandInterval = std::max(m_job.rowInterval, 0);
        grid->bandColor = m_job.rowIntervalColor;
        grid->colors = true;
    }
    if (m_titleHeight > 0) {
        grid->title = m_job.title;
        grid->comments = m_job.comments;
        grid->titleSize = surface.fontSize() + kTitleGrowth;
        grid->titleWidth = m_titleWidth;
        grid->titleHeight = m_titleHeight;
        grid->titleTextHeight = m_titleTextHeight;
    }

    const std::vector<PageSpan> spans = pagination();
    const int rows = m_job.table ? m_job.table->rowCount() : 0;
    for (size_t i = 0; i < spans.size(); ++i) {
        const PageSpan &span = spans[i];
        if (i > 0) {
            surface.newPage();
            surface.setHeader(headerFooterText(options.HeaderListIndex, int(i) + 1, m_job.caption, m_job.date));
            surface.setFooter(headerFooterText(options.FooterListIndex, int(i) + 1, m_job.caption, m_job.date));
        }
        const int top = pageTop(span);
        std::shared_ptr<const Grid> shared = grid;
        surface.addContent([shared, span, top](PageSurface &s) { shared->drawPage(s, span, top); });
        if (progress)
            progress(span.firstRow + span.rows, rows);
    }
    if (m_job.below && !spans.empty()) {
        const int top = pageTop(spans.back()) + spans.back().usedHeight + surface.lineHeight();
        const int bottom = m_contentTop + m_usableHeight;
        m_job.below(surface, QRect(surface.marginLeft(), top, m_usableWidth, std::max(bottom - top, 0)));
    }
    surface.endDocument();
}

} // namespace print
