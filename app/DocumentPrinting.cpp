#include "DocumentPrinting.h"

#include "ComparisonPrinting.h"
#include "DialogHost.h"
#include "DocumentWindows.h"
#include "Icons.h"
#include "LoanComparisonWindow.h"
#include "ProgressShown.h"
#include "SettingsKeys.h"
#include "StatusReporter.h"
#include "frmChild.h"

#include "print/PageSetupRules.h"
#include "print/PdfOutput.h"
#include "print/PrintableTable.h"
#include "print/frmPageSetup.h"
#include "print/frmPrintPreview.h"
#include "ui/Twips.h"
#include "views/ScheduleModel.h"
#include "views/ScheduleView.h"

#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>

namespace app {

print::PrintJob schedulePrintJob(const QAbstractItemModel &model, std::vector<int> widths,
                                 const document::DocumentData &data, const QString &caption, const QString &date,
                                 const views::ViewPreferences &preferences)
{
    print::PrintJob job;
    job.table = std::make_shared<print::ModelTable>(model, std::move(widths));
    job.options = data.print;
    job.caption = caption;
    job.date = date;
    job.title = QString::fromStdString(data.loan.gstrTitle);
    job.comments = QString::fromStdString(data.loan.gstrComments);
    job.font = views::scheduleFont();
    job.rowInterval = preferences.rowInterval;
    job.rowIntervalColor = preferences.rowIntervalColor;
    return job;
}

bool writeSchedulePdf(const document::DocumentData &data, const QString &caption, const QString &output, QString *error)
{
    views::ScheduleModel model(data.loan, data.columns);
    model.paintCells();
    std::vector<int> widths;
    for (int p = 0; p < model.columnCount(); ++p)
        widths.push_back(data.columns.columns[size_t(model.logicalColumn(p))].Width);
    const print::PrintJob job =
        schedulePrintJob(model, std::move(widths), data, caption,
                         QLocale().toString(QDate::currentDate(), QLocale::ShortFormat), views::ViewPreferences());
    if (!print::marginsFit(job)) {
        if (error)
            *error = QString::fromLatin1(print::kMarginsTooBigMessage);
        return false;
    }
    print::TableLayout layout(job);
    print::PageSurface surface;
    layout.build(surface);
    return print::writePdf(surface, output, caption, error);
}

// The preview's view of the document it shows and of the main window around it.
class DocumentPrinting::Services : public print::PreviewServices
{
public:
    explicit Services(DocumentPrinting &owner)
        : m_owner(owner)
    { }

