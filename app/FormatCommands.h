#pragma once

#include <QObject>

class QAction;

namespace app {

class MainWindow;

// The Format menu: the alignment of the selected columns, and fitting the columns to their contents.
class FormatCommands : public QObject
{
    Q_OBJECT

public:
    explicit FormatCommands(MainWindow &shell);

    void update();
    void SetColumnAlignment(int code);
    void autoFit();

    QAction *alignLeft = nullptr;
    QAction *center = nullptr;
    QAction *alignRight = nullptr;
    QAction *autoFitColumns = nullptr;

private:
    MainWindow &m_shell;
};

} // namespace app
