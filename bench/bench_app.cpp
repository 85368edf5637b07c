// The windowed program on the offscreen platform: start-up with an example document open and its schedule computed,
// the file-type registration of an ordinary start, and OK in the lump sums and the options dialogs on the
// 90,000-period weekly loan, up to the grid repainted; the whole of a command that prints a report; the Loan
// Comparison window on four copies of that loan, opened, and refreshed after one of them is computed again.
#include "app/CommandLine.h"
#include "app/EditCommands.h"
#include "app/FileCommands.h"
#include "app/FileTypeRegistration.h"
#include "app/LoanComparisonWindow.h"
#include "app/MainWindow.h"
#include "app/ReportCommands.h"
#include "app/SettingsStore.h"
#include "app/ViewCommands.h"
#include "app/frmChild.h"
#include "views/frmLumpSums.h"
#include "views/frmOptions.h"

#include "SilentDialogs.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QTableView>
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

// The registration of an ordinary start, when the files are in place already: read and compared, none written.
void BM_FileTypeRegistrationInPlace(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString program = QStringLiteral("/opt/Pellandra/pellandra");
    auto noTools = [](const QString &, const QStringList &) {};
    app::registerFileType(program, dir.path(), {}, noTools);
    for (auto _ : state) {
        const auto outcome = app::registerFileType(program, dir.path(), {}, noTools);
        if (outcome != app::RegistrationOutcome::Unchanged)
            state.SkipWithError("the registration wrote again");
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

// The main window with the 90,000-period weekly loan open, its dialogs answered by `answer` instead of shown. With
// more than one copy, copy n runs at a rate n × 0.05 points higher.
class WeeklyLoanWindow
{
public:
    explicit WeeklyLoanWindow(std::function<void(QDialog &)> answer, int copies = 1)
        : m_settings(m_dir.filePath(QStringLiteral("settings.ini")))
        , m_window(m_settings, m_dialogs, false)
    {
        m_window.resize(1200, 800);
        m_window.show();
        const QString source = QStringLiteral(PELLANDRA_SOURCE_DIR "/bench/data/weekly-90000.plr");
        if (copies == 1)
            m_window.files().OpenPath(source);
        for (int i = 0; copies > 1 && i < copies; ++i) {
            const QString path = m_dir.filePath(QStringLiteral("weekly-%1.plr").arg(i));
            QFile::copy(source, path);
            m_window.files().OpenPath(path);
            m_window.activeDocument()->changeAndRecalculate(
                QString(), [i](document::DocumentData &data) { data.loan.gdblAnnualRate += 0.0005 * i; });
        }
        m_window.setDialogRunner([answer](QDialog &dialog) {
            answer(dialog);
            return dialog.result();
        });
        QApplication::processEvents();
    }
    app::MainWindow &window() { return m_window; }
    app::LoanComparisonWindow *comparison() { return m_window.mdiArea()->findChild<app::LoanComparisonWindow *>(); }
    // The grid painted as the user sees it.
    void repaint() { repaint(m_window.activeDocument()->gridMain1()); }
    void repaint(QWidget *shown)
    {
        if (m_picture.size() != shown->size())
            m_picture = QPixmap(shown->size());
        shown->render(&m_picture);
    }

private:
    QTemporaryDir m_dir;
    app::IniSettingsStore m_settings;
    SilentDialogs m_dialogs;
    app::MainWindow m_window;
    QPixmap m_picture;
};

// A lump sum of a new amount added on the grid's row and confirmed: the list differs, the schedule is computed again.
void BM_LumpSumsOk_Weekly90000(benchmark::State &state)
{
    double amount = 100;
    WeeklyLoanWindow shown([&amount](QDialog &dialog) {
        auto &lumpSums = static_cast<views::frmLumpSums &>(dialog);
        lumpSums.txtLumpSumAmount()->setText(QString::number(amount += 1));
        lumpSums.cmdAdd_Click();
        lumpSums.cmdOK_Click();
    });
    QTableView *grid = shown.window().activeDocument()->gridMain1();
    grid->setCurrentIndex(grid->model()->index(45000, 1));
    for (auto _ : state) {
        shown.window().editCommands().lumpSums->trigger();
        shown.repaint();
    }
}

// A column hidden and shown again in turn, or the date format changed in turn: the active document computed again,
// and with a new date format every window's Date column rewritten and fitted.
void BM_OptionsOk_Weekly90000(benchmark::State &state)
{
    const bool dateFormat = state.range(0) != 0;
    int turn = 0;
    WeeklyLoanWindow shown([&](QDialog &dialog) {
        auto &options = static_cast<views::frmOptions &>(dialog);
        if (dateFormat) {
            options.cboDateFormat()->setCurrentIndex(turn++ % 2 == 0 ? 17 : 1);
        } else if (options.List2()->count() > 0) {
            options.List2()->setCurrentRow(0);
            options.cmdLeft_Click();
        } else {
            options.List1()->setCurrentRow(0);
            options.cmdRight_Click();
        }
        options.cmdOK_Click();
    });
    for (auto _ : state) {
        shown.window().viewCommands().options->trigger();
        shown.repaint();
    }
}

// The Loan Comparison window opened on the four computed loans and painted, then closed again.
void BM_CompareLoansWindow_FourWeekly90000(benchmark::State &state)
{
    WeeklyLoanWindow shown([](QDialog &dialog) { dialog.accept(); }, 4);
    for (auto _ : state) {
        shown.window().reportCommands().compareLoans();
        if (!shown.comparison()) {
            state.SkipWithError("no comparison");
            break;
        }
        shown.repaint(shown.comparison());
        state.PauseTiming();
        shown.comparison()->parentWidget()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

// One of the four given another rate through the document's own recalculation (progress bar, grid and summary
// included), the comparison refreshed and painted; with arg 0 no comparison is open, for the difference.
void BM_CompareLoansRefresh_FourWeekly90000(benchmark::State &state)
{
    WeeklyLoanWindow shown([](QDialog &dialog) { dialog.accept(); }, 4);
    if (state.range(0) != 0)
        shown.window().reportCommands().compareLoans();
    app::frmChild *changed = shown.window().documents().value(2);
    double rate = changed->loan().gdblAnnualRate;
    for (auto _ : state) {
        rate += 0.0001;
        changed->changeAndRecalculate(QString(),
                                      [rate](document::DocumentData &data) { data.loan.gdblAnnualRate = rate; });
        if (shown.comparison())
            shown.repaint(shown.comparison());
    }
}

// Dialogs that choose one file to save to.
class SaveToDialogs : public SilentDialogs
{
public:
    explicit SaveToDialogs(QString path)
        : m_path(std::move(path))
    { }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &) override { return m_path; }

private:
    QString m_path;
};

// File > Export as PDF... (arg 0) or Export as CSV... (arg 1) on the 90,000-period weekly loan's schedule: the pages
// laid out and written, or the table written, each into a file replaced whole.
void BM_Export_Weekly90000(benchmark::State &state)
{
    const bool pdf = state.range(0) == 0;
    QTemporaryDir dir;
    const QString output = dir.filePath(pdf ? QStringLiteral("out.pdf") : QStringLiteral("out.csv"));
    app::IniSettingsStore settings(dir.filePath(QStringLiteral("settings.ini")));
    SaveToDialogs dialogs(output);
    app::MainWindow window(settings, dialogs, false);
    window.resize(1200, 800);
    window.show();
    window.files().OpenPath(QStringLiteral(PELLANDRA_SOURCE_DIR "/bench/data/weekly-90000.plr"));
    QApplication::processEvents();
    QAction *command = pdf ? window.files().exportPdf : window.files().exportCsv;
    for (auto _ : state) {
        command->trigger();
        state.counters["bytes"] = double(QFileInfo(output).size());
    }
    if (!QFileInfo::exists(output))
        state.SkipWithError("nothing was written");
    window.close();
}

} // namespace

BENCHMARK(BM_Export_Weekly90000)->ArgName("csv")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompareLoansWindow_FourWeekly90000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompareLoansRefresh_FourWeekly90000)->ArgName("comparison")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearEndCommand_Weekly90000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MainWindowWithExample)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileTypeRegistrationInPlace)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LumpSumsOk_Weekly90000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptionsOk_Weekly90000)->ArgName("dateFormat")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
