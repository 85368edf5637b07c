#pragma once

#include "PageSurface.h"
#include "TableLayout.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QPrinter;
class QPushButton;

namespace ui {
class UserDialogs;
}

namespace print {

class PageView;

// What the preview needs of the program around it.
class PreviewServices
{
public:
    virtual ~PreviewServices() = default;
    // The table and the print options to lay out, as the document has them now.
    virtual PrintJob printJob() = 0;
    // Page Setup on the same document, without its Print and Print Preview buttons; true when it changed a value.
    virtual bool runPageSetup() = 0;
    // "Page n of m" in the main window's status bar; an empty text clears it.
    virtual void showPageStatus(const QString &text) = 0;
    // Runs `work` under the main window's progress bar; `work` reports the rows it reached to the function it gets.
    virtual void withProgress(const std::function<void(const TableLayout::Progress &)> &work) = 0;
    // Tells the user what went wrong.
    virtual void showMessage(const QString &text) = 0;
};

// Print Preview: the document's pages one at a time at a chosen zoom, with Print..., Setup, Previous, Next and Close.
// Printing directly uses it too, without showing it.
class frmPrintPreview : public QWidget
{
    Q_OBJECT

public:
    // Printing directly builds no preview: the pages are counted first and built after the print dialog.
    frmPrintPreview(PreviewServices &services, ui::UserDialogs &dialogs, QPrinter &printer, bool printDirectly,
                    QWidget *parent = nullptr);
    ~frmPrintPreview() override;

    PageSurface &surface() { return m_surface; }
    PageView *view() const { return m_view; }
    QPushButton *printButton() const { return m_print; }
    QPushButton *setupButton() const { return m_setup; }
    QPushButton *previousButton() const { return m_previous; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *closeButton() const { return m_close; }
    QComboBox *zoomList() const { return m_zoom; }
    int currentPage() const;
    int pageCount() const { return m_surface.pageCount(); }

public slots:
    // The pages laid out again from the document as it is now, page 1 shown.
    void buildPages();
    // Print...: the print dialog offering pages 1 to the page count, then the pages chosen. False when nothing was
    // printed: the dialog was cancelled (silently) or the printer failed (with a message).
    bool Print();
    // Page Setup on the document; the pages are built again only when it changed something.
    void setup();
    void previousPage();
    void nextPage();
    void zoomChosen(int index);
    // Close, and Escape.
    void closePreview();

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showPage(int page);

    PreviewServices &m_services;
    ui::UserDialogs &m_dialogs;
    QPrinter &m_printer;
    bool m_printDirectly;
    PageSurface m_surface;
    PageView *m_view = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_setup = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_close = nullptr;
    QComboBox *m_zoom = nullptr;
};

// File > Print: the document through the print dialog to the printer, its preview never shown. False when nothing
// was printed.
bool printDirectly(PreviewServices &services, ui::UserDialogs &dialogs, QPrinter &printer, QWidget *parent);

} // namespace print
