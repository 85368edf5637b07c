#pragma once

#include <QFont>
#include <QList>
#include <QRect>
#include <QString>

namespace print {
class PageSurface;
}

namespace scenario {

class frmScenario;

// A text of the Scenario window as its printout reproduces it.
struct PrintedText
{
    QString text;
    QRect box; // twips, from the top left of the window's contents
    QFont font; // as on the screen: family, size and weight
    Qt::Alignment alignment;
    bool framed = false; // a field, a list or a cell of the comparison table
};

// Every caption, list text, field value and table cell the window shows, where it shows it.
QList<PrintedText> printedTexts(const frmScenario &window);

// The printout on `surface`, a complete document: Letter, portrait, half-inch margins, 80 lines a page; the title
// "Scenario", then the window's texts as the window places them, the whole block centred between the margins and
// scaled down when it is wider than they leave room for.
void buildScenarioPages(const frmScenario &window, print::PageSurface &surface);

} // namespace scenario
