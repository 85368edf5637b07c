#include "ViewCommands.h"

#include "Icons.h"
#include "MainWindow.h"
#include "frmChild.h"

#include "document/ColumnProperties.h"
#include "views/CellEditor.h"
#include "views/ScheduleView.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace app {

ViewCommands::ViewCommands(MainWindow &shell)
    : QObject(&shell)
    , m_shell(shell)
{ }

QAction *ViewCommands::addAction(const QString &name, const QString &text)
{
    auto *action = new QAction(text, &m_shell);
    action->setObjectName(name);
    return action;
}

void ViewCommands::install()
{
    QAction *copyAction = addAction(QStringLiteral("Copy"), QStringLiteral("&Copy"));
    copyAction->setIcon(icon(IconKind::Copy));
    copyAction->setToolTip(QStringLiteral("Copy"));
    copyAction->setShortcut(QKeySequence::Copy);
    connect(copyAction, &QAction::triggered, this, &ViewCommands::copy);

    QAction *pasteAction = addAction(QStringLiteral("Paste"), QStringLiteral("&Paste"));
    pasteAction->setShortcut(QKeySequence::Paste);
    connect(pasteAction, &QAction::triggered, this, &ViewCommands::paste);

    m_viewGroup = new QActionGroup(this);
    // Without a document neither view is shown, and neither button is pressed.
    m_viewGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    QAction *details = addAction(QStringLiteral("Details"), QStringLiteral("&Details"));
    QAction *summary = addAction(QStringLiteral("Summary"), QStringLiteral("&Summary"));
    details->setIcon(icon(IconKind::DetailedView));
    details->setToolTip(QStringLiteral("Detailed View"));
    summary->setIcon(icon(IconKind::SummaryView));
    summary->setToolTip(QStringLiteral("Summary View"));
    for (QAction *view : {details, summary}) {
        view->setCheckable(true);
        m_viewGroup->addAction(view);
    }
    connect(details, &QAction::triggered, this, [this] {
        if (frmChild *document = m_shell.activeDocument())
            document->view()->showDetails();
    });
    connect(summary, &QAction::triggered, this, [this] {
        if (frmChild *document = m_shell.activeDocument())
            document->view()->showSummary();
    });

    QAction *left = addAction(QStringLiteral("Left"), QStringLiteral("Align &Left"));
    QAction *center = addAction(QStringLiteral("Center"), QStringLiteral("&Center"));
    QAction *right = addAction(QStringLiteral("Right"), QStringLiteral("Align &Right"));
    left->setIcon(icon(IconKind::AlignLeft));
    left->setToolTip(QStringLiteral("Align Left"));
    center->setIcon(icon(IconKind::AlignCenter));
    center->setToolTip(QStringLiteral("Center"));
    right->setIcon(icon(IconKind::AlignRight));
    right->setToolTip(QStringLiteral("Align Right"));
    connect(left, &QAction::triggered, this, [this] { SetColumnAlignment(document::kAlignLeft); });
    connect(center, &QAction::triggered, this, [this] { SetColumnAlignment(document::kAlignCenter); });
    connect(right, &QAction::triggered, this, [this] { SetColumnAlignment(document::kAlignRight); });
    QAction *fit = addAction(QStringLiteral("AutoFit"), QStringLiteral("&AutoFit Columns"));
    connect(fit, &QAction::triggered, this, &ViewCommands::autoFit);

    // Edit: Copy after Cut.
    QMenu *edit = m_shell.findChild<QMenu *>(QStringLiteral("mnuEdit"));
    edit->addAction(copyAction);
    edit->addAction(pasteAction);
    connect(edit, &QMenu::aboutToShow, this, &ViewCommands::updateEditMenu);

    // View: Details and Summary first, then the bars.
    QMenu *view = m_shell.findChild<QMenu *>(QStringLiteral("mnuView"));
    QAction *firstViewItem = view->actions().value(0);
    view->insertAction(firstViewItem, details);
    view->insertAction(firstViewItem, summary);
    view->insertSeparator(firstViewItem);
    connect(view, &QMenu::aboutToShow, this, &ViewCommands::updateViewMenu);

    // Format, after View.
    auto *format = new QMenu(QStringLiteral("F&ormat"), &m_shell);
    format->setObjectName(QStringLiteral("mnuFormat"));
    format->addAction(left);
    format->addAction(center);
    format->addAction(right);
    format->addSeparator();
    format->addAction(fit);
    m_shell.menuBar()->insertMenu(m_shell.findChild<QMenu *>(QStringLiteral("mnuWindow"))->menuAction(), format);
    connect(format, &QMenu::aboutToShow, this, &ViewCommands::updateFormatMenu);

    // Toolbar: after Save, before the diagnostic button.
    QToolBar *toolBar = m_shell.toolBar();
    QAction *before = m_shell.action(QStringLiteral("DebugGrid"));
    for (QAction *button : {copyAction, left, center, right, details, summary})
        toolBar->insertAction(before, button);

    m_context = new QMenu(&m_shell);
    m_context->setObjectName(QStringLiteral("mnuContext1"));
}

