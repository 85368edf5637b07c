#include "HelpWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>

namespace app {

HelpWindow::HelpWindow(const QUrl &contents, QWidget *parent)
    : QMainWindow(parent, Qt::Window)
    , m_contents(contents)
{
    setObjectName(QStringLiteral("frmHelp"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setOpenExternalLinks(true);
    m_browser->document()->setDocumentMargin(12);
    m_browser->setAccessibleName(QStringLiteral("Help page"));
    setCentralWidget(m_browser);

    QToolBar *bar = addToolBar(QStringLiteral("Navigation"));
    bar->setObjectName(QStringLiteral("tbrHelp"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Back"), m_browser,
                          &QTextBrowser::backward);
    back->setShortcut(QKeySequence::Back);
    forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("&Forward"), m_browser,
                             &QTextBrowser::forward);
    forward->setShortcut(QKeySequence::Forward);
    home = bar->addAction(QIcon::fromTheme(QStringLiteral("go-home"), style()->standardIcon(QStyle::SP_DirHomeIcon)),
                          QStringLiteral("&Home"), this, &HelpWindow::showContents);
    home->setToolTip(QStringLiteral("Back to the contents"));
    home->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    // Closed from the keyboard as a dialog is, or as a document window is.
    closeWindow = new QAction(QStringLiteral("Close"), this);
    closeWindow->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    connect(closeWindow, &QAction::triggered, this, &QWidget::close);
    addAction(closeWindow);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Pellandra Help")
                                       : title + QStringLiteral(" - Pellandra Help"));
    });

    // The browser does not follow a page's link to its style sheet: the pages' one applies to every page.
    QFile style(QFileInfo(m_contents.toLocalFile()).dir().filePath(QStringLiteral("style.css")));
    if (style.open(QIODevice::ReadOnly))
        m_browser->document()->setDefaultStyleSheet(QString::fromUtf8(style.readAll()));

    resize(860, 680);
    m_browser->setSource(m_contents);
}

void HelpWindow::showContents()
{
    if (m_browser->source() != m_contents)
        m_browser->setSource(m_contents);
    m_browser->verticalScrollBar()->setValue(0);
}

} // namespace app
