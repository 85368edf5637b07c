#include "CommandLine.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout);
    QTextStream err(stderr);
    {
        QCoreApplication core(argc, argv);
        if (const auto code = app::runHeadless(arguments, out, err))
            return *code;
    }
    // The windowed program is not part of this build yet.
    err << "pellandra: the windowed program is not available in this build; use --help for the commands.\n";
    return app::ExitBadArguments;
}
