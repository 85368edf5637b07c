#pragma once

#include "engine/Scenario.h"

#include <QFont>
#include <QList>
#include <QRect>
#include <QString>

#include <array>

namespace print {
class PageSurface;
}

namespace scenario {

// Where a text of the Scenario window stands and how it looks.
struct TextPlace
{
    QRect box; // twips, from the top left of the window's contents
    QFont font; // as on the screen: family, size and weight
    Qt::Alignment alignment;
    bool framed = false; // a field, a list or a cell of the comparison table
};

struct PrintedText
{
    QString text;
    TextPlace place;
};

// The window's contents as the printout reproduces them: every caption, list text and field value where the window
// shows it, and where each figure of the comparison table goes. The figures themselves are the engine's.
struct ScenarioLayout
{
    QFont font; // the window's
    QFont titleFont; // the table title's, which the printout's title takes
    int titleHeight = 0; // twips
    QList<PrintedText> texts;
    std::array<std::array<TextPlace, engine::kScenarioColumns>, engine::kScenarioRows> cells {};
};

// The printout on `surface`, a complete document: Letter, portrait, half-inch margins, 80 lines a page; the title
// "Scenario", then the window's texts and the table's figures as the window places them, the whole block centred
// between the margins and scaled down when it is wider than they leave room for.
void buildScenarioPages(const ScenarioLayout &layout, const engine::ScenarioTable &table, print::PageSurface &surface);

} // namespace scenario
