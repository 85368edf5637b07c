#pragma once

#include <QList>

class QIcon;
class QMdiArea;
class QMdiSubWindow;
class QString;
class QWidget;

namespace engine {
class NumberFormat;
struct Preferences;
} // namespace engine

namespace views {
struct ViewPreferences;
}

namespace app {

class LoanComparisonWindow;
class frmChild;

// The windows inside the frame: the open documents and the one in front, opening and activating one, and what every
// document window follows (the number format, the display preferences).
class DocumentWindows
{
public:
    virtual ~DocumentWindows() = default;

    // The active document window; null without one, and while a window that is no document is in front.
    virtual frmChild *activeDocument() const = 0;
    virtual QList<frmChild *> documents() const = 0;
    // The Loan Comparison window in front, if that is what the user is looking at.
    virtual LoanComparisonWindow *activeComparison() const = 0;
    // Whether the Scenario window is the active one.
    virtual bool scenarioActive() const = 0;
    virtual QMdiArea *mdiArea() const = 0;

    // Puts a window in the area, to be deleted when closed.
    virtual QMdiSubWindow *addSubWindow(QWidget *content, const QIcon &windowIcon) = 0;
    // A new document window in a free slot, shown and active.
    virtual frmChild *openDocumentWindow(const QString &caption) = 0;
    virtual void setDocumentCaption(frmChild &window, const QString &caption) = 0;
    virtual void activateDocument(frmChild &window) = 0;
    // A window inside became the active one; null when none is.
    virtual void subWindowActivated(QMdiSubWindow *window) = 0;
    // File > New: the wizard on a new document window.
    virtual void NewDocument() = 0;
    // The toolbar's buttons and the shortcuts enabled for the windows open now.
    virtual void SetToolbar() = 0;

    virtual const engine::NumberFormat &numberFormat() const = 0;
    virtual views::ViewPreferences viewPreferences() const = 0;
    // The display preferences as held for the whole run; applying them stores what changed and brings every document
    // window in line with it.
    virtual engine::Preferences preferences() const = 0;
    virtual void applyPreferences(const engine::Preferences &chosen) = 0;
};

} // namespace app
