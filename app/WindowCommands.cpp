#include "WindowCommands.h"

#include "Command.h"
#include "DocumentWindows.h"
#include "WindowPlacement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QStyle>

namespace app {

WindowCommands::WindowCommands(DocumentWindows &windows, QObject *parent)
    : QObject(parent)
    , m_windows(windows)
{
    cascadeAction = command(this, QStringLiteral("&Cascade"), [this] { cascade(); });
    tileHorizontal = command(this, QStringLiteral("Tile &Horizontal"), [this] { tileEvenly(Qt::Vertical); });
    tileVertical = command(this, QStringLiteral("Tile &Vertical"), [this] { tileEvenly(Qt::Horizontal); });
    arrangeIconsAction = command(this, QStringLiteral("&Arrange Icons"), [this] { arrangeIcons(); });
}

void WindowCommands::update()
{
    const bool documents = !m_windows.documents().isEmpty();
    for (QAction *item : {cascadeAction, tileHorizontal, tileVertical, arrangeIconsAction})
        item->setEnabled(documents);
}

void WindowCommands::listWindows(QMenu &menu)
{
    // Made afresh each time the menu opens: windows come and go, and their captions change.
    const QString listed = QStringLiteral("mnuWindowList");
    for (QAction *item : menu.actions()) {
        if (item->objectName() == listed)
            delete item;
    }
    QMdiArea *area = m_windows.mdiArea();
    const QList<QMdiSubWindow *> windows = area->subWindowList();
    if (windows.isEmpty())
        return;
    menu.addSeparator()->setObjectName(listed);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        // A document's frame title holds the place of its "modified" mark.
        const QString caption =
            windows[i]
                ->windowTitle()
                .replace(QStringLiteral("[*]"), windows[i]->isWindowModified() ? QStringLiteral("*") : QString())
                .replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction *item = menu.addAction(i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(caption) : caption);
        item->setObjectName(listed);
        item->setCheckable(true);
        item->setChecked(windows[i] == area->currentSubWindow());
        const QPointer<QMdiSubWindow> window = windows[i];
        connect(item, &QAction::triggered, this, [area, window] {
            if (!window)
                return;
            if (window->isMinimized())
                window->showNormal();
            area->setActiveSubWindow(window);
        });
    }
}

int WindowCommands::cascadeStep() const
{
    // One title bar: each window's caption shows below the one before.
    QMdiArea *area = m_windows.mdiArea();
    return area->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, area);
}

void WindowCommands::cascade()
{
    // The area's own cascade sizes each window by the size it prefers, which leaves a document window a bare title
    // bar. Minimised windows keep their places.
    QMdiArea *area = m_windows.mdiArea();
    QList<QMdiSubWindow *> windows = area->subWindowList(QMdiArea::StackingOrder);
    windows.removeIf([](const QMdiSubWindow *window) { return window->isMinimized(); });
    const QList<QRect> placements = cascadePlacements(area->viewport()->size(), int(windows.size()), cascadeStep());
    for (qsizetype i = 0; i < windows.size(); ++i) {
        windows[i]->showNormal();
        windows[i]->setGeometry(placements[i]);
        windows[i]->raise();
    }
}

void WindowCommands::tileEvenly(Qt::Orientation direction)
{
    QMdiArea *area = m_windows.mdiArea();
    const QList<QMdiSubWindow *> windows = area->subWindowList();
    const QSize size = area->viewport()->size();
    const int length = direction == Qt::Vertical ? size.height() : size.width();
    int at = 0;
    for (int i = 0; i < windows.size(); ++i) {
        const int share = (length - at) / int(windows.size() - i);
        windows[i]->showNormal();
        if (direction == Qt::Vertical)
            windows[i]->setGeometry(0, at, size.width(), share);
        else
            windows[i]->setGeometry(at, 0, share, size.height());
        at += share;
    }
}

void WindowCommands::arrangeIcons()
{
    // The minimised windows in a row along the bottom of the area, left to right.
    QMdiArea *area = m_windows.mdiArea();
    const int bottom = area->viewport()->height();
    int x = 0;
    for (QMdiSubWindow *window : area->subWindowList()) {
        if (!window->isMinimized())
            continue;
        window->move(x, bottom - window->height());
        x += window->width();
    }
}

} // namespace app
