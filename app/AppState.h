#pragma once

#include <QString>

namespace app {

// Program-wide values held for the whole run.
struct AppState
{
    QString gstrDateFormat;
    int gintRowInterval = 0;
    int glngRowIntervalColor = 0;
    int gintScrollTrack = 0;
    int gintChildWinState = 0;
    QString gstrLastDirectory;
    QString gstrFileTitle;
    bool gblnOpenFailed = false;
};

} // namespace app
