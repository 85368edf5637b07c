#pragma once

#include <QStringList>

namespace app {

// What the windowed program starts with.
struct WindowedStart
{
    bool debug = false; // --debug: the diagnostic Debug menu
    QString document; // the document to open, empty for none
};

// The start asked for by the arguments Qt leaves once it has taken its own options (-style Fusion, -platform …), the
// program's name first. Words that are not options make up one document path, so that an unquoted path with spaces
// still opens.
WindowedStart windowedStart(const QStringList &qtArguments);

// True when `arguments` (the program's name left out) ask for the windowed program: none of them is an option but
// --debug. Any other option is a command that runs without a window, or a mistake it reports.
bool asksForWindow(const QStringList &arguments);

// Starts the windowed program: the main window, and the document named on the command line if any.
int runWindowed(int &argc, char **argv);

} // namespace app
