#pragma once

#include "HelpWindow.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QAction;

namespace app {

class DialogHost;

// The folder of the help pages: <prefix>/share/pellandra/help beside the program's own folder (installed, or in the
// build tree), else the first data folder of the desktop that holds pellandra/help; empty when none has the
// contents page.
QString findHelpFolder(const QString &programFolder, const QStringList &dataFolders);

// The Help menu: the help contents and the about box.
class HelpCommands : public QObject
{
    Q_OBJECT

public:
    HelpCommands(DialogHost &host, QObject *parent);

    // Help > Contents: the help window on its contents page, made once and raised again later.
    void showContents();
    void showAbout();

    // Where the help pages are; found next to the program unless set.
    void setHelpFolder(const QString &folder) { m_helpFolder = folder; }
    // Null until the help was first shown.
    HelpWindow *helpWindow() const { return m_window; }

    QAction *contents = nullptr;
    QAction *about = nullptr;

private:
    DialogHost &m_host;
    QString m_helpFolder;
    QPointer<HelpWindow> m_window;
};

} // namespace app
