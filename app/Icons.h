#pragma once

#include <QIcon>

namespace app {

enum class IconKind {
    New,
    Open,
    Save,
    Print,
    PrintPreview,
    Copy,
    AlignLeft,
    AlignCenter,
    AlignRight,
    DetailedView,
    SummaryView,
    Debug
};

// The toolbar's icons: the desktop theme's when it has them, else drawn here.
QIcon icon(IconKind kind);

} // namespace app
