#pragma once

#include <QIcon>

namespace app {

enum class IconKind {
    New,
    Open,
    Save,
    Print,
    PrintPreview,
    ExportPdf,
    ExportCsv,
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
// The sizes the program's icon is drawn at (desktop/icons/pellandra-SIZE.png).
inline constexpr int kProgramIconSizes[] = {16, 32, 48, 64, 128, 256};
// The program's own icon, the one the desktop shows for it and for its documents.
QIcon programIcon();

} // namespace app
