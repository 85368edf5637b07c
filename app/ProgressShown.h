#pragma once

namespace app {

class StatusReporter;

// The progress bar shown in place of the status bar for the life of the object, its first segment ending at `upper`:
// the computations that run meanwhile fill it.
class ProgressShown
{
public:
    ProgressShown(StatusReporter &window, int upper);
    ~ProgressShown();
    ProgressShown(const ProgressShown &) = delete;
    ProgressShown &operator=(const ProgressShown &) = delete;
    void nextSegment(int upper);

private:
    StatusReporter &m_window;
};

} // namespace app