void ViewCommands::updateEditMenu()
{
    const bool documents = m_shell.activeDocument() != nullptr;
    m_shell.action(QStringLiteral("Copy"))->setEnabled(documents);
    m_shell.action(QStringLiteral("Paste"))->setEnabled(documents && !QGuiApplication::clipboard()->text().isEmpty());
}

void ViewCommands::paste()
{
    frmChild *document = m_shell.activeDocument();
    const QString text = QGuiApplication::clipboard()->text();
    if (document && !text.isEmpty() && !document->loan().gblnReportFlag)
        document->view()->cellEditor()->paste(text);
}

void ViewCommands::updateViewMenu()
{
    const bool documents = m_shell.activeDocument() != nullptr;
    for (const char *name : {"Details", "Summary"})
        m_shell.action(QLatin1String(name))->setEnabled(documents);
    CheckSelectedView();
}

void ViewCommands::updateFormatMenu()
{
    const bool documents = m_shell.activeDocument() != nullptr;
    for (const char *name : {"Left", "Center", "Right", "AutoFit"})
        m_shell.action(QLatin1String(name))->setEnabled(documents);
}

void ViewCommands::CheckSelectedView()
{
    frmChild *document = m_shell.activeDocument();
    const bool summary = document && document->view()->summaryShown();
    m_shell.action(QStringLiteral("Details"))->setChecked(document && !summary);
    m_shell.action(QStringLiteral("Summary"))->setChecked(summary);
}

void ViewCommands::showContextMenu(const QPoint &globalPosition)
{
    updateEditMenu();
    CheckSelectedView();
    // The items of the document's pop-up menu that exist, in their order; each runs its menu command.
    m_context->clear();
    auto add = [&](const QString &name, const QString &text, bool checkable = false) {
        QAction *command = m_shell.action(name);
        if (!command)
            return;
        QAction *item = m_context->addAction(text);
        item->setObjectName(QStringLiteral("context") + name);
        item->setEnabled(command->isEnabled());
        item->setCheckable(checkable);
        item->setChecked(command->isChecked());
        connect(item, &QAction::triggered, command, &QAction::trigger);
    };
    add(QStringLiteral("Undo"), QStringLiteral("&Undo"));
    m_context->addSeparator();
    add(QStringLiteral("Cut"), QStringLiteral("Cu&t"));
    add(QStringLiteral("Copy"), QStringLiteral("&Copy"));
    add(QStringLiteral("Paste"), QStringLiteral("&Paste"));
    m_context->addSeparator();
    add(QStringLiteral("LumpSums"), QStringLiteral("&Lump Sum"));
    m_context->addSeparator();
    add(QStringLiteral("AutoFit"), QStringLiteral("&AutoFit Columns"));
    m_context->addSeparator();
    add(QStringLiteral("TimeLeft"), QStringLiteral("&Time Left to Amortize"));
    add(QStringLiteral("Scenario"), QStringLiteral("Sce&nario"));
    m_context->addSeparator();
    add(QStringLiteral("Details"), QStringLiteral("&Detailed View"), true);
    add(QStringLiteral("Summary"), QStringLiteral("&Summary View"), true);
    m_context->addSeparator();
    add(QStringLiteral("Properties"), QStringLiteral("Propert&ies"));
    // Undo and Cut have nothing to act on.
    for (const char *name : {"contextUndo", "contextCut"}) {
        if (QAction *item = m_context->findChild<QAction *>(QLatin1String(name)))
            item->setEnabled(false);
    }
    if (!globalPosition.isNull())
        m_context->popup(globalPosition);
}

void ViewCommands::copy()
{
    frmChild *document = m_shell.activeDocument();
    if (!document)
        return;
    QGuiApplication::clipboard()->clear();
    QGuiApplication::clipboard()->setText(document->view()->selectionText());
}

void ViewCommands::autoFit()
{
    frmChild *document = m_shell.activeDocument();
    if (!document)
        return;
    m_shell.ShowProgressBar(true);
    m_shell.SetProgressBarUbound(100);
    document->view()->autoFit();
    m_shell.ShowProgressBar(false);
}

void ViewCommands::SetColumnAlignment(int code)
{
    if (frmChild *document = m_shell.activeDocument())
        document->view()->SetColumnAlignment(code);
}

} // namespace app
