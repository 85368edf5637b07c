// Start-up cost of the windowed program: the main window built and shown with an example document open and its
// schedule computed, on the offscreen platform.
#include "app/FileCommands.h"
#include "app/MainWindow.h"
#include "app/SettingsStore.h"
#include "ui/UserDialogs.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

class SilentDialogs : public ui::UserDialogs
{
public:
    Button message(QWidget *, const QString &, const QString &, int, Icon) override { return No; }
    QString openFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QColor> color(QWidget *, const QString &, const QColor &) override { return std::nullopt; }
    bool print(QWidget *, QPrinter &) override { return false; }
    bool pageSetup(QWidget *, QPrinter &) override { return false; }
    void about(QWidget *, const QString &, const QString &) override { }
};

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
