// The schedule grid on a 90,000-period loan: the refresh after a calculation, painting at the top and at the
// bottom, and Auto Fit; the summary and its chart refreshed, and the year-end report shown. Runs on the offscreen
// platform.
#include "BenchDocuments.h"

#include "document/DocumentFile.h"
#include "views/CellEditor.h"
#include "views/NumericCellBox.h"
#include "views/ScheduleModel.h"
#include "views/ScheduleView.h"
#include "views/ShellServices.h"
#include "views/SummaryView.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPixmap>
#include <QTableView>

#include <benchmark/benchmark.h>

namespace {

struct QuietShell : views::ShellServices
{
    void SetProgressBar(int, int) override { }
    void markModified() override { }
    bool changeAndRecalculate(const QString &, const std::function<void(document::DocumentData &)> &change) override
    {
        change(*data);
        const bool ok = engine::Calculate(data->loan, *format).ok;
        view->refreshAfterCalculate();
        return ok;
    }
    document::DocumentData *data = nullptr;
    engine::NumberFormat *format = nullptr;
    views::ScheduleView *view = nullptr;
};

// A computed weekly loan shown in a view of ordinary window size: made here, or read from a document file.
struct ShownLoan
{
    explicit ShownLoan(int periods)
        : ShownLoan(bench::weekly(periods, engine::NumberFormat()))
    { }
    explicit ShownLoan(const char *documentFile)
        : ShownLoan(read(documentFile))
    { }
    explicit ShownLoan(engine::LoanDocument loan)
    {
        data.loan = std::move(loan);
        engine::Calculate(data.loan, format);
        view = std::make_unique<views::ScheduleView>(data, format, shell);
        view->resize(1000, 700);
        view->refreshAfterCalculate();
        shell.data = &data;
        shell.format = &format;
        shell.view = view.get();
    }
    static engine::LoanDocument read(const char *documentFile)
    {
        QFile file(QStringLiteral(PELLANDRA_SOURCE_DIR "/bench/data/") + QLatin1String(documentFile));
        document::DocumentData read;
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            document::readDocument(std::string_view(bytes.constData(), size_t(bytes.size())), read, {});
        }
        return read.loan;
    }

    engine::NumberFormat format;
    QuietShell shell;
    document::DocumentData data;
    std::unique_ptr<views::ScheduleView> view;
};

void BM_GridReadyAfterCalculate_Weekly90000(benchmark::State &state)
{
    ShownLoan shown(90000);
    for (auto _ : state)
        shown.view->refreshAfterCalculate();
    state.counters["rows"] = shown.view->gridMain1()->model()->rowCount();
}

// Painting shows one screenful whichever part of the schedule is in view and however long it is.
void BM_PaintGrid(benchmark::State &state)
{
    ShownLoan shown(int(state.range(0)));
    QTableView *grid = shown.view->gridMain1();
    const bool bottom = state.range(1) != 0;
    grid->scrollTo(grid->model()->index(bottom ? grid->model()->rowCount() - 1 : 0, 0));
    QPixmap target(grid->size());
    for (auto _ : state)
        grid->render(&target);
}

void BM_AutoFit_Weekly90000(benchmark::State &state)
{
    ShownLoan shown(90000);
    for (auto _ : state)
        shown.view->autoFit();
}

// One lump sum typed into the grid and confirmed: the change-table entry, the whole schedule computed again and
// the grid ready to paint; with `repaint`, the grid painted too, as the user sees it.
void editOneCell(benchmark::State &state, bool repaint)
{
    ShownLoan shown(90000);
    shown.view->show();
    QApplication::setActiveWindow(shown.view.get());
    while (!shown.view->isActiveWindow())
        QApplication::processEvents();
    QTableView *grid = shown.view->gridMain1();
    const int lumpColumn = shown.view->model()->visibleColumn(engine::colLumpSum);
    grid->setCurrentIndex(grid->model()->index(45000, lumpColumn));
    grid->setFocus();
    QPixmap target(grid->size());
    double amount = 100;
    for (auto _ : state) {
        shown.view->cellEditor()->paste(QString::number(amount += 1));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(shown.view->cellEditor()->box(), &enter);
        if (shown.view->cellEditor()->editing())
            state.SkipWithError("the edit did not close");
        if (repaint)
            grid->render(&target);
    }
    state.counters["lumpSums"] = shown.data.loan.gridLumpSum.rows() - 1;
}

void BM_EditOneCell_Weekly90000(benchmark::State &state)
{
    editOneCell(state, false);
}

void BM_EditOneCellAndRepaint_Weekly90000(benchmark::State &state)
{
    editOneCell(state, true);
}

// What a calculation refreshes of the summary view: the key figures, their widths, the chart's samples and lines,
// and the layout.
void BM_SummaryRefresh_Weekly90000(benchmark::State &state)
{
    ShownLoan shown("weekly-90000.plr");
    views::SummaryView *summary = shown.view->summaryView();
    for (auto _ : state) {
        summary->PopulateGridSummary();
        summary->AutoSizeSummaryGrid();
        summary->PopulateGridChart();
        summary->PositionSummaryViewControls();
    }
    state.counters["samples"] = double(summary->gridChart().size());
}

// Report > Year End Report: the report made from the schedule, put in the grid, shaded, fitted and painted.
void BM_YearEndReportShown_Weekly90000(benchmark::State &state)
{
    ShownLoan shown("weekly-90000.plr");
    QTableView *grid = shown.view->gridMain1();
    QPixmap target(grid->size());
    int years = 0;
    for (auto _ : state) {
        shown.view->YearEndReport(12);
        grid->render(&target);
        state.PauseTiming();
        years = grid->model()->rowCount();
        shown.view->CloseYearEndReport();
        state.ResumeTiming();
    }
    state.counters["years"] = years;
}

} // namespace

BENCHMARK(BM_SummaryRefresh_Weekly90000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearEndReportShown_Weekly90000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditOneCell_Weekly90000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditOneCellAndRepaint_Weekly90000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridReadyAfterCalculate_Weekly90000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintGrid)->Args({9000, 0})->Args({90000, 0})->Args({90000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutoFit_Weekly90000)->Unit(benchmark::kMillisecond);
