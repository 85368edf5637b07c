#include "PrintTestSupport.h"

#include "print/PageSurface.h"
#include "print/PageView.h"
#include "print/PdfOutput.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

using print::PageSurface;

namespace {

struct PaperCase
{
    int paperSize;
    int width, height; // twips
};

// Named by the list position in the test list.
void PrintTo(const PaperCase &c, std::ostream *os)
{
    *os << "paper size " << c.paperSize;
}

class PaperSizes : public testing::TestWithParam<PaperCase>
{
};

TEST_P(PaperSizes, FollowTheLabelsOfTheList)
{
    EXPECT_EQ(print::paperSizeTwips(GetParam().paperSize), QSize(GetParam().width, GetParam().height));
}

INSTANTIATE_TEST_SUITE_P(Table, PaperSizes,
                         testing::Values(PaperCase {1, 12240, 15840}, // Letter, 8 1/2 x 11 in.
                                         PaperCase {3, 10800, 15120}, // Executive, 7 1/2 x 10 1/2 in.
                                         PaperCase {5, 24480, 15840}, // Ledger, 17 x 11 in.
                                         PaperCase {9, 11906, 16838}, // A4, 210 x 297 mm
                                         PaperCase {11, 14173, 20069}, // B4, 250 x 354 mm
                                         PaperCase {13, 12189, 15591}, // Quarto, 215 x 275 mm
                                         PaperCase {0, 12240, 15840}, // outside the list: Letter
                                         PaperCase {14, 12240, 15840}));

TEST(PaperSizeNumber, FindsTheListRowOfThePrintingSystemsPaper)
{
    for (int number = 1; number <= print::kPaperSizeCount; ++number)
        EXPECT_EQ(print::paperSizeNumber(print::pageSizeFor(number)), number) << number;
    const struct
    {
        QPageSize::PageSizeId id;
        int number;
    } cases[] = {
        {QPageSize::Letter, 1},  {QPageSize::Legal, 2},
        {QPageSize::Tabloid, 4}, {QPageSize::Ledger, 5}, // 17 x 11 in., not Tabloid turned
        {QPageSize::A4, 9},      {QPageSize::B4, 11}, // 250 x 353 mm: within a millimetre
        {QPageSize::A6, 0},      {QPageSize::Envelope10, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(print::paperSizeNumber(QPageSize(c.id)), c.number) << QPageSize(c.id).name().toStdString();
}

TEST(PageSurface, SwapsTheSheetForLandscapeAndEnlargesThePageForScaling)
{
    PageSurface surface;
    surface.setPaperSize(1);
    surface.setMargins(720, 720, 360, 360);
    EXPECT_EQ(surface.pageWidth(), 12240);
    EXPECT_EQ(surface.pageHeight(), 15840);
    surface.setOrientation(PageSurface::Landscape);
    EXPECT_EQ(surface.pageWidth(), 15840);
    EXPECT_EQ(surface.pageHeight(), 12240);
    // At 50 % twice as much fits between the margins, which keep their size on the sheet.
    surface.setScaling(50, 50);
    EXPECT_EQ(surface.pageWidth(), 720 + 2 * (15840 - 720));
    EXPECT_EQ(surface.pageHeight(), 1440 + 2 * (12240 - 1440));
    EXPECT_EQ(surface.sheetTwips(), QSize(15840, 12240));
}

TEST(PageSurface, TurnsLineDensityIntoLineHeights)
{
    PageSurface surface;
    surface.setMargins(720, 720, 360, 360); // 14,400 twips between the margins of a letter sheet
    surface.setFontSize(8);
    const struct
    {
        int density, line;
    } cases[] = {{20, 720}, {80, 180}, {140, 102}};
    for (const auto &c : cases) {
        surface.setLineDensity(c.density);
        EXPECT_EQ(surface.lineHeight(), c.line) << c.density;
        // Even where an 8-point line would not fit, one line of text measures one line height.
        EXPECT_EQ(surface.measureText(QStringLiteral("$1,234.56"), 3000), c.line) << c.density;
        EXPECT_EQ(surface.measureText(QString(), 3000), c.line) << c.density;
    }
}

TEST(PageSurface, MeasuresWrappedTextInTheBoxWidth)
{
    PageSurface surface;
    surface.setMargins(720, 720, 360, 360);
    surface.setLineDensity(80);
    surface.setFontSize(8);
    const QString text = QStringLiteral("Cumulative Principal");
    EXPECT_EQ(surface.measureText(text, surface.textWidth(text) + 10), 180);
    const int narrow = surface.textWidth(QStringLiteral("Cumulative")) + 10;
    EXPECT_EQ(surface.measureText(text, narrow), 360);
    EXPECT_EQ(surface.measureText(QStringLiteral("one\r\ntwo\r\nthree"), narrow), 540);
}

// What follows a text goes below the height it reports: its box's, or what it measures in the box's width.
TEST(PageSurface, DrawnTextReportsTheHeightItTakes)
{
    PageSurface surface;
    surface.setMargins(720, 720, 360, 360);
    surface.setLineDensity(80);
    surface.setFontSize(8);
    const QString text = QStringLiteral("Cumulative Principal");
    const int narrow = surface.textWidth(QStringLiteral("Cumulative")) + 10;
    const struct
    {
        int width, height, taken;
    } cases[] = {{narrow, 500, 500}, {narrow, 0, 360}, {0, 0, 180}};
    for (const auto &c : cases)
        EXPECT_EQ(surface.drawText(text, QRect(720, 720, c.width, c.height)), c.taken) << c.width << " " << c.height;
    // Drawn in bold at twice the size, it takes the taller lines of that size.
    const print::TextStyle large {.size = 16, .bold = true};
    EXPECT_EQ(surface.drawText(text, QRect(720, 720, 0, 0), large), surface.measureText(text, 0, large));
    EXPECT_GT(surface.measureText(text, 0, large), 180);
}

TEST(PageSurface, CarriesHeadersAndFootersFromPageToPage)
{
    PageSurface surface;
    surface.setHeader(QStringLiteral("|Page 1|"));
    surface.setFooter(QStringLiteral("|loan.plr|"));
    surface.newPage();
    surface.setHeader(QStringLiteral("|Page 2|"));
    surface.newPage();
    surface.endDocument();
    EXPECT_EQ(surface.pageCount(), 3);
    EXPECT_EQ(surface.header(1), QStringLiteral("|Page 1|"));
    EXPECT_EQ(surface.header(3), QStringLiteral("|Page 2|"));
    EXPECT_EQ(surface.footer(3), QStringLiteral("|loan.plr|"));
    // A new document starts over.
    surface.beginDocument();
    EXPECT_EQ(surface.pageCount(), 1);
    EXPECT_EQ(surface.header(1), QString());
}

TEST(PageView, KeepsZoomAndPageWithinTheirRange)
{
    PageSurface surface;
    surface.newPage();
    surface.endDocument();
    print::PageView view(surface);
    view.setZoom(500);
    EXPECT_EQ(view.zoom(), 200);
    view.setZoom(5);
    EXPECT_EQ(view.zoom(), 20);
    view.setPage(9);
    EXPECT_EQ(view.page(), 2);
    view.setPage(0);
    EXPECT_EQ(view.page(), 1);
}

TEST(PageSurface, ScalesWhatIsDrawnAboutTheTopLeftMarginCorner)
{
    PageSurface surface;
    surface.setMargins(1440, 1440, 1440, 1440);
    surface.setScaling(50, 50);
    // A line 3,000 twips below and right of the margin corner lands halfway there on the sheet.
    surface.drawLine(QPoint(1440 + 3000, 1440 + 3000), QPoint(1440 + 6000, 1440 + 3000), Qt::black);
    surface.fillRect(QRect(1440, 1440, 1500, 1500), Qt::red);
    surface.endDocument();
    const QImage page = printtest::renderPage(surface, 1);
    EXPECT_TRUE(printtest::isDark(page, (1440 + 1500 + 750) / 15, (1440 + 1500) / 15));
    EXPECT_FALSE(printtest::isDark(page, (1440 + 3000 + 750) / 15, (1440 + 3000) / 15));
    EXPECT_EQ(page.pixelColor((1440 + 300) / 15, (1440 + 300) / 15), QColor(Qt::red));
    EXPECT_EQ(page.pixelColor((1440 + 900) / 15, (1440 + 900) / 15), QColor(Qt::white));
}

TEST(PageSurface, DrawsContentOnlyWhenThePageIsPainted)
{
    PageSurface surface;
    int painted = 0;
    surface.addContent([&](PageSurface &) { ++painted; });
    surface.newPage();
    surface.endDocument();
    EXPECT_EQ(painted, 0);
    printtest::renderPage(surface, 1);
    printtest::renderPage(surface, 2);
    EXPECT_EQ(painted, 1);
}

TEST(PdfOutput, WritesEveryPageAndReportsWhyAFileCannotBeWritten)
{
    PageSurface surface;
    surface.drawText(QStringLiteral("first"), QRect(1440, 1440, 0, 0));
    surface.newPage();
    surface.drawText(QStringLiteral("second"), QRect(1440, 1440, 0, 0));
    surface.endDocument();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("out.pdf"));
    QString error;
    ASSERT_TRUE(print::writePdf(surface, path, QStringLiteral("Loan"), &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_EQ(bytes.count("/Type /Page\n"), 2);

    // A folder where the file should be: nothing is written, the reason is given, the folder stays.
    EXPECT_FALSE(print::writePdf(surface, folder.path(), QString(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QDir(folder.path()).exists());
    EXPECT_FALSE(print::writePdf(surface, folder.filePath(QStringLiteral("missing/out.pdf")), QString(), &error));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("missing/out.pdf"))));
}

} // namespace
