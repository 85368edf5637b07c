#pragma once

#include <QObject>

class QAction;

namespace app {

class MainWindow;

// The Debug menu, offered on request: the document's hidden tables.
class DebugCommands : public QObject
{
    Q_OBJECT

public:
    explicit DebugCommands(MainWindow &shell);

    QAction *toggleHiddenGrids = nullptr;
};

} // namespace app
