#include "ScenarioPrintout.h"

#include "frmScenario.h"

#include "print/PageSurface.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

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

QRect twips(const QWidget *widget, const QWidget *contents)
{
    const QPoint at = widget->mapTo(contents, QPoint(0, 0));
    return {ui::twipsFromPixels(at.x()), ui::twipsFromPixels(at.y()), ui::twipsFromPixels(widget->width()),
            ui::twipsFromPixels(widget->height())};
}

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
    surface.setCurrentX(box.x());
    surface.setCurrentY(box.y());
    surface.setTextBoxWidth(box.width());
    surface.setTextBoxHeight(box.height());
    surface.setTextPadding(padding);
    // Texts keep their line; the height of their box centres them as the screen does.
    surface.setTextAlignment((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
    surface.setTextFontSize(font.pointSizeF());
    surface.setBold(font.bold());
    surface.drawText(text);
}

} // namespace

QList<PrintedText> printedTexts(const frmScenario &window)
{
    QList<PrintedText> texts;
    const QWidget *contents = window.fraContainer();
    for (const QWidget *widget : contents->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(contents))
            continue;
        PrintedText item;
        if (const auto *label = qobject_cast<const QLabel *>(widget)) {
            item.text = label->text();
            item.alignment = label->alignment();
            item.framed = label->frameShape() != QFrame::NoFrame;
        } else if (const auto *field = qobject_cast<const QLineEdit *>(widget)) {
            item.text = field->text();
            item.alignment = field->alignment();
            item.framed = true;
        } else if (const auto *list = qobject_cast<const QComboBox *>(widget)) {
            item.text = list->currentText();
            item.alignment = Qt::AlignLeft;
            item.framed = true;
        } else {
            continue;
        }
        item.box = twips(widget, contents);
        item.font = widget->font();
        texts << item;
    }
    return texts;
}

void buildScenarioPages(const frmScenario &window, print::PageSurface &surface)
{
    const QList<PrintedText> texts = printedTexts(window);
    QRect block;
    for (const PrintedText &item : texts)
        block = block.united(item.box);
    const QFont titleFont = window.lblTitle()->font();

    surface.setFont(window.font());
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
    const int titleHeight = ui::twipsFromPixels(window.lblTitle()->height());
    drawText(surface, QStringLiteral("Scenario"), QRect(left, surface.marginTop(), blockWidth, titleHeight), titleFont,
             Qt::AlignHCenter, 0);
    const int top = surface.marginTop() + titleHeight + kTitleGap;
    for (const PrintedText &item : texts) {
        const QRect box = item.box.translated(left - block.left(), top - block.top());
        if (item.framed)
            drawFrame(surface, box);
        drawText(surface, item.text, box, item.font, item.alignment, item.framed ? kPadding : 0);
    }
    surface.endDocument();
}

} // namespace scenario
