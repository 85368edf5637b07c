#include "PageView.h"

#include "PageSurface.h"

#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace print {

namespace {

constexpr int kSurround = 16; // pixels of background around the sheet
constexpr int kShadow = 4;

class PageCanvas : public QWidget
{
public:
    PageCanvas(PageSurface &surface, PageView &view)
        : m_surface(surface)
        , m_view(view)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), m_view.backgroundColor());
        const QSize sheet = m_view.sheetPixels();
        const QRect paper(std::max((width() - sheet.width()) / 2, kSurround), kSurround, sheet.width(), sheet.height());
        painter.fillRect(paper.translated(kShadow, kShadow), QColor(0x40, 0x40, 0x40));
        painter.fillRect(paper, Qt::white);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.translate(paper.topLeft());
        const double scale = double(sheet.width()) / m_surface.sheetTwips().width();
        painter.scale(scale, scale);
        m_surface.paintPage(painter, m_view.page());
    }

private:
    PageSurface &m_surface;
    PageView &m_view;
};

} // namespace

PageView::PageView(PageSurface &surface, QWidget *parent)
    : QScrollArea(parent)
    , m_surface(surface)
    , m_canvas(new PageCanvas(surface, *this))
{
    setObjectName(QStringLiteral("PageView"));
    setWidget(m_canvas);
    setWidgetResizable(false);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setFrameShape(QFrame::NoFrame);
    setBackgroundRole(QPalette::Window);
    refresh();
}

QSize PageView::sheetPixels() const
{
    const QSize sheet = m_surface.sheetTwips();
    const double scale = m_zoom / 100.0 / kTwipsPerInch;
    return {int(sheet.width() * scale * logicalDpiX()), int(sheet.height() * scale * logicalDpiY())};
}

void PageView::setZoom(int percent)
{
    m_zoom = std::clamp(percent, 20, 200);
    refresh();
}

void PageView::setPage(int page)
{
    m_page = std::clamp(page, 1, std::max(m_surface.pageCount(), 1));
    refresh();
}

void PageView::setBackgroundColor(const QColor &color)
{
    m_background = color;
    refresh();
}

void PageView::refresh()
{
    QPalette colors = palette();
    colors.setColor(QPalette::Window, m_background);
    setPalette(colors);
    const QSize sheet = sheetPixels();
    m_canvas->resize(sheet.width() + 2 * kSurround + kShadow, sheet.height() + 2 * kSurround + kShadow);
    verticalScrollBar()->setValue(0);
    m_canvas->update();
}

} // namespace print
