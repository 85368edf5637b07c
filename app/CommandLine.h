#pragma once

#include <QStringList>

#include <optional>

class QTextStream;

namespace app {

// Exit codes of the commands that run without a window.
enum ExitCode : int {
    ExitOk = 0,
    ExitBadArguments = 1,
    ExitFileUnreadable = 2,
    ExitFileRefused = 3,
    ExitNotComputable = 4,
    ExitOutputUnwritable = 5,
    ExitNoMatch = 6, // no candidate reproduces the lender's statement
};

// True when the command draws text (a PDF file): it needs the fonts of a graphical application, though no display.
bool headlessNeedsFonts(const QStringList &arguments);

// Runs a command that needs no window (schedule, summary, PDF, statement match, help, version). Returns nothing when
// the arguments ask for the windowed program instead. `arguments` excludes the program name.
std::optional<int> runHeadless(const QStringList &arguments, QTextStream &out, QTextStream &err);

// The text the usage message shows.
QString usageText();

} // namespace app
