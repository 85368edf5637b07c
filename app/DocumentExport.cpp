#include "DocumentExport.h"

#include "DialogHost.h"
#include "DocumentPrinting.h"
#include "DocumentWindows.h"
#include "FileAccess.h"
#include "LoanComparisonWindow.h"
#include "ProgressShown.h"
#include "StatusReporter.h"
#include "frmChild.h"

#include "engine/DelimitedTables.h"
#include "print/PageSetupRules.h"
#include "print/PageSurface.h"
#include "print/PdfOutput.h"
#include "views/ScheduleGrid.h"
#include "views/ScheduleView.h"
#include "views/YearEndModel.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>

namespace app {

namespace {

// How often a running export lets the window repaint and looks for Esc, in milliseconds.
constexpr int kEventInterval = 50;

// For the life of an export: the user's input waits, except Esc, which stops the export; closing a window waits too.
// Events are let through now and then, so that the progress shows and the key is seen.
class EscapeStops : public QObject
{
public:
    EscapeStops() { QCoreApplication::instance()->installEventFilter(this); }
    ~EscapeStops() override { QCoreApplication::instance()->removeEventFilter(this); }
    EscapeStops(const EscapeStops &) = delete;
    EscapeStops &operator=(const EscapeStops &) = delete;

    // Whether Esc was pressed; looks at the events waiting first when it last did a while ago.
    bool stopped()
    {
        if (!m_stopped && (!m_clock.isValid() || m_clock.elapsed() >= kEventInterval)) {
            QCoreApplication::processEvents();
            m_clock.start();
        }
        return m_stopped;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::ShortcutOverride: // what a shortcut of the key would see first
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
                m_stopped = true;
            return true;
        case QEvent::Close:
            event->ignore();
            return true;
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::ContextMenu:
        case QEvent::Drop:
            return true;
        default:
            return false;
        }
    }

private:
    QElapsedTimer m_clock;
    bool m_stopped = false;
};

// The byte-order mark that tells spreadsheet programs the file is UTF-8 (without it some read it in the system's
// legacy code page, and the accents of a title come out wrong).
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

} // namespace

DocumentExport::DocumentExport(DocumentWindows &windows, DialogHost &host, StatusReporter &status,
                               DocumentPrinting &printing, std::function<QString()> folder, QObject *parent)
    : QObject(parent)
    , m_windows(windows)
    , m_host(host)
    , m_status(status)
    , m_printing(printing)
    , m_folder(std::move(folder))
{ }

bool DocumentExport::available() const
{
    return !m_windows.scenarioActive() && (m_windows.activeDocument() || m_windows.activeComparison());
}

QString DocumentExport::proposedName(const frmChild *document, const QString &suffix) const
{
    const QString folder = m_folder ? m_folder() : QString();
    if (!document)
        return QDir(folder).filePath(tr("Loan Comparison") + QLatin1Char('.') + suffix);
    const QString file = QString::fromStdString(document->loan().gstrFileName);
    if (file.isEmpty() || document->isUntitled())
        return QDir(folder).filePath(QFileInfo(document->windowTitle()).completeBaseName() + QLatin1Char('.') + suffix);
    const QFileInfo info(file);
    return info.dir().filePath(info.completeBaseName() + QLatin1Char('.') + suffix);
}

QString DocumentExport::chooseFile(const QString &title, const QString &proposed, const QString &filter,
                                   const QString &suffix)
{
    QString start = proposed;
    for (;;) {
        QString name = m_host.dialogs().saveFile(m_host.dialogParent(), title, start, filter);
        if (name.isEmpty())
            return {};
        name = absolutePath(name);
        // Only the file's own name says whether it has an extension: many folders here have a dot in theirs.
        if (QFileInfo(name).fileName().contains(QLatin1Char('.')))
            return name;
        name += QLatin1Char('.') + suffix;
        // The dialog asked before replacing the name as typed, not the one the extension makes.
        if (!QFileInfo::exists(name)
            || m_host.message(tr("'%1' already exists.\nDo you want to replace it?")
                                  .arg(quotedForMessage(QFileInfo(name).fileName())),
                              ui::UserDialogs::Yes | ui::UserDialogs::No, ui::UserDialogs::Icon::Warning)
                == ui::UserDialogs::Yes)
            return name;
        start = name;
    }
}

