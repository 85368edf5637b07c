// Start-up cost of the windowed program: the main window built and shown with an example document open and its
// schedule computed, on the offscreen platform.
#include "app/FileCommands.h"
#include "app/MainWindow.h"
#include "app/SettingsStore.h"

#include "SilentDialogs.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_MainWindowWithExample(benchmark::State &state)
{
    QTemporaryDir dir;
    app::IniSettingsStore settings(dir.filePath(QStringLiteral("settings.ini")));
    SilentDialogs dialogs;
    const QString example = QStringLiteral(PELLANDRA_SOURCE_DIR "/examples/canadian-mortgage-25y.plr");
    for (auto _ : state) {
        app::MainWindow window(settings, dialogs, false);
        window.show();
        window.files().OpenPath(example);
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.activeDocument());
        window.close();
    }
}

} // namespace

BENCHMARK(BM_MainWindowWithExample)->Unit(benchmark::kMillisecond);
