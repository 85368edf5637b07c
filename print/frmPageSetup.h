#pragma once

#include "document/PrintOptions.h"
#include "engine/NumberFormat.h"

#include <QDialog>
#include <QFont>

#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace ui {
class UserDialogs;
}

namespace print {

// What the page set-up knows of its document besides the print options: what the margin test measures, the date the
// header samples show, how the document is marked modified, and the locale's numbers.
struct PageSetupContext
{
    bool newDocument = false; // never saved nor opened: it gets the default options first
    QFont font; // the grid's
    QString firstCell; // row 1, column 1 of the visible grid
    int firstColumnWidth = 0; // twips
    QString date; // today, in the system's short form
    QString messageTitle;
    std::function<void()> markModified;
    engine::NumberFormat format; // how the margins and the scaling are typed
};

// Page Setup: edits working copies of a document's print options on four tabs and hands them to the record when
// asked. It can also hand the document over to printing or to the preview, which the caller then runs.
class frmPageSetup : public QDialog
{
    Q_OBJECT

public:
    enum class Outcome { Cancelled, Applied, Print, Preview };

    frmPageSetup(document::PrintOptions &record, PageSetupContext context, ui::UserDialogs &dialogs, QPrinter &printer,
                 QWidget *parent = nullptr);

    // Opened from the preview, the dialog offers neither printing nor a preview.
    void setPrintButtonsVisible(bool visible);
    Outcome outcome() const { return m_outcome; }
    const document::PrintOptions &workingCopy() const { return m_working; }

    // The defaults into the record, once per document, then the working copies from the record.
    void SetPageOptionDefault();
    // The working copies into the record, when any differs; the dialog closes in either case.
    void apply();

    QTabWidget *tabs() const { return m_tabs; }
    QRadioButton *portrait() const { return m_portrait; }
    QRadioButton *landscape() const { return m_landscape; }
    QLineEdit *scaling() const { return m_scaling; }
    QComboBox *paperSize() const { return m_paperSize; }
    // Top, bottom, left, right, header and footer, in inches.
    QLineEdit *marginField(int index) const { return m_margins[size_t(index)]; }
    QCheckBox *centerHorizontally() const { return m_centerHorizontally; }
    QCheckBox *centerVertically() const { return m_centerVertically; }
    QComboBox *headerList() const { return m_headerList; }
    QComboBox *footerList() const { return m_footerList; }
    QLabel *headerSample(int slot) const { return m_headerSample[size_t(slot)]; }
    QLabel *footerSample(int slot) const { return m_footerSample[size_t(slot)]; }
    QCheckBox *gridLines() const { return m_gridLines; }
    QCheckBox *blackAndWhite() const { return m_blackAndWhite; }
    QCheckBox *repeatHeading() const { return m_repeatHeading; }
    QCheckBox *titleComments() const { return m_titleComments; }
    QSlider *density() const { return m_density; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *printButton() const { return m_print; }
    QPushButton *previewButton() const { return m_preview; }
    QPushButton *optionButton() const { return m_option; }

public slots:
    // OK: the margin test, then Apply; "The Margins are too Big" keeps the dialog open.
    void okClicked();
    // Cancel, Escape and the window's close button: nothing is stored.
    void cancelClicked();
    void reject() override;
    void printClicked();
    void previewClicked();
    // The printing system's printer set-up, its paper and orientation taken back; a cancel changes nothing.
    void optionClicked();

private:
    QWidget *pageTab();
    QWidget *marginsTab();
    QWidget *headerFooterTab();
    QWidget *sheetTab();
    void showWorkingCopies();
    void showStored(QLineEdit *field, const QString &text);
    void showSample(const std::array<QLabel *, 3> &cells, int choice);
    void showDensity();
    // Stores a control's value in its working copy; a value that differs from the record's marks the setup changed.
    template<typename T>
    void change(T document::PrintOptions::*field, T value);
    void finish(Outcome outcome);

    document::PrintOptions &m_record;
    document::PrintOptions m_working;
    PageSetupContext m_context;
    ui::UserDialogs &m_dialogs;
    QPrinter &m_printer;
    Outcome m_outcome = Outcome::Cancelled;
    bool m_loading = false;

    QTabWidget *m_tabs = nullptr;
    QRadioButton *m_portrait = nullptr;
    QRadioButton *m_landscape = nullptr;
    QLineEdit *m_scaling = nullptr;
    QComboBox *m_paperSize = nullptr;
    std::array<QLineEdit *, 6> m_margins {};
    QCheckBox *m_centerHorizontally = nullptr;
    QCheckBox *m_centerVertically = nullptr;
    QComboBox *m_headerList = nullptr;
    QComboBox *m_footerList = nullptr;
    std::array<QLabel *, 3> m_headerSample {};
    std::array<QLabel *, 3> m_footerSample {};
    QCheckBox *m_gridLines = nullptr;
    QCheckBox *m_blackAndWhite = nullptr;
    QCheckBox *m_repeatHeading = nullptr;
    QCheckBox *m_titleComments = nullptr;
    QSlider *m_density = nullptr;
    QLabel *m_densityValue = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_preview = nullptr;
    QPushButton *m_option = nullptr;
};

} // namespace print
