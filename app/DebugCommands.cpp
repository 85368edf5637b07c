#include "DebugCommands.h"

#include "Command.h"
#include "DocumentWindows.h"
#include "Icons.h"
#include "frmChild.h"

namespace app {

DebugCommands::DebugCommands(DocumentWindows &windows, QObject *parent)
    : QObject(parent)
    , m_windows(windows)
{
    toggleHiddenGrids = command(this, QStringLiteral("Toggle Hidden Grids"), icon(IconKind::Debug),
                                QStringLiteral("Toggle Hidden Grids"), [this] {
                                    if (frmChild *document = m_windows.activeDocument())
                                        document->toggleHiddenGrids();
                                });
}

} // namespace app
