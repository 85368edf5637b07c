#include "Application.h"

#include "FileCommands.h"
#include "FileTypeRegistration.h"
#include "Icons.h"
#include "MainWindow.h"
#include "SettingsKeys.h"
#include "SettingsStore.h"
#include "ui/UserDialogs.h"

#include <QApplication>

namespace app {

int runWindowed(int &argc, char **argv, const QStringList &arguments)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(kSettingsName);
    QApplication::setApplicationDisplayName(kMainCaption);
    QApplication::setApplicationVersion(QLatin1String(PELLANDRA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("pellandra"));
    QApplication::setWindowIcon(programIcon());
    // Before the window shows, so that a document double-clicked from now on opens here.
    registerFileType();

    // Words that are not options make up one document path, so an unquoted path with spaces still opens.
    bool debug = false;
    QStringList words;
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--debug"))
            debug = true;
        else
            words << argument;
    }

    IniSettingsStore settings;
    ui::QtUserDialogs dialogs;
    MainWindow window(settings, dialogs, debug);
    window.show();
    if (!words.isEmpty())
        window.files().OpenPath(words.join(QLatin1Char(' ')));
    return application.exec();
}

} // namespace app
