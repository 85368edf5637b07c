#include "ProgressShown.h"

#include "StatusReporter.h"

namespace app {

ProgressShown::ProgressShown(StatusReporter &window, int upper)
    : m_window(window)
{
    m_window.ShowProgressBar(true);
    m_window.SetProgressBarUbound(upper);
}

ProgressShown::~ProgressShown()
{
    m_window.ShowProgressBar(false);
}

void ProgressShown::nextSegment(int upper)
{
    m_window.SetProgressBarUbound(upper);
}

} // namespace app
