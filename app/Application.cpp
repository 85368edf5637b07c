#include "Application.h"

#include "FileCommands.h"
#include "FileTypeRegistration.h"
#include "Icons.h"
#include "MainWindow.h"
#include "SettingsKeys.h"
#include "SettingsStore.h"
#include "ui/UserDialogs.h"

#include <QApplication>

#include <algorithm>

namespace app {

WindowedStart windowedStart(const QStringList &qtArguments)
{
    WindowedStart start;
    QStringList words;
    for (const QString &argument : qtArguments.mid(1)) {
        if (argument == QLatin1String("--debug"))
            start.debug = true;
        else
            words << argument;
    }
    start.document = words.join(QLatin1Char(' '));
    return start;
}

bool asksForWindow(const QStringList &arguments)
{
    return std::none_of(arguments.cbegin(), arguments.cend(), [](const QString &argument) {
        return argument.startsWith(QLatin1String("--")) && argument != QLatin1String("--debug");
    });
}

int runWindowed(int &argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(kSettingsName);
    QApplication::setApplicationDisplayName(kMainCaption);
    QApplication::setApplicationVersion(QLatin1String(PELLANDRA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("pellandra"));
    QApplication::setWindowIcon(programIcon());
    // Before the window shows, so that a document double-clicked from now on opens here.
    registerFileType();

    const WindowedStart start = windowedStart(QApplication::arguments());
    IniSettingsStore settings;
    ui::QtUserDialogs dialogs;
    MainWindow window(settings, dialogs, start.debug);
    window.show();
    if (!start.document.isEmpty())
        window.files().OpenPath(start.document);
    return application.exec();
}

} // namespace app
