// Start-up cost of the windowed program: the main window built and shown with an example document open and its
// schedule computed, on the offscreen platform; and the whole of a command that prints a report.
#include "app/CommandLine.h"
#include "app/FileCommands.h"
#include "app/MainWindow.h"
#include "app/SettingsStore.h"
#include "ui/UserDialogs.h"

#include <QApplication>
#include <QBuffer>
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

// pellandra --year-end 12 on the 90,000-period weekly loan: reading, computing, summing up and printing.
void BM_YearEndCommand_Weekly90000(benchmark::State &state)
{
    const QStringList arguments = {QStringLiteral("--year-end"), QStringLiteral("12"),
                                   QStringLiteral(PELLANDRA_SOURCE_DIR "/bench/data/weekly-90000.plr")};
    for (auto _ : state) {
        QBuffer output;
        output.open(QIODevice::WriteOnly);
        QString errors;
        QTextStream out(&output), err(&errors);
        if (app::runHeadless(arguments, out, err).value_or(-1) != app::ExitOk)
            state.SkipWithError("the command failed");
        out.flush();
        state.counters["bytes"] = double(output.size());
    }
}

} // namespace

BENCHMARK(BM_YearEndCommand_Weekly90000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MainWindowWithExample)->Unit(benchmark::kMillisecond);
