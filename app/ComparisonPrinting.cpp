#include "ComparisonPrinting.h"

#include "document/PrintOptions.h"
#include "engine/LoanComparison.h"
#include "print/PageSetupRules.h"
#include "print/PageSurface.h"
#include "print/PdfOutput.h"
#include "print/PrintableTable.h"
#include "views/LoanComparisonModel.h"

#include <QDate>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <memory>

namespace app {

namespace {

constexpr double kFontPoints = 10;
constexpr int kRowsPerPage = 40; // lines of the page's height: room for 10-point text on any paper but the smallest
constexpr int kLeastChartHeight = 3 * print::kTwipsPerInch;
constexpr int kLongestHeading = 2 * print::kTwipsPerInch; // a longer title takes two lines
constexpr int kCellRoom = 150; // the cell's padding on both sides, and some air
const QString kCaption = QStringLiteral("Loan Comparison");

// The printed table keeps the model it shows: the pages are painted long after they are laid out.
struct OwnedModel
{
    std::unique_ptr<views::LoanComparisonModel> model;
};

class ComparisonTable final : private OwnedModel, public print::ModelTable
{
public:
    ComparisonTable(std::unique_ptr<views::LoanComparisonModel> shown, std::vector<int> widths)
        : OwnedModel {std::move(shown)}
        , ModelTable(*model, std::move(widths))
    { }
};

QFont printFont()
{
    QFont font;
    font.setPointSizeF(kFontPoints);
    return font;
}

// Each column as wide as its widest text; a title is wrapped rather than widen its column past two inches.
std::vector<int> columnWidths(const QAbstractItemModel &model, const QFont &font)
{
    print::PageSurface surface;
    surface.beginDocument();
    surface.setFont(font);
    surface.setLineDensity(kRowsPerPage);
    std::vector<int> widths;
    for (int c = 0; c < model.columnCount(); ++c) {
        int width = 0;
        const print::TextStyle cell {.bold = c == 0};
        for (int r = 0; r < model.rowCount(); ++r)
            width = std::max(width, surface.textWidth(model.index(r, c).data().toString(), cell));
        const int heading = surface.textWidth(model.headerData(c, Qt::Horizontal).toString(), {.bold = true});
        widths.push_back(std::max(width, std::min(heading, kLongestHeading)) + kCellRoom);
    }
    return widths;
}

// The table, one page, and a chart's room under it.
bool fitsOnePage(const print::PrintJob &job)
{
    print::TableLayout layout(job);
    print::PageSurface surface;
    layout.setUp(surface);
    const std::vector<print::PageSpan> pages = layout.pagination();
    return pages.size() == 1 && layout.totalWidth() < layout.usableWidth()
        && pages.front().usedHeight + kLeastChartHeight <= layout.usableHeight();
}

} // namespace

std::vector<views::SummaryChart::Series> balanceSeries(const engine::LoanComparison &comparison)
{
    std::vector<views::SummaryChart::Series> lines;
    for (std::size_t i = 0; i < comparison.balances.size() && i < comparison.titles.size(); ++i) {
        views::SummaryChart::Series line {QString::fromStdString(comparison.titles[i]), {}};
        for (const engine::BalancePoint &point : comparison.balances[i])
            line.points.emplace_back(point.date, point.balance);
        lines.push_back(std::move(line));
    }
    return lines;
}

print::PrintJob comparisonPrintJob(const engine::LoanComparison &comparison, const engine::NumberFormat &format,
                                   const document::PrintOptions &paper, const QString &date)
{
    auto model = std::make_unique<views::LoanComparisonModel>();
    model->setComparison(comparison, format);
    const QFont font = printFont();
    std::vector<int> widths = columnWidths(*model, font);

    print::PrintJob job;
    job.table = std::make_shared<ComparisonTable>(std::move(model), std::move(widths));
    job.caption = kCaption;
    job.date = date;
    job.title = kCaption;
    job.font = font;
    // The paper and margins the user chose; the rest is this page's own.
    document::PrintOptions &options = job.options;
    options.PageSize = paper.PageSize;
    options.MarginTop = paper.MarginTop;
    options.MarginBottom = paper.MarginBottom;
    options.MarginLeft = paper.MarginLeft;
    options.MarginRight = paper.MarginRight;
    options.TitleComments = 1;
    options.CenterHorizontally = 1;
    options.BlackAndWhite = 0; // a loan that fares worse prints in red
    options.HeaderListIndex = 0;
    options.FooterListIndex = 3; // the date
    options.FooterEdge = std::max(paper.FooterEdge, 0.25f);
    options.RowsPerPage = kRowsPerPage;

    const std::vector<views::SummaryChart::Series> lines = balanceSeries(comparison);
    // A point smaller than the table: four titles share the legend's line.
    QFont chartFont = font;
    chartFont.setPointSizeF(kFontPoints - 1);
    job.below = [lines, format, font = chartFont](print::PageSurface &surface, const QRect &room) {
        // Less than an inch would show axes without lines.
        if (room.height() < print::kTwipsPerInch)
            return;
        surface.addContent([lines, format, font, room](print::PageSurface &page) {
            if (QPainter *painter = page.painter())
                views::paintChart(*painter, room, font, format, views::SummaryChart::HorizontalAxis::Dates, lines);
        });
    };

    for (bool portrait : {true, false}) {
        options.Orientation = portrait;
        if (fitsOnePage(job))
            return job;
    }
    // Too wide even across the sheet: smaller, until it fits.
    while (options.Scaling > 10 && !fitsOnePage(job))
        options.Scaling -= 5;
    return job;
}

bool writeComparisonPdf(const engine::LoanComparison &comparison, const engine::NumberFormat &format,
                        const document::PrintOptions &paper, const QString &output, QString *error)
{
    const QString today = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    const print::PrintJob job = comparisonPrintJob(comparison, format, paper, today);
    if (!print::marginsFit(job)) {
        if (error)
            *error = QString::fromLatin1(print::kMarginsTooBigMessage);
        return false;
    }
    print::TableLayout layout(job);
    print::PageSurface surface;
    layout.build(surface);
    return print::writePdf(surface, output, kCaption, error);
}

} // namespace app
