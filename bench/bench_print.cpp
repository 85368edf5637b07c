// Printing the 90,000-period weekly loan (about 1,100 pages): the pages laid out and the first one painted as the
// preview shows it, any later page painted, and the whole schedule written to a PDF file with the memory it took.
// Runs on the offscreen platform.
#include "BenchDocuments.h"

#include "document/DocumentFile.h"
#include "print/PageSurface.h"
#include "print/PdfOutput.h"
#include "print/PrintableTable.h"
#include "print/TableLayout.h"
#include "views/ScheduleModel.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

// The computed loan with the grid's model over it and its columns as wide as Auto Fit makes them.
struct PrintedLoan
{
    PrintedLoan()
    {
        data.loan = bench::weekly(90000, format);
        data.columns.init(true);
        engine::Calculate(data.loan, format);
        model = std::make_unique<views::ScheduleModel>(data.loan, data.columns);
        const int widths[] = {700, 1100, 1700, 800, 1100, 900, 1700, 800, 1100, 900, 1700, 1500, 1200};
        for (int c = 0; c < model->columnCount(); ++c)
            columnWidths.push_back(widths[size_t(c)]);
        job.table = std::make_shared<print::ModelTable>(*model, columnWidths);
        job.options.Orientation = false; // landscape, so that most columns fit
        job.caption = QStringLiteral("weekly.plr");
        job.date = QStringLiteral("12/8/2026");
        job.font = QFont(QStringLiteral("MS Sans Serif"), 8);
        job.font.setStyleHint(QFont::SansSerif);
    }
    engine::NumberFormat format;
    document::DocumentData data;
    std::unique_ptr<views::ScheduleModel> model;
    std::vector<int> columnWidths;
    print::PrintJob job;
};

void paintAtScreenSize(print::PageSurface &surface, int page, QImage &image)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(96.0 / print::kTwipsPerInch, 96.0 / print::kTwipsPerInch);
    surface.paintPage(painter, page);
}

void BM_PreviewFirstPage_Weekly90000(benchmark::State &state)
{
    PrintedLoan loan;
    QImage image(1056, 816, QImage::Format_RGB32);
    print::PageSurface surface;
    for (auto _ : state) {
        print::TableLayout layout(loan.job);
        layout.build(surface);
        paintAtScreenSize(surface, 1, image);
    }
    state.counters["pages"] = surface.pageCount();
}

void BM_PreviewAnyPage_Weekly90000(benchmark::State &state)
{
    PrintedLoan loan;
    QImage image(1056, 816, QImage::Format_RGB32);
    print::PageSurface surface;
    print::TableLayout layout(loan.job);
    layout.build(surface);
    int page = 1;
    for (auto _ : state) {
        page = page * 7 % surface.pageCount() + 1;
        paintAtScreenSize(surface, page, image);
    }
}

void BM_PdfWholeSchedule_Weekly90000(benchmark::State &state)
{
    PrintedLoan loan;
    QTemporaryDir folder;
    print::PageSurface surface;
    for (auto _ : state) {
        print::TableLayout layout(loan.job);
        layout.build(surface);
        QString error;
        if (!print::writePdf(surface, folder.filePath(QStringLiteral("weekly.pdf")), QString(), &error))
            state.SkipWithError(qPrintable(error));
    }
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["pages"] = surface.pageCount();
    state.counters["peakMB"] = double(usage.ru_maxrss) / 1024;
}

} // namespace

BENCHMARK(BM_PreviewFirstPage_Weekly90000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewAnyPage_Weekly90000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PdfWholeSchedule_Weekly90000)->Unit(benchmark::kMillisecond)->Iterations(1);
