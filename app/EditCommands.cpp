#include "EditCommands.h"

#include "Command.h"
#include "Icons.h"
#include "MainWindow.h"
#include "frmChild.h"

#include "views/CellEditor.h"
#include "views/ScheduleView.h"

#include <QClipboard>
#include <QGuiApplication>

namespace app {

EditCommands::EditCommands(MainWindow &shell)
    : QObject(&shell)
    , m_shell(shell)
{
    undo = command(this, QStringLiteral("&Undo"), [] {});
    cut = command(this, QStringLiteral("Cu&t"), [] {});
    copyAction =
        command(this, QStringLiteral("&Copy"), icon(IconKind::Copy), QStringLiteral("Copy"), [this] { copy(); });
    copyAction->setShortcut(QKeySequence::Copy);
    pasteAction = command(this, QStringLiteral("&Paste"), [this] { paste(); });
    pasteAction->setShortcut(QKeySequence::Paste);
}

void EditCommands::update()
{
    const bool documents = m_shell.activeDocument() != nullptr;
    undo->setEnabled(false);
    cut->setEnabled(false);
    copyAction->setEnabled(documents);
    pasteAction->setEnabled(documents && !QGuiApplication::clipboard()->text().isEmpty());
}

void EditCommands::copy()
{
    frmChild *document = m_shell.activeDocument();
    if (!document)
        return;
    QGuiApplication::clipboard()->clear();
    QGuiApplication::clipboard()->setText(document->view()->selectionText());
}

void EditCommands::paste()
{
    frmChild *document = m_shell.activeDocument();
    const QString text = QGuiApplication::clipboard()->text();
    if (document && !text.isEmpty() && !document->loan().gblnReportFlag)
        document->view()->cellEditor()->paste(text);
}

} // namespace app
