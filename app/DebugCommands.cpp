#include "DebugCommands.h"

#include "Command.h"
#include "Icons.h"
#include "MainWindow.h"
#include "frmChild.h"

namespace app {

DebugCommands::DebugCommands(MainWindow &shell)
    : QObject(&shell)
{
    toggleHiddenGrids = command(this, QStringLiteral("Toggle Hidden Grids"), icon(IconKind::Debug),
                                QStringLiteral("Toggle Hidden Grids"), [&shell] {
                                    if (frmChild *document = shell.activeDocument())
                                        document->toggleHiddenGrids();
                                });
}

} // namespace app
