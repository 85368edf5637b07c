#include "FormatCommands.h"

#include "Command.h"
#include "DocumentWindows.h"
#include "Icons.h"
#include "ProgressShown.h"
#include "StatusReporter.h"
#include "frmChild.h"

#include "document/ColumnProperties.h"
#include "views/ScheduleView.h"

namespace app {

FormatCommands::FormatCommands(DocumentWindows &windows, StatusReporter &status, QObject *parent)
    : QObject(parent)
    , m_windows(windows)
    , m_status(status)
{
    alignLeft = command(this, QStringLiteral("Align &Left"), icon(IconKind::AlignLeft), QStringLiteral("Align Left"),
                        [this] { SetColumnAlignment(document::kAlignLeft); });
    center = command(this, QStringLiteral("&Center"), icon(IconKind::AlignCenter), QStringLiteral("Center"),
                     [this] { SetColumnAlignment(document::kAlignCenter); });
    alignRight = command(this, QStringLiteral("Align &Right"), icon(IconKind::AlignRight),
                         QStringLiteral("Align Right"), [this] { SetColumnAlignment(document::kAlignRight); });
    autoFitColumns = command(this, QStringLiteral("&AutoFit Columns"), [this] { autoFit(); });
}

void FormatCommands::update()
{
    const bool documents = m_windows.activeDocument() != nullptr;
    for (QAction *item : {alignLeft, center, alignRight, autoFitColumns})
        item->setEnabled(documents);
}

void FormatCommands::SetColumnAlignment(int code)
{
    if (frmChild *document = m_windows.activeDocument())
        document->view()->SetColumnAlignment(code);
}

void FormatCommands::autoFit()
{
    if (frmChild *document = m_windows.activeDocument()) {
        const ProgressShown progress(m_status, 100);
        document->view()->autoFit();
    }
}

} // namespace app
