#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace app {

class DocumentWindows;

// The Window menu: the document windows cascaded, tiled either way, or their icons arranged, and the list of the open
// windows.
class WindowCommands : public QObject
{
    Q_OBJECT

public:
    WindowCommands(DocumentWindows &windows, QObject *parent);

    void update();
    void cascade();
    // Windows one after the other in `direction` (vertical: one above the other), sharing the area evenly.
    void tileEvenly(Qt::Orientation direction);
    void arrangeIcons();
    // Lists the open windows at the end of `menu`, the one in front checked; choosing one brings it to the front.
    void listWindows(QMenu &menu);
    // How far each cascaded window lies from the one before, in pixels.
    int cascadeStep() const;

    QAction *cascadeAction = nullptr;
    QAction *tileHorizontal = nullptr;
    QAction *tileVertical = nullptr;
    QAction *arrangeIconsAction = nullptr;

private:
    DocumentWindows &m_windows;
};

} // namespace app
