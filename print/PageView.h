#pragma once

#include <QColor>
#include <QScrollArea>

namespace print {

class PageSurface;

// Shows one page of the surface at a zoom, as a sheet of paper on a background colour. What the preview is looking at
// is the view's: the surface only holds the pages.
class PageView : public QScrollArea
{
    Q_OBJECT

public:
    explicit PageView(PageSurface &surface, QWidget *parent = nullptr);

    // Magnification, kept within 20..200 percent.
    void setZoom(int percent);
    int zoom() const { return m_zoom; }
    // The page shown, kept within the surface's pages.
    void setPage(int page);
    int page() const { return m_page; }
    // The surround of the sheet.
    void setBackgroundColor(const QColor &color);
    QColor backgroundColor() const { return m_background; }

    // Shows the page again, as the surface has it now, scrolled to its top.
    void refresh();
    // The sheet's size on the screen at the current zoom.
    QSize sheetPixels() const;

private:
    PageSurface &m_surface;
    QWidget *m_canvas;
    int m_zoom = 100;
    int m_page = 1;
    QColor m_background = Qt::gray;
};

} // namespace print
