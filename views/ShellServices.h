#pragma once

namespace views {

// What a view asks of the window around it: progress on the main window's bar and the document's modified flag.
class ShellServices
{
public:
    virtual ~ShellServices() = default;
    virtual void SetProgressBar(int done, int total) = 0;
    virtual void markModified() = 0;
};

} // namespace views
