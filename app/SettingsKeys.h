#pragma once

#include <QString>

namespace app {

// The settings name: also the title of every message the program shows.
inline const QString kSettingsName = QStringLiteral("Pellandra 3.0");
// The main window's caption: the name the desktop shows after the title of every window of the program.
inline const QString kMainCaption = QStringLiteral("Pellandra");

inline const QString kSettingsSection = QStringLiteral("Settings");
inline const QString kRecentFilesSection = QStringLiteral("Recent Files");

inline const QString kMainWinState = QStringLiteral("MainWinState");
inline const QString kMainLeft = QStringLiteral("MainLeft");
inline const QString kMainTop = QStringLiteral("MainTop");
inline const QString kMainWidth = QStringLiteral("MainWidth");
inline const QString kMainHeight = QStringLiteral("MainHeight");
inline const QString kChildWinState = QStringLiteral("ChildWinState");
inline const QString kDateFormatString = QStringLiteral("DateFormatString");
inline const QString kRowInterval = QStringLiteral("RowInterval");
inline const QString kRowIntervalColor = QStringLiteral("RowIntervalColor");
inline const QString kScrollTrack = QStringLiteral("ScrollTrack");
inline const QString kInitialDirectory = QStringLiteral("Initial Directory");
inline const QString kStep2 = QStringLiteral("Step 2");
inline const QString kToolTip = QStringLiteral("Tool Tip");
inline const QString kInterestCompound = QStringLiteral("Interest Compound");
inline const QString kStartPayment = QStringLiteral("Start Payment");

inline constexpr int kDefaultMainLeft = 1000; // twips
inline constexpr int kDefaultMainTop = 1000;
inline constexpr int kDefaultMainWidth = 6500;
inline constexpr int kDefaultMainHeight = 6500;
inline constexpr int kDefaultRowInterval = 4;
inline constexpr int kDefaultRowIntervalColor = 0xEFEFEF;
inline constexpr int kDefaultScrollTrack = 1;
inline const QString kDefaultInitialDirectory = QStringLiteral("C:\\");
inline constexpr int kMaxRecentFiles = 8;

// Window states as stored.
inline constexpr int kStateNormal = 0;
inline constexpr int kStateMinimized = 1;
inline constexpr int kStateMaximized = 2;

} // namespace app
