#include "ScenarioPrintout.h"

#include "print/PageSurface.h"

#include <algorithm>

namespace scenario {

namespace {

constexpr int kMargin = 720; // half an inch all round
constexpr int kLinesPerPage = 80;
constexpr int kLetter = 1;
// Below the title, before the window's texts.
constexpr int kTitleGap = 240;
// What a field or a cell keeps free inside its frame on the screen.
constexpr int kPadding = 60;
const QColor kFrameColor(160, 160, 160);

void drawFrame(print::PageSurface &surface, const QRect &box)
{
    const QPoint corners[] = {box.topLeft(), QPoint(box.x() + box.width(), box.y()),
                              QPoint(box.x() + box.width(), box.y() + box.height()),
                              QPoint(box.x(), box.y() + box.height())};
    for (int i = 0; i < 4; ++i)
        surface.drawLine(corners[i], corners[(i + 1) % 4], kFrameColor);
}

void drawText(print::PageSurface &surface, const QString &text, const QRect &box, const QFont &font,
              Qt::Alignment alignment, int padding)
{
    // Texts keep their line; the height of their box centres them as the screen does.
    const print::TextStyle style {.size = font.pointSizeF(),
                                  .bold = font.bold(),
                                  .alignment = (alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter,
                                  .padding = padding};
    surface.drawText(text, box, style);
}

} // namespace

void buildScenarioPages(const ScenarioLayout &layout, const engine::ScenarioTable &table, print::PageSurface &surface)
{
    QList<PrintedText> texts = layout.texts;
    for (int row = 0; row < engine::kScenarioRows; ++row) {
        for (int column = 0; column < engine::kScenarioColumns; ++column)
            texts << PrintedText {QString::fromStdString(table[size_t(row)][size_t(column)]),
                                  layout.cells[size_t(row)][size_t(column)]};
    }
    QRect block;
    for (const PrintedText &item : texts)
        block = block.united(item.place.box);

    surface.setFont(layout.font);
    // The document's own size only sets what a line holds: small enough that the density never shrinks the texts,
    // which each take the size they have on the screen.
    surface.setFontSize(6);
    surface.setLineDensity(kLinesPerPage);
    surface.setMargins(kMargin, kMargin, kMargin, kMargin);
    surface.setPaperSize(kLetter);
    surface.setOrientation(print::PageSurface::Portrait);
    // The window is wider than a Letter page's text: the whole of it comes on the page a little smaller.
    const int room = surface.sheetTwips().width() - 2 * kMargin;
    const int scale = block.width() > room ? std::max(10, room * 100 / block.width()) : 100;
    surface.setScaling(scale, scale);
    surface.beginDocument();

    // Page coordinates run from the sheet's corner; the margins' box is where the content goes.
    const int width = surface.pageWidth() - surface.marginLeft() - surface.marginRight();
    const int blockWidth = block.width();
    const int left = surface.marginLeft() + std::max(0, (width - blockWidth) / 2);
    drawText(surface, QStringLiteral("Scenario"), QRect(left, surface.marginTop(), blockWidth, layout.titleHeight),
             layout.titleFont, Qt::AlignHCenter, 0);
    const int top = surface.marginTop() + layout.titleHeight + kTitleGap;
    for (const PrintedText &item : texts) {
        const TextPlace &place = item.place;
        const QRect box = place.box.translated(left - block.left(), top - block.top());
        if (place.framed)
            drawFrame(surface, box);
        drawText(surface, item.text, box, place.font, place.alignment, place.framed ? kPadding : 0);
    }
    surface.endDocument();
}

} // namespace scenario
