#include "HelpCommands.h"

#include "Command.h"
#include "DialogHost.h"
#include "HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace app {

namespace {

const QString kNoHelpMessage =
    QStringLiteral("Unable to display Help Contents. There is no Help associated with this project.");
const QString kContentsPage = QStringLiteral("index.html");

} // namespace

QString findHelpFolder(const QString &programFolder, const QStringList &dataFolders)
{
    QStringList candidates {QDir(programFolder).filePath(QStringLiteral("../share/pellandra/help"))};
    for (const QString &folder : dataFolders)
        candidates << QDir(folder).filePath(QStringLiteral("pellandra/help"));
    for (const QString &candidate : candidates) {
        if (QFileInfo::exists(QDir(candidate).filePath(kContentsPage)))
            return QDir::cleanPath(candidate);
    }
    return {};
}

HelpCommands::HelpCommands(DialogHost &host, QObject *parent)
    : QObject(parent)
    , m_host(host)
{
    contents = command(this, QStringLiteral("&Contents"), [this] { showContents(); });
    contents->setShortcut(QKeySequence::HelpContents);
    about = command(this, QStringLiteral("&About Pellandra..."), [this] { showAbout(); });
}

void HelpCommands::showContents()
{
    if (m_helpFolder.isEmpty())
        m_helpFolder = findHelpFolder(QCoreApplication::applicationDirPath(),
                                      QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation));
    const QString path = QDir(m_helpFolder).filePath(kContentsPage);
    if (m_helpFolder.isEmpty() || !QFileInfo(path).isFile()) {
        m_host.message(kNoHelpMessage, ui::UserDialogs::Ok, ui::UserDialogs::Icon::Information);
        return;
    }
    // The browser shows an unreadable page as an empty one: say why instead.
    QFile page(path);
    if (!page.open(QIODevice::ReadOnly)) {
        m_host.message(page.errorString(), ui::UserDialogs::Ok, ui::UserDialogs::Icon::Critical);
        return;
    }
    page.close();
    if (!m_window)
        m_window = new HelpWindow(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()), m_host.dialogParent());
    else
        m_window->showContents();
    // Asked for again, a help window the user minimised comes back.
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void HelpCommands::showAbout()
{
    m_host.dialogs().about(m_host.dialogParent(), QStringLiteral("About Pellandra"),
                           QStringLiteral("<h3>Pellandra %1</h3><p>Loan amortization schedules: mortgages with "
                                          "Canadian or U.S. compounding, personal loans, rate and payment changes "
                                          "and lump-sum prepayments.</p>")
                               .arg(QLatin1String(PELLANDRA_VERSION)));
}

} // namespace app
