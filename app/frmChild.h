#pragma once

#include "document/DocumentFile.h"
#include "views/ShellServices.h"

#include <QWidget>

class QTableView;
class QSplitter;
class QUndoStack;

namespace document {
class DocumentEdit;
}

namespace engine {
class NumberFormat;
}

namespace views {
class ScheduleView;
}

namespace app {

class DialogHost;
class StatusReporter;

// A document window: one loan with its column layout and print options, and the views of its schedule. Whether it
// holds changes not saved is its window-modified flag; whether it was ever saved under a name of its own, its untitled
// flag. Whoever closes it decides first whether to save: the window asks nothing on closing.
class frmChild : public QWidget, public views::ShellServices
{
    Q_OBJECT

public:
    // `folder`: where the document came from (or the last folder used, for a new one).
    frmChild(int slot, const engine::NumberFormat &format, StatusReporter &status, DialogHost &dialogs,
             const QString &folder, QWidget *parent = nullptr);
    ~frmChild() override;

    int slot() const { return m_slot; }
    document::DocumentData &data() { return m_data; }
    const document::DocumentData &data() const { return m_data; }
    engine::LoanDocument &loan() { return m_data.loan; }
    const engine::LoanDocument &loan() const { return m_data.loan; }
    const QString &folder() const { return m_folder; }

    // Rebuilds the schedule and the views, nothing more; a schedule that cannot be computed is reported to the user.
    bool Calculate();
    using Change = std::function<void(document::DocumentData &)>;
    // Every change of an open document goes through here (see ShellServices), and onto the undo stack.
    bool changeAndRecalculate(const QString &what, const Change &change) override;
    // A change that no figure of the schedule depends on (a new title), taken back and made again like any other.
    void changeKeepingSchedule(const QString &what, const Change &change);
    // The document's changes for Edit > Undo and Redo, clean where the document was last saved or opened.
    QUndoStack *undoStack() const { return m_undo; }
    // Sets the document back (or forth) by one change of the stack, its schedule computed under the progress bar.
    void applyEdit(const document::DocumentEdit &edit, bool redo);
    // Whether the document holds changes not saved; the window's title shows it with a "*". Set by a change that
    // cannot be taken back (a width, the page setup), undoing no longer leads back to the saved document; cleared
    // once it is saved or opened.
    void setModified(bool modified);
    // Never saved under a name of its own: saving asks for one.
    bool isUntitled() const { return m_untitled; }
    void setUntitled(bool untitled) { m_untitled = untitled; }
    // Closes the window with nothing to save: a new document whose wizard was cancelled.
    void discard();
    // Writes the document to `path` without touching the slot's flags; a failure leaves the old file whole and gives
    // the message that tells why.
    bool SaveToFile(const QString &path, QString *error);
    // Shows or hides the change tables and the schedule table under the grid (a diagnostic).
    void toggleHiddenGrids();
    bool hiddenGridsShown() const;

    views::ScheduleView *view() const { return m_view; }
    QTableView *gridMain1() const;
    // The grid columns fitted to their contents (a new document's first layout).
    void AutoSizeMainGrid();
    // The year-end report for closing month 1..12 in place of the schedule, under the progress bar; the document's
    // modified flag stays as it was. Closing it brings the schedule back.
    void YearEndReport(int closingMonth);
    void CloseYearEndReport();
    bool reportShown() const { return m_data.loan.gblnReportFlag; }
    // The dates shown again in the program's date format, which has just changed.
    void dateFormatChanged();

    void SetProgressBar(int done, int total) override;
    void markModified() override;
    void showMessage(const QString &text) override;
    void setCellStatus(const QString &text) override;
    engine::Date today() const override;

signals:
    // The schedule was computed again, or its texts or the loan's name changed (another date format, title or file
    // name): what shows it must follow.
    void scheduleShown();
    // The window is closing for good, in `windowState` (kStateNormal, kStateMaximized or kStateMinimized).
    void closing(int windowState);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The document's values, its schedule left out.
    document::DocumentData withoutSchedule();
    // Runs `change` and computes the schedule; a schedule that cannot be computed brings `before` back.
    bool recalculateWith(const Change &change, document::DocumentData before);
    // The schedule computed for the document as it stands, a failure reported; the views are left as they were.
    bool computeSchedule();
    // The views and whoever follows the schedule shown what the document holds now.
    void showSchedule();
    void showModified(bool modified);
    // Puts what changed since `before` on the undo stack, when anything did.
    void record(const QString &what, document::DocumentData before);

    const engine::NumberFormat &m_format;
    StatusReporter &m_status;
    DialogHost &m_dialogs;
    int m_slot;
    document::DocumentData m_data;
    QString m_folder;
    bool m_untitled = false;
    QSplitter *m_splitter = nullptr;
    views::ScheduleView *m_view = nullptr;
    QWidget *m_hiddenGrids = nullptr;
    QUndoStack *m_undo = nullptr;
};

} // namespace app
