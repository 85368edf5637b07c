#pragma once

#include <QMainWindow>
#include <QUrl>

class QAction;
class QTextBrowser;

namespace app {

// The program's help: its HTML pages in a browser with Back, Forward and Home (the contents page).
class HelpWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit HelpWindow(const QUrl &contents, QWidget *parent = nullptr);

    // Shows the contents page.
    void showContents();
    QTextBrowser *browser() const { return m_browser; }

    QAction *back = nullptr;
    QAction *forward = nullptr;
    QAction *home = nullptr;
    QAction *closeWindow = nullptr; // Esc and Ctrl+W

private:
    QTextBrowser *m_browser = nullptr;
    QUrl m_contents;
};

} // namespace app
