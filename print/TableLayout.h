#pragma once

#include "Pagination.h"

#include "document/PrintOptions.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace print {

class PageSurface;
class PrintableTable;

// The header or footer line of a page for a choice of the page set-up's list: "|"-separated left, centre and right
// texts, empty for "(none)" and for a choice outside the list. A "|" inside the caption or the date would move the
// texts after it to the wrong place, so it is shown as a broken bar.
QString headerFooterText(int choice, int page, const QString &caption, const QString &date);

// What a table printout needs besides the table: the document's print options and the texts around the grid.
struct PrintJob
{
    std::shared_ptr<const PrintableTable> table;
    document::PrintOptions options;
    QString caption; // the document window's caption, the "File Name" of headers and footers
    QString date; // today, in the system's short date form
    QString title;
    QString comments;
    QFont font; // the grid's font and size
    int rowInterval = 0; // rows per shading band, 0 for none; shaded only when BlackAndWhite is 0
    QColor rowIntervalColor;
    // Drawn on the table's last page in the room left below it, down to the bottom margin (a chart under a table).
    std::function<void(PageSurface &, const QRect &)> below;
};

// Puts a table on pages: the title block, the heading (repeated when asked), rows of one measured height, grid lines,
// shading bands, headers and footers, and horizontal and vertical centring. The pages it builds keep only their
// row ranges; their cells are drawn from the table when a page is shown or printed, so the table must outlive them.
class TableLayout
{
public:
    using Progress = std::function<void(int done, int total)>;

    explicit TableLayout(PrintJob job);
    ~TableLayout();

    // Begins a document on the surface with the job's paper, margins, orientation, scaling, density and font, the
    // header and footer of page 1, and measures the heading, the first row and the title block.
    void setUp(PageSurface &surface);
    // The tallest heading and the tallest cell of the first row at their column widths, and the total width.
    void CalMaxHeadingHeight(PageSurface &surface);
    // Where the pages break, from the measurements of the last set-up.
    std::vector<PageSpan> pagination() const;
    // Sets the surface up and fills it with as many empty pages as the table will take, so that the count is known
    // before the pages are built.
    int countPages(PageSurface &surface);
    // Sets the surface up and builds every page; the document is complete afterwards. `progress` hears of the rows
    // laid out.
    void build(PageSurface &surface, const Progress &progress = {});

    int headingHeight() const { return m_headingHeight; }
    int rowHeight() const { return m_rowHeight; }
    int totalWidth() const { return m_totalWidth; }
    int titleHeight() const { return m_titleHeight; }
    // The width the title block wraps in.
    int titleWidth() const { return m_titleWidth; }
    // The page height less the margins and the header and footer edges; the page width less the margins.
    int usableHeight() const { return m_usableHeight; }
    int usableWidth() const { return m_usableWidth; }
    const PrintJob &job() const { return m_job; }
    // Where the pages start the grid, and how many of the table's columns fit on them (known after a set-up).
    int gridLeft() const { return m_gridLeft; }
    int printedColumns() const { return m_printedColumns; }
    // The top of a page's title block or grid: below the top margin and the header edge, and centred when asked.
    int pageTop(const PageSpan &span) const;

private:
    struct Grid;

    // Which columns fit between the margins, and where the grid starts.
    void fitColumns(const PageSurface &surface);
    void measureTitle(PageSurface &surface);

    PrintJob m_job;
    int m_headingHeight = 0;
    int m_rowHeight = 0;
    int m_totalWidth = 0;
    int m_titleHeight = 0;
    int m_titleTextHeight = 0; // of the title alone, as much of it as page 1 has room for
    int m_titleWidth = 0;
    int m_usableHeight = 0;
    int m_usableWidth = 0;
    int m_contentTop = 0;
    int m_gridLeft = 0;
    int m_printedColumns = 0;
    std::vector<int> m_printedWidths;
    int m_printedTotal = 0;
};

// Margins and edges of the print options in whole twips; a value that is no length, or is negative, counts as 0.
int inchesToTwips(float inches);

} // namespace print