QString DocumentExport::checkedTarget(const QString &path)
{
    const WriteTarget target = writeTarget(path);
    if (!target.ok()) {
        showWriteError(path, target.refusal);
        return {};
    }
    // An export never takes the place of an open document's file.
    for (const frmChild *document : m_windows.documents()) {
        const QString file = QString::fromStdString(document->loan().gstrFileName);
        if (!file.isEmpty() && sameExistingFile(target.path, file)) {
            showWriteError(path, tr("It is an open document, and is left as it is."));
            return {};
        }
    }
    return target.path;
}

void DocumentExport::showWriteError(const QString &path, const QString &reason)
{
    m_host.message(tr("Cannot write '%1': %2").arg(quotedForMessage(QFileInfo(path).fileName()), reason),
                   ui::UserDialogs::Ok, ui::UserDialogs::Icon::Critical);
}

void DocumentExport::exportPdf()
{
    LoanComparisonWindow *comparison = m_windows.scenarioActive() ? nullptr : m_windows.activeComparison();
    frmChild *document = comparison || m_windows.scenarioActive() ? nullptr : m_windows.activeDocument();
    if (!document && !comparison)
        return;
    const QString chosen = chooseFile(tr("Export as PDF"), proposedName(document, QStringLiteral("pdf")),
                                      tr("PDF files (*.pdf)"), QStringLiteral("pdf"));
    if (chosen.isEmpty())
        return;
    const QString target = checkedTarget(chosen);
    if (target.isEmpty())
        return;
    // The pages are those the printout would have: the same job, laid out by the same routine.
    const print::PrintJob job = comparison ? m_printing.printJob(*comparison) : m_printing.printJob(*document);
    if (!print::marginsFit(job)) {
        m_host.message(QString::fromLatin1(print::kMarginsTooBigMessage), ui::UserDialogs::Ok,
                       ui::UserDialogs::Icon::Warning);
        return;
    }
    print::PageSurface surface;
    QString error;
    bool written = false;
    bool stopped = false;
    {
        EscapeStops escape;
        ProgressShown progress(m_status, 50);
        print::TableLayout layout(job);
        layout.build(surface, [&](int done, int total) {
            m_status.SetProgressBar(done, total);
            stopped = stopped || escape.stopped();
        });
        if (stopped)
            return;
        progress.nextSegment(100);
        written = print::writePdf(surface, target, job.caption, &error, [&](int done, int total) {
            m_status.SetProgressBar(done, total);
            stopped = escape.stopped();
            return !stopped;
        });
    }
    if (!written && !stopped)
        showWriteError(chosen, error);
}

void DocumentExport::exportCsv()
{
    LoanComparisonWindow *comparison = m_windows.scenarioActive() ? nullptr : m_windows.activeComparison();
    frmChild *document = comparison || m_windows.scenarioActive() ? nullptr : m_windows.activeDocument();
    if (!document && !comparison)
        return;
    const QString chosen = chooseFile(tr("Export as CSV"), proposedName(document, QStringLiteral("csv")),
                                      tr("CSV files (*.csv)"), QStringLiteral("csv"));
    if (chosen.isEmpty())
        return;
    const QString target = checkedTarget(chosen);
    if (target.isEmpty())
        return;
    QByteArray bytes(kUtf8Mark);
    bool complete = false;
    {
        EscapeStops escape;
        const ProgressShown progress(m_status, 100);
        const engine::DelimitedOut out = [&](std::string_view text, int done, int total) {
            bytes.append(text.data(), qsizetype(text.size()));
            m_status.SetProgressBar(done, total);
            return !escape.stopped();
        };
        // The table the command line writes for what is in front: the same text, by the same functions.
        if (comparison) {
            complete = engine::writeComparisonTable(comparison->comparison(), ',', out);
        } else if (const views::ScheduleGrid *grid = document->view()->gridMain1();
                   grid->reportShown() && grid->yearEndModel()) {
            complete = engine::writeYearEndTable(grid->yearEndModel()->report(), ',', out);
        } else {
            complete = engine::writeScheduleTable(document->loan().gridMain0, ',', out);
        }
    }
    if (!complete)
        return;
    if (const QString error = replaceFile(target, bytes); !error.isEmpty())
        showWriteError(chosen, error);
}

} // namespace app
