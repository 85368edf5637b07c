#pragma once

#include <QObject>

class QAction;
class QActionGroup;
class QMenu;
class QPoint;

namespace app {

class MainWindow;

// The commands on a document's views: Copy, Details and Summary, the alignments, Auto Fit, and the document's
// context menu.
class ViewCommands : public QObject
{
    Q_OBJECT

public:
    explicit ViewCommands(MainWindow &shell);

    // Creates the actions and puts them in the Edit, View and Format menus and on the toolbar.
    void install();
    void showContextMenu(const QPoint &globalPosition);
    // Check marks and pressed buttons follow the active document's view.
    void CheckSelectedView();

    void copy();
    void paste();
    void autoFit();
    void SetColumnAlignment(int code);

    QMenu *contextMenu() const { return m_context; }

private:
    QAction *addAction(const QString &name, const QString &text);
    void updateEditMenu();
    void updateViewMenu();
    void updateFormatMenu();

    MainWindow &m_shell;
    QMenu *m_context = nullptr;
    QActionGroup *m_viewGroup = nullptr;
};

} // namespace app
