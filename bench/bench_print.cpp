// Printing the 90,000-period weekly loan (bench/data/weekly-90000.plr, about 1,100 pages): File > Print Preview up
// to its first page on the screen, moving to another page, and `pellandra --pdf` of the whole schedule with the
// memory it took. Runs on the offscreen platform.
#include "app/DocumentPrinting.h"
#include "app/FileCommands.h"
#include "app/MainWindow.h"
#include "app/SettingsStore.h"
#include "document/DocumentFile.h"
#include "print/PageView.h"
#include "print/frmPrintPreview.h"

#include "SilentDialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

const QString kWeekly = QStringLiteral(PELLANDRA_SOURCE_DIR "/bench/data/weekly-90000.plr");

// The main window with the weekly loan open, as a user has it before asking for the preview.
struct OpenLoan
{
    OpenLoan()
        : settings(dir.filePath(QStringLiteral("settings.ini")))
        , window(settings, dialogs, false)
    {
        window.resize(1200, 900);
        window.show();
        window.files().OpenPath(kWeekly);
        QApplication::processEvents();
    }
    ~OpenLoan() { window.printing().closePreview(); }
    void settle()
    {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QTemporaryDir dir;
    app::IniSettingsStore settings;
    SilentDialogs dialogs;
    app::MainWindow window;
};

// The page as it reaches the screen.
void paintShownPage(print::frmPrintPreview &preview)
{
    QWidget *page = preview.view()->widget();
    QPixmap target(page->size());
    page->render(&target);
}

void BM_PreviewFirstPage_Weekly90000(benchmark::State &state)
{
    OpenLoan loan;
    for (auto _ : state) {
        loan.window.files().printPreview->trigger();
        print::frmPrintPreview *preview = loan.window.printing().preview();
        if (!preview) {
            state.SkipWithError("no preview");
            break;
        }
        paintShownPage(*preview);
        state.counters["pages"] = preview->pageCount();
        state.PauseTiming();
        loan.window.printing().closePreview();
        loan.settle();
        state.ResumeTiming();
    }
}

void BM_PreviewAnyPage_Weekly90000(benchmark::State &state)
{
    OpenLoan loan;
    loan.window.files().printPreview->trigger();
    print::frmPrintPreview *preview = loan.window.printing().preview();
    int page = 1;
    for (auto _ : state) {
        page = page * 7 % preview->pageCount() + 1;
        // Previous and Next move one page; the end keys reach the last page: any page costs the same.
        while (preview->currentPage() < page)
            preview->nextPage();
        while (preview->currentPage() > page)
            preview->previousPage();
        paintShownPage(*preview);
    }
}

// The weekly loan with its columns wide enough for every text, on landscape pages: the most text a page takes.
QString writeWideCopy(const QTemporaryDir &dir)
{
    QFile source(kWeekly);
    source.open(QIODevice::ReadOnly);
    const QByteArray bytes = source.readAll();
    document::DocumentData data;
    document::readDocument(std::string_view(bytes.constData(), size_t(bytes.size())), data, engine::NumberFormat());
    const int widths[] = {700, 1100, 1900, 900, 1300, 1000, 1900, 800, 1200, 1000, 1900, 1900, 1500};
    for (size_t k = 0; k < data.columns.columns.size(); ++k)
        data.columns.columns[k].Width = widths[k];
    data.print.Orientation = false;
    const std::string written = document::writeDocument(data);
    const QString path = dir.filePath(QStringLiteral("weekly-wide.plr"));
    QFile copy(path);
    copy.open(QIODevice::WriteOnly);
    copy.write(written.data(), qint64(written.size()));
    return path;
}

// The command as a user runs it, in a process of its own so that its memory is its own: the document as it is
// (columns at their narrowest, so most money shows as "###"), and with every text shown.
void BM_PdfCommand_Weekly90000(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString document = state.range(0) ? writeWideCopy(dir) : kWeekly;
    for (auto _ : state) {
        QProcess command;
        command.start(QStringLiteral(PELLANDRA_PROGRAM),
                      {QStringLiteral("--pdf"), dir.filePath(QStringLiteral("weekly.pdf")), document});
        if (!command.waitForFinished(300000) || command.exitCode() != 0)
            state.SkipWithError("pellandra --pdf failed");
    }
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    state.counters["peakMB"] = double(usage.ru_maxrss) / 1024;
    state.counters["fileMB"] = double(QFileInfo(dir.filePath(QStringLiteral("weekly.pdf"))).size()) / (1 << 20);
}

} // namespace

BENCHMARK(BM_PreviewFirstPage_Weekly90000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewAnyPage_Weekly90000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PdfCommand_Weekly90000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
