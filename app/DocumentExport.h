#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace app {

class DialogHost;
class DocumentPrinting;
class DocumentWindows;
class StatusReporter;
class frmChild;

// File > Export as PDF... and Export as CSV... on what is in front: a document's schedule or year-end report, or the
// Loan Comparison. The PDF holds the pages the printout would; the CSV file the table the command line writes, in
// UTF-8 with a byte-order mark so that spreadsheet programs read its accents right. Both show their progress, stop at
// Esc, and replace an existing file only once the new one is complete.
class DocumentExport : public QObject
{
    Q_OBJECT

public:
    // `folder`: where a file is proposed when the document has none of its own yet.
    DocumentExport(DocumentWindows &windows, DialogHost &host, StatusReporter &status, DocumentPrinting &printing,
                   std::function<QString()> folder, QObject *parent);

    // Whether there is something in front to export.
    bool available() const;
    void exportPdf();
    void exportCsv();

private:
    // The file the user chooses, with the extension added when the name has none; an empty text when cancelled.
    QString chooseFile(const QString &title, const QString &proposed, const QString &filter, const QString &suffix);
    // The name proposed for the file: the document's own with `suffix`, or the comparison's.
    QString proposedName(const frmChild *document, const QString &suffix) const;
    // Where the file goes, once it is sure the write loses nothing; an empty text, the reason shown, when refused.
    QString checkedTarget(const QString &path);
    void showWriteError(const QString &path, const QString &reason);

    DocumentWindows &m_windows;
    DialogHost &m_host;
    StatusReporter &m_status;
    DocumentPrinting &m_printing;
    std::function<QString()> m_folder;
};

} // namespace app
