#pragma once

class QString;

namespace views {

// What a view asks of the window around it: progress on the main window's bar, the document's modified flag,
// messages, the status panel and a fresh schedule.
class ShellServices
{
public:
    virtual ~ShellServices() = default;
    virtual void SetProgressBar(int done, int total) = 0;
    virtual void markModified() = 0;
    virtual void showMessage(const QString &text) { (void)text; }
    virtual void setCellStatus(const QString &text) { (void)text; }
    // Recomputes the schedule under the progress bar and refreshes the views; false when it could not be computed.
    virtual bool recalculate() { return false; }
};

} // namespace views
