#pragma once

class QString;

namespace app {

// The main window's status bar: the progress bar that stands in its place during a computation, and its panels.
class StatusReporter
{
public:
    virtual ~StatusReporter() = default;

    // The progress bar: segments of 0..100 filled by computations in turn (see ProgressShown).
    virtual void ShowProgressBar(bool show) = 0;
    virtual void SetProgressBarUbound(int upper) = 0;
    virtual void SetProgressBar(int done, int total) = 0;
    virtual int progressUpperBound() const = 0;

    // The first panel: whether the current cell can be edited.
    virtual void setCellStatus(const QString &text) = 0;
    // The second panel: the page the print preview shows.
    virtual void setPageStatus(const QString &text) = 0;
};

} // namespace app
