#pragma once

#include "ui/UserDialogs.h"

#include <QDate>

#include <functional>

class QDialog;
class QWidget;

namespace engine {
struct LoanDocument;
}

namespace app {

struct WizardResult;

// Where the dialogs and messages of the commands open: over the main window, through the dialogs seam.
class DialogHost
{
public:
    using Clock = std::function<QDate()>;

    virtual ~DialogHost() = default;

    virtual ui::UserDialogs &dialogs() = 0;
    // The window the dialogs open over.
    virtual QWidget *dialogParent() = 0;
    // A message box titled with the program's settings name.
    virtual ui::UserDialogs::Button message(const QString &text, int buttons = ui::UserDialogs::Ok,
                                            ui::UserDialogs::Icon icon = ui::UserDialogs::Icon::Information) = 0;
    // Shows a modal dialog and returns its result.
    virtual int runDialog(QDialog &dialog) = 0;
    // Today, as the clock seam gives it; the seam itself (none: the system's date).
    virtual QDate today() const = 0;
    virtual const Clock &clock() const = 0;
    // The loan data wizard on `loan` (an existing document in properties mode); `loan` takes what closing left.
    virtual WizardResult runWizard(engine::LoanDocument &loan, bool propertiesMode) = 0;
};

} // namespace app
