#pragma once

#include <QStringList>

namespace app {

// Starts the windowed program: the main window, and the document named on the command line if any.
int runWindowed(int &argc, char **argv, const QStringList &arguments);

} // namespace app
