#include "Application.h"
#include "CommandLine.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    {
        // The commands that need no window run without a display.
        QCoreApplication core(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        if (const auto code = app::runHeadless(arguments, out, err))
            return *code;
    }
    return app::runWindowed(argc, argv, arguments);
}
