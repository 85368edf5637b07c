#pragma once

#include "print/TableLayout.h"
#include "print/frmPrintPreview.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QAbstractItemModel;
class QMdiSubWindow;
class QPrinter;

namespace document {
struct DocumentData;
}
namespace views {
struct ViewPreferences;
}

namespace app {

class DialogHost;
class DocumentWindows;
class LoanComparisonWindow;
class StatusReporter;
class frmChild;

// A schedule table ready to print: the document's print options, title and comments around the table of `model`
// shown at `widths` (twips), banded and coloured as the grid is.
print::PrintJob schedulePrintJob(const QAbstractItemModel &model, std::vector<int> widths,
                                 const document::DocumentData &data, const QString &caption, const QString &date,
                                 const views::ViewPreferences &preferences);

// The schedule of a computed document printed into a PDF file with the document's print options, `caption` standing
// for its file name; an existing file is replaced only by a complete one. False with the reason.
bool writeSchedulePdf(const document::DocumentData &data, const QString &caption, const QString &output,
                      QString *error);

// File > Page Setup, Print Preview and Print... on the active document, and Print Preview and Print... on the Loan
// Comparison in front. The preview opens inside the main window, whose menus and toolbar step aside until it closes.
class DocumentPrinting : public QObject
{
    Q_OBJECT

public:
    DocumentPrinting(DocumentWindows &windows, DialogHost &host, StatusReporter &status, QObject *parent);
    ~DocumentPrinting() override;

    // What a document window prints: its visible grid as it shows it now.
    print::PrintJob printJob(frmChild &document) const;
    // What a comparison prints: its table and chart on one page of its first loan's paper.
    print::PrintJob printJob(const LoanComparisonWindow &comparison) const;
    // The printer every print and printer set-up goes to, made when first needed.
    QPrinter &printer();

    void pageSetup();
    void openPreview();
    // Print...: the print dialog, or, when no printer is set up, the offer of `setPdfExport`'s export instead.
    void printDirectly();
    void setPdfExport(std::function<void()> exportPdf) { m_exportPdf = std::move(exportPdf); }
    // Page Setup on a document; true when it left a value changed. From the preview it offers no printing.
    bool runPageSetup(frmChild &document, bool fromPreview);

    print::frmPrintPreview *preview() const { return m_preview; }
    // Closes the preview, if one is open, as its Close button does.
    void closePreview();

signals:
    // The preview opened (true) or closed: the main window's menus and toolbar step aside while it is open.
    void previewShown(bool shown);

private:
    class Services;

    void previewClosed();
    // Whether the pages of what is to print leave room for its rows; says so when they do not.
    bool marginsFit();

    DocumentWindows &m_windows;
    DialogHost &m_host;
    StatusReporter &m_status;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<Services> m_services;
    QPointer<print::frmPrintPreview> m_preview;
    QPointer<QMdiSubWindow> m_previewFrame;
    QPointer<frmChild> m_document;
    QPointer<LoanComparisonWindow> m_comparison;
    Qt::WindowStates m_documentState;
    int m_topRow = 0;
    std::function<void()> m_exportPdf;
};

} // namespace app
