#pragma once

#include <QObject>

class QAction;

namespace app {

class MainWindow;

// The Help menu: the help contents and the about box.
class HelpCommands : public QObject
{
    Q_OBJECT

public:
    explicit HelpCommands(MainWindow &shell);

    void showContents();
    void showAbout();

    QAction *contents = nullptr;
    QAction *about = nullptr;

private:
    MainWindow &m_shell;
};

} // namespace app
