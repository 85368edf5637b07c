#pragma once

#include <QObject>

class QAction;

namespace app {

class MainWindow;

// The Window menu: the document windows cascaded, tiled either way, or their icons arranged.
class WindowCommands : public QObject
{
    Q_OBJECT

public:
    explicit WindowCommands(MainWindow &shell);

    void update();
    void cascade();
    // Windows one after the other in `direction` (vertical: one above the other), sharing the area evenly.
    void tileEvenly(Qt::Orientation direction);
    void arrangeIcons();
    // How far each cascaded window lies from the one before, in pixels.
    int cascadeStep() const;

    QAction *cascadeAction = nullptr;
    QAction *tileHorizontal = nullptr;
    QAction *tileVertical = nullptr;
    QAction *arrangeIconsAction = nullptr;

private:
    MainWindow &m_shell;
};

} // namespace app
