#pragma once

namespace app {

class MainWindow;

// The progress bar shown in place of the status bar for the life of the object, its first segment ending at `upper`:
// the computations that run meanwhile fill it.
class ProgressShown
{
public:
    ProgressShown(MainWindow &window, int upper);
    ~ProgressShown();
    ProgressShown(const ProgressShown &) = delete;
    ProgressShown &operator=(const ProgressShown &) = delete;
    void nextSegment(int upper);

private:
    MainWindow &m_window;
};

} // namespace app
