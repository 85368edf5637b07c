#pragma once

#include "engine/Dates.h"

#include <functional>

class QString;

namespace document {
struct DocumentData;
}

namespace views {

// What a view asks of the window around it: progress on the main window's bar, the document's modified flag,
// messages, the status panel, today's date and a change with a fresh schedule.
class ShellServices
{
public:
    virtual ~ShellServices() = default;
    virtual void SetProgressBar(int done, int total) = 0;
    virtual void markModified() = 0;
    virtual void showMessage(const QString &text) { (void)text; }
    virtual void setCellStatus(const QString &text) { (void)text; }
    // The program's clock, for what depends on the day (the summary's trigger rate and privilege of the year); the
    // zero date when there is none.
    virtual engine::Date today() const { return engine::kNoDate; }
    // Runs `change` on the document, then computes the schedule again under the progress bar and refreshes the
    // views, the grid's cursor and top row kept. A change the schedule cannot be computed with is taken back: false.
    // `what` names the change where Edit > Undo and Redo offer to take it back or do it again ("Lump Sums").
    virtual bool changeAndRecalculate(const QString &what,
                                      const std::function<void(document::DocumentData &)> &change) = 0;
};

} // namespace views