    print::PrintJob printJob() override
    {
        if (m_owner.m_comparison)
            return m_owner.printJob(*m_owner.m_comparison);
        return m_owner.m_document ? m_owner.printJob(*m_owner.m_document) : print::PrintJob();
    }
    bool runPageSetup() override { return m_owner.m_document && m_owner.runPageSetup(*m_owner.m_document, true); }
    void showPageStatus(const QString &text) override { m_owner.m_status.setPageStatus(text); }
    void withProgress(const std::function<void(const print::TableLayout::Progress &)> &work) override
    {
        const ProgressShown progress(m_owner.m_status, 100);
        StatusReporter &status = m_owner.m_status;
        work([&status](int done, int total) { status.SetProgressBar(done, total); });
    }
    void showMessage(const QString &text) override
    {
        m_owner.m_host.message(text, ui::UserDialogs::Ok, ui::UserDialogs::Icon::Warning);
    }

private:
    DocumentPrinting &m_owner;
};

DocumentPrinting::DocumentPrinting(DocumentWindows &windows, DialogHost &host, StatusReporter &status, QObject *parent)
    : QObject(parent)
    , m_windows(windows)
    , m_host(host)
    , m_status(status)
    , m_services(std::make_unique<Services>(*this))
{ }

DocumentPrinting::~DocumentPrinting()
{
    // The preview's frame is the main window's: it must not call back into a printing object that has gone.
    if (m_previewFrame)
        disconnect(m_previewFrame, nullptr, this, nullptr);
    if (m_preview)
        disconnect(m_preview, nullptr, this, nullptr);
}

QPrinter &DocumentPrinting::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

print::PrintJob DocumentPrinting::printJob(frmChild &document) const
{
    views::ScheduleGrid *grid = document.view()->gridMain1();
    const QAbstractItemModel &model = *grid->model();
    const auto *schedule = qobject_cast<const views::ScheduleModel *>(&model);
    std::vector<int> widths;
    for (int p = 0; p < model.columnCount(); ++p) {
        int twips = ui::twipsFromPixels(grid->columnWidth(p));
        // A width the user has not dragged keeps its exact twips.
        if (const int k = schedule ? schedule->logicalColumn(p) : -1; k >= 0) {
            const int stored = document.data().columns.columns[size_t(k)].Width;
            if (views::pixels(stored) == grid->columnWidth(p))
                twips = stored;
        }
        widths.push_back(twips);
    }
    return schedulePrintJob(model, std::move(widths), document.data(), document.windowTitle(),
                            QLocale().toString(m_host.today(), QLocale::ShortFormat), m_windows.viewPreferences());
}

print::PrintJob DocumentPrinting::printJob(const LoanComparisonWindow &comparison) const
{
    const QList<frmChild *> documents = comparison.documents();
    const document::PrintOptions paper =
        documents.isEmpty() ? document::PrintOptions() : documents.first()->data().print;
    return comparisonPrintJob(comparison.comparison(), m_windows.numberFormat(), paper,
                              QLocale().toString(m_host.today(), QLocale::ShortFormat));
}

bool DocumentPrinting::runPageSetup(frmChild &document, bool fromPreview)
{
    views::ScheduleGrid *grid = document.view()->gridMain1();
    const QAbstractItemModel &model = *grid->model();
    print::PageSetupContext context;
    context.newDocument = document.isUntitled();
    context.font = views::scheduleFont();
    context.firstCell = model.index(0, 1).data().toString();
    context.firstColumnWidth = model.columnCount() > 0 ? ui::twipsFromPixels(grid->columnWidth(0)) : 0;
    context.date = QLocale().toString(m_host.today(), QLocale::ShortFormat);
    context.messageTitle = kSettingsName;
    context.format = m_windows.numberFormat();
    const QPointer<frmChild> guarded(&document);
    context.markModified = [guarded] {
        if (guarded)
            guarded->markModified();
    };

    print::frmPageSetup dialog(document.data().print, std::move(context), m_host.dialogs(), printer(),
                               m_host.dialogParent());
    dialog.setPrintButtonsVisible(!fromPreview);
    m_host.runDialog(dialog);
    if (!guarded)
        return false;
    switch (dialog.outcome()) {
    case print::frmPageSetup::Outcome::Print:
        printDirectly();
        break;
    case print::frmPageSetup::Outcome::Preview:
        openPreview();
        break;
    case print::frmPageSetup::Outcome::Applied:
    case print::frmPageSetup::Outcome::Cancelled:
        break;
    }
    return document.data().print.SetupChanged;
}

void DocumentPrinting::pageSetup()
{
    if (frmChild *document = m_windows.activeDocument())
        runPageSetup(*document, false);
}

void DocumentPrinting::printDirectly()
{
    LoanComparisonWindow *comparison = m_windows.activeComparison();
    frmChild *document = m_windows.activeDocument();
    if ((!document && !comparison) || m_preview)
        return;
    if (!m_host.dialogs().printerConfigured()) {
        // An empty print dialog leads nowhere: the same pages can go into a PDF file.
        const bool exportChosen = m_host.dialogs().confirm(
            m_host.dialogParent(), kSettingsName,
            tr("No printer is set up on this computer.\nThe pages can be exported as a PDF file instead."),
            tr("&Export as PDF..."), ui::UserDialogs::Icon::Information);
        if (exportChosen && m_exportPdf)
            m_exportPdf();
        return;
    }
    m_comparison = comparison;
    m_document = comparison ? nullptr : document;
    if (marginsFit())
        print::printDirectly(*m_services, m_host.dialogs(), printer(), m_host.dialogParent());
    m_document = nullptr;
    m_comparison = nullptr;
}

void DocumentPrinting::openPreview()
{
    LoanComparisonWindow *comparison = m_windows.activeComparison();
    frmChild *document = comparison ? nullptr : m_windows.activeDocument();
    if ((!document && !comparison) || m_preview)
        return;
    m_document = document;
    m_comparison = comparison;
    if (!marginsFit()) {
        m_document = nullptr;
        m_comparison = nullptr;
        return;
    }
    QWidget *shown = comparison ? static_cast<QWidget *>(comparison) : document;
    auto *frame = qobject_cast<QMdiSubWindow *>(shown->parentWidget());
    m_documentState = frame ? frame->windowState() : Qt::WindowNoState;
    m_topRow = document ? document->view()->gridMain1()->verticalScrollBar()->value() : 0;
    emit previewShown(true);

    m_preview = new print::frmPrintPreview(*m_services, m_host.dialogs(), printer(), false);
    m_previewFrame = m_windows.mdiArea()->addSubWindow(m_preview);
    m_previewFrame->setAttribute(Qt::WA_DeleteOnClose);
    m_previewFrame->setWindowIcon(icon(IconKind::PrintPreview));
    m_previewFrame->setWindowTitle(m_preview->windowTitle());
    connect(m_preview, &print::frmPrintPreview::closed, this, &DocumentPrinting::previewClosed);
    // A document that closes takes its preview with it.
    connect(shown, &QObject::destroyed, this, &DocumentPrinting::closePreview);
    // A comparison's page is its own: no page set-up of a document applies to it.
    m_preview->setupButton()->setVisible(!comparison);
    m_previewFrame->showMaximized();
    m_preview->setFocus();
}

bool DocumentPrinting::marginsFit()
{
    if (print::marginsFit(m_services->printJob()))
        return true;
    m_services->showMessage(QString::fromLatin1(print::kMarginsTooBigMessage));
    return false;
}

void DocumentPrinting::closePreview()
{
    if (m_preview)
        m_preview->closePreview();
}

void DocumentPrinting::previewClosed()
{
    emit previewShown(false);
    m_preview = nullptr;
    if (m_comparison) {
        disconnect(m_comparison, &QObject::destroyed, this, &DocumentPrinting::closePreview);
        const QPointer<LoanComparisonWindow> comparison = m_comparison;
        const Qt::WindowStates state = m_documentState;
        auto restore = [this, comparison, state] {
            auto *frame = comparison ? qobject_cast<QMdiSubWindow *>(comparison->parentWidget()) : nullptr;
            if (!frame)
                return;
            frame->setWindowState(state);
            m_windows.mdiArea()->setActiveSubWindow(frame);
        };
        if (m_previewFrame)
            connect(m_previewFrame, &QObject::destroyed, this, restore);
        else
            restore();
        m_comparison = nullptr;
        return;
    }
    if (!m_document)
        return;
    disconnect(m_document, &QObject::destroyed, this, &DocumentPrinting::closePreview);
    // The area gives a window that becomes active the state of the maximized preview: the document's own state
    // goes back once the preview's frame has left the area.
    const QPointer<frmChild> document = m_document;
    const Qt::WindowStates state = m_documentState;
    const int topRow = m_topRow;
    auto restore = [this, document, state, topRow] {
        if (!document)
            return;
        if (auto *frame = qobject_cast<QMdiSubWindow *>(document->parentWidget()))
            frame->setWindowState(state);
        m_windows.activateDocument(*document);
        document->view()->gridMain1()->verticalScrollBar()->setValue(topRow);
    };
    if (m_previewFrame)
        connect(m_previewFrame, &QObject::destroyed, this, restore);
    else
        restore();
    m_document = nullptr;
}

} // namespace app
