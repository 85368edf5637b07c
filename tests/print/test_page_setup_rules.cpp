#include "print/PageSetupRules.h"

#include "document/PrintOptions.h"
#include "engine/NumberFormat.h"
#include "support/EuroFormat.h"

#include <QFont>

#include <gtest/gtest.h>

namespace {

TEST(PageSetupRules, StoreWhatTheFieldsHoldAndDefaultsForWhatIsNoNumber)
{
    const engine::NumberFormat dot;
    const engine::NumberFormat comma = testsupport::euroFormat();
    const struct
    {
        const engine::NumberFormat &format;
        const char *text;
        float margin;
        int scaling;
    } cases[] = {
        {dot, "0.75", 0.75f, 10},   {dot, " 1.5 ", 1.5f, 10},
        {dot, "85", 85.0f, 85},     {dot, "12.6", 12.6f, 13},
        {dot, "abc", 0.0f, 10},     {dot, "", 0.0f, 10},
        {dot, "400", 400.0f, 400},  {dot, "99999", 99999.0f, 400},
        {dot, "-0.5", 0.0f, 10}, // a negative margin is none; the smallest scaling is 10 percent
        {dot, "0,75", 0.0f, 10}, // a decimal comma is no number here
        {comma, "0,75", 0.75f, 10}, {comma, "1.250", 1250.0f, 400}, // grouped
        {comma, "0.75", 0.0f, 10}, // never read as 75 or as 0.75
        {comma, "1.5", 0.0f, 10},
    };
    for (const auto &c : cases) {
        EXPECT_FLOAT_EQ(print::marginFromText(QString::fromLatin1(c.text), c.format), c.margin) << c.text;
        EXPECT_EQ(print::scalingFromText(QString::fromLatin1(c.text), c.format), c.scaling) << c.text;
    }
    // Shown as typed in the locale, and read back the same.
    EXPECT_EQ(print::marginText(0.3f, dot), QStringLiteral("0.3"));
    EXPECT_EQ(print::marginText(0.3f, comma), QStringLiteral("0,3"));
    EXPECT_EQ(print::marginText(99999.0f, comma), QStringLiteral("99999"));
    EXPECT_FLOAT_EQ(print::marginFromText(print::marginText(0.3f, comma), comma), 0.3f);
}

TEST(PageSetupRules, MapTheDensitySliderToRowsPerPage)
{
    const struct
    {
        int position, rows;
    } cases[] = {{0, 140}, {3, 80}, {6, 20}};
    for (const auto &c : cases) {
        EXPECT_EQ(print::rowsPerPageAt(c.position), c.rows);
        EXPECT_EQ(print::sliderPositionFor(c.rows), c.position);
    }
    EXPECT_EQ(print::sliderPositionFor(75), 3); // a density read from a file lands on the nearest position
}

TEST(PageSetupRules, SampleTheHeaderChoiceInItsCells)
{
    using Cells = std::array<QString, 3>;
    const QString date = QStringLiteral("12/8/2026");
    EXPECT_EQ(print::headerFooterSample(0, date), (Cells {}));
    EXPECT_EQ(print::headerFooterSample(1, date), (Cells {QString(), QStringLiteral("Page 1"), QString()}));
    EXPECT_EQ(print::headerFooterSample(4, date),
              (Cells {QString(), QStringLiteral("File Name"), QStringLiteral("Page 1")}));
    EXPECT_EQ(print::headerFooterSample(7, date), (Cells {QString(), date, QStringLiteral("Page 1")}));
}

TEST(PageSetupRules, PassMarginsAndEdgesThatLeaveThreeLinesAndTheFirstColumn)
{
    // Letter: 15,840 twips high and 12,240 wide. Four-point text needs 94 twips a line, so three lines need 282.
    const QFont font(QStringLiteral("DejaVu Sans"), 8);
    const struct
    {
        float top, bottom, left, right;
        bool portrait;
        float headerEdge, footerEdge;
        bool fits;
    } cases[] = {
        {0.5f, 0.5f, 0.25f, 0.25f, true, 0, 0, true}, // the defaults
        {5.25f, 5.25f, 0.25f, 0.25f, true, 0, 0, true}, // 720 twips high
        {5.45f, 5.45f, 0.25f, 0.25f, true, 0, 0, false}, // 144 twips high
        {0.5f, 0.5f, 4.0f, 4.0f, true, 0, 0, true}, // 720 twips wide for a column of 600
        {0.5f, 0.5f, 4.1f, 4.1f, true, 0, 0, false}, // 432 twips wide
        {0.5f, 0.5f, 4.5f, 4.5f, false, 0, 0, true}, // landscape: 2,880 twips wide
        {0.5f, 0.5f, 0.25f, 0.25f, true, 6.0f, 3.5f, true}, // 360 twips between the edges
        {0.5f, 0.5f, 0.25f, 0.25f, true, 6.0f, 3.9f, false}, // 144 twips
        {0.5f, 0.5f, 0.25f, 0.25f, true, 6.0f, 5.0f, false}, // the edges pass each other
    };
    for (const auto &c : cases) {
        document::PrintOptions working;
        working.MarginTop = c.top;
        working.MarginBottom = c.bottom;
        working.MarginLeft = c.left;
        working.MarginRight = c.right;
        working.Orientation = c.portrait;
        working.HeaderEdge = c.headerEdge;
        working.FooterEdge = c.footerEdge;
        EXPECT_EQ(print::marginsFit(working, 80, font, QStringLiteral("0"), 600), c.fits)
            << c.top << " " << c.left << (c.portrait ? " portrait" : " landscape") << " edges " << c.headerEdge << " "
            << c.footerEdge;
    }
}

} // namespace
