#pragma once

#include <QScrollArea>

namespace print {

class PageSurface;

// Shows the surface's displayed page at its zoom, as a sheet of paper on the surface's background colour.
class PageView : public QScrollArea
{
    Q_OBJECT

public:
    explicit PageView(PageSurface &surface, QWidget *parent = nullptr);

    // Shows the displayed page again, at the zoom the surface has now.
    void refresh();
    // The sheet's size on the screen at the current zoom.
    QSize sheetPixels() const;

private:
    PageSurface &m_surface;
    QWidget *m_canvas;
};

} // namespace print
