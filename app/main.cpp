#include "Application.h"
#include "CommandLine.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>

#include <memory>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (app::asksForWindow(arguments))
        return app::runWindowed(argc, argv);

    // The commands that need no window run without a display; one that draws still needs fonts, and a chart the
    // widgets' styles.
    std::unique_ptr<QCoreApplication> core;
    if (app::headlessNeedsFonts(arguments)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        core = std::make_unique<QApplication>(argc, argv);
    } else {
        core = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    return app::runHeadless(arguments, out, err).value_or(app::ExitOk);
}
