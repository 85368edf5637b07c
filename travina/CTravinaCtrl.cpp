#include "CTravinaCtrl.h"

#include "TravinaFactory.h"
#include "TravinaPropertyBag.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <qdrawutil.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr short MajorVersion = 1;
constexpr short MinorVersion = 0;
constexpr short DefaultLineScroll = 15;
// Hosts never need a larger window; a stored extent beyond it is not applied.
constexpr int MaxExtentPixels = 32767;

// Rounding up keeps children on the pixel grid of a scrolling picture, whose origin truncates the
// position towards zero.
int pixelsFromTwips(double twips)
{
    const double pixels = std::ceil(twips / CTravinaCtrl::TwipsPerPixel);
    return static_cast<int>(std::clamp(pixels, -1.0e9, 1.0e9));
}

short buttonMask(Qt::MouseButtons buttons)
{
    short mask = 0;
    if (buttons & Qt::LeftButton)
        mask |= 1;
    if (buttons & Qt::RightButton)
        mask |= 2;
    if (buttons & Qt::MiddleButton)
        mask |= 4;
    return mask;
}

short shiftMask(Qt::KeyboardModifiers modifiers)
{
    short mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= 1;
    if (modifiers & Qt::ControlModifier)
        mask |= 2;
    if (modifiers & Qt::AltModifier)
        mask |= 4;
    return mask;
}

// The stored integer, or fallback when it is missing, not a number or outside low..high.
int readInt(const TravinaPropertyBag &bag, const QString &key, int fallback, int low, int high)
{
    bool ok = false;
    const qlonglong value = bag.read(key).toLongLong(&ok);
    return ok && value >= low && value <= high ? static_cast<int>(value) : fallback;
}

} // namespace

CTravinaCtrl::CTravinaCtrl(QWidget *parent)
    : QWidget(parent)
    , m_viewport(new QWidget(this))
    , m_hBar(new QScrollBar(Qt::Horizontal, this))
    , m_vBar(new QScrollBar(Qt::Vertical, this))
{
    TravinaFactory::objectCreated();
    m_backColor = ambientBackColor();

    m_viewport->setObjectName(QStringLiteral("travinaViewport"));
    // Moves without a button held are reported too.
    m_viewport->setMouseTracking(true);
    m_viewport->installEventFilter(this);

    for (QScrollBar *bar : {m_hBar, m_vBar}) {
        bar->setRange(0, 0);
        bar->setEnabled(false);
        connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar](int action) { onScrollAction(bar, action); });
    }
    layoutFrame();
}

CTravinaCtrl::~CTravinaCtrl()
{
    // The viewport outlives this destructor body; its children's removal must not reach a half-destroyed control.
    m_viewport->removeEventFilter(this);
    TravinaFactory::objectDestroyed();
}

void CTravinaCtrl::setLineScroll(short twips)
{
    m_lineScroll = twips;
    Q_EMIT propertyChanged(DispIdLineScroll);
}

void CTravinaCtrl::setVirtualWidth(int twips)
{
    m_virtualWidth = std::max(0, twips);
    requestUpdate(ScrollBarsOnly);
    changed(DispIdVirtualWidth);
}

void CTravinaCtrl::setVirtualHeight(int twips)
{
    m_virtualHeight = std::max(0, twips);
    requestUpdate(ScrollBarsOnly);
    changed(DispIdVirtualHeight);
}

void CTravinaCtrl::setScrollPicture(bool scrolls)
{
    m_scrollPicture = scrolls;
    changed(DispIdScrollPicture);
}

void CTravinaCtrl::setAppearance(short appearance)
{
    if (appearance < Flat || appearance > Raised)
        return;
    m_appearance = appearance;
    requestUpdate(StylesAndScrollBars);
    changed(DispIdAppearance);
}

void CTravinaCtrl::setBorderStyle(short borderStyle)
{
    if (borderStyle != NoneBorder && borderStyle != FixedBorder)
        return;
    m_borderStyle = borderStyle;
    requestUpdate(StylesAndScrollBars);
    changed(DispIdBorderStyle);
}

void CTravinaCtrl::setHScroll(int twips)
{
    if (twips < 0)
        return;
    moveChildren(m_hScroll - twips, 0);
    requestUpdate(ScrollBarsOnly);
    m_hScroll = twips;
    changed(DispIdHScroll);
}

void CTravinaCtrl::setVScroll(int twips)
{
    if (twips < 0)
        return;
    moveChildren(0, m_vScroll - twips);
    requestUpdate(ScrollBarsOnly);
    m_vScroll = twips;
    changed(DispIdVScroll);
}

void CTravinaCtrl::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    changed(DispIdPicture);
}

void CTravinaCtrl::setBackColor(const QColor &color)
{
    m_backColor = color;
    changed(DispIdBackColor);
}

QColor CTravinaCtrl::ambientBackColor() const
{
    if (const QWidget *host = parentWidget())
        return host->palette().color(host->backgroundRole());
    return QGuiApplication::palette().color(QPalette::Window);
}

QSize CTravinaCtrl::extent() const
{
    return size() * TwipsPerPixel;
}

void CTravinaCtrl::setExtent(const QSize &twips)
{
    const bool wasModified = m_modified;
    resize(std::max(0, twips.width()) / TwipsPerPixel, std::max(0, twips.height()) / TwipsPerPixel);
    m_modified = wasModified;
}

QPointF CTravinaCtrl::childPosition(const QWidget *child) const
{
    // A stored position is trusted only while the child still sits where it put it; a host that
    // moved the child since then decides the position.
    const auto it = m_childTwips.constFind(child);
    if (it != m_childTwips.constEnd() && QPoint(pixelsFromTwips(it->x()), pixelsFromTwips(it->y())) == child->pos())
        return *it;
    return QPointF(child->pos()) * TwipsPerPixel;
}

void CTravinaCtrl::writeProperties(TravinaPropertyBag &bag) const
{
    const QSize size = extent();
    bag.write(QStringLiteral("MajorVer"), QVariant::fromValue<quint16>(MajorVersion));
    bag.write(QStringLiteral("MinorVer"), QVariant::fromValue<quint16>(MinorVersion));
    bag.write(QStringLiteral("ExtentX"), QVariant::fromValue<qint32>(size.width()));
    bag.write(QStringLiteral("ExtentY"), QVariant::fromValue<qint32>(size.height()));
    bag.write(QStringLiteral("BackColor"), QVariant::fromValue(m_backColor));
    bag.write(QStringLiteral("BorderStyle"), QVariant::fromValue<qint16>(m_borderStyle));
    bag.write(QStringLiteral("Appearance"), QVariant::fromValue<qint16>(m_appearance));
    bag.write(QStringLiteral("VirtualWidth"), QVariant::fromValue<qint32>(m_virtualWidth));
    bag.write(QStringLiteral("VirtualHeight"), QVariant::fromValue<qint32>(m_virtualHeight));
    bag.write(QStringLiteral("VScroll"), QVariant::fromValue<qint32>(m_vScroll));
    bag.write(QStringLiteral("HScroll"), QVariant::fromValue<qint32>(m_hScroll));
    bag.write(QStringLiteral("LineScroll"), QVariant::fromValue<qint16>(m_lineScroll));
    bag.write(QStringLiteral("Picture"), QVariant::fromValue(m_picture));
    bag.write(QStringLiteral("ScrollPicture"), QVariant::fromValue(m_scrollPicture));
}

void CTravinaCtrl::readProperties(const TravinaPropertyBag &bag)
{
    // MajorVer and MinorVer say nothing this version needs.
    const int maxExtent = MaxExtentPixels * TwipsPerPixel;
    const QSize size(readInt(bag, QStringLiteral("ExtentX"), -1, 0, maxExtent),
                     readInt(bag, QStringLiteral("ExtentY"), -1, 0, maxExtent));
    if (size.isValid() && size != extent())
        setExtent(size);

    const QColor backColor = qvariant_cast<QColor>(bag.read(QStringLiteral("BackColor")));
    m_backColor = backColor.isValid() ? backColor : ambientBackColor();
    m_borderStyle =
        static_cast<short>(readInt(bag, QStringLiteral("BorderStyle"), FixedBorder, NoneBorder, FixedBorder));
    m_appearance = static_cast<short>(readInt(bag, QStringLiteral("Appearance"), Inset, Flat, Raised));
    m_virtualWidth = readInt(bag, QStringLiteral("VirtualWidth"), 0, 0, INT_MAX);
    m_virtualHeight = readInt(bag, QStringLiteral("VirtualHeight"), 0, 0, INT_MAX);
    // The children were saved where this position put them, so nothing moves.
    m_vScroll = readInt(bag, QStringLiteral("VScroll"), 0, 0, INT_MAX);
    m_hScroll = readInt(bag, QStringLiteral("HScroll"), 0, 0, INT_MAX);
    m_lineScroll =
        static_cast<short>(readInt(bag, QStringLiteral("LineScroll"), DefaultLineScroll, SHRT_MIN, SHRT_MAX));
    m_picture = qvariant_cast<QPixmap>(bag.read(QStringLiteral("Picture")));
    const QVariant scrollPicture = bag.read(QStringLiteral("ScrollPicture"));
    m_scrollPicture = scrollPicture.canConvert<bool>() ? scrollPicture.toBool() : true;

    requestUpdate(StylesAndScrollBars);
    m_modified = false;
    update();
}

bool CTravinaCtrl::event(QEvent *event)
{
    if (event->type() == QEvent::LayoutRequest && m_pendingUpdate == StylesAndScrollBars)
        applyStyles();
    return QWidget::event(event);
}

bool CTravinaCtrl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_viewport)
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::Paint:
        paintClientArea(static_cast<QPaintEvent *>(event));
        return true;
    case QEvent::ChildRemoved:
        m_childTwips.remove(static_cast<QChildEvent *>(event)->child());
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return handleMouse(event);
    default:
        return false;
    }
}

void CTravinaCtrl::paintEvent(QPaintEvent *)
{
    applyPendingUpdate();

    QPainter painter(this);
    const QPalette &pal = palette();
    QRect rect = this->rect();
    if (m_shownAppearance == Raised) {
        // A dialog frame: a raised edge and a line of face colour inside it.
        qDrawWinPanel(&painter, rect, pal, false);
        rect.adjust(2, 2, -2, -2);
        painter.setPen(pal.color(QPalette::Button));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        rect.adjust(1, 1, -1, -1);
    }
    if (m_shownBorderStyle == FixedBorder) {
        painter.setPen(pal.color(QPalette::WindowText));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        rect.adjust(1, 1, -1, -1);
    }
    if (m_shownAppearance == Inset)
        qDrawWinPanel(&painter, rect, pal, true);

    painter.fillRect(QRect(m_vBar->x(), m_hBar->y(), m_vBar->width(), m_hBar->height()), pal.window());
}

void CTravinaCtrl::resizeEvent(QResizeEvent *event)
{
    requestUpdate(StylesAndScrollBars);
    layoutFrame();
    QWidget::resizeEvent(event);
}

void CTravinaCtrl::changed(DispId dispId)
{
    m_modified = true;
    update();
    Q_EMIT propertyChanged(dispId);
}

void CTravinaCtrl::requestUpdate(PendingUpdate update)
{
    // A pending style refresh includes the scroll bars, so a later bars-only request must not replace it.
    if (update == StylesAndScrollBars || m_pendingUpdate == NoUpdate)
        m_pendingUpdate = update;
    // A new frame moves the client area, and a child moved during a paint leaves part of that paint
    // undone; so the frame settles just before the paint, as layouts do. Qt merges repeated posts.
    if (update == StylesAndScrollBars)
        QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
}

void CTravinaCtrl::applyPendingUpdate()
{
    if (m_pendingUpdate == NoUpdate)
        return;
    if (m_pendingUpdate == StylesAndScrollBars)
        applyStyles();
    configureScrollBar(m_hBar, m_virtualWidth, m_viewport->width(), m_hScroll);
    configureScrollBar(m_vBar, m_virtualHeight, m_viewport->height(), m_vScroll);
    m_pendingUpdate = NoUpdate;
}

void CTravinaCtrl::applyStyles()
{
    m_shownAppearance = m_appearance;
    m_shownBorderStyle = m_borderStyle;
    layoutFrame();
}

void CTravinaCtrl::configureScrollBar(QScrollBar *bar, int virtualLength, int clientPixels, int position)
{
    // The bar's maximum is the last position that still fills the page, so its value is the
    // position itself and a drag can never run past the end.
    const qint64 page = qint64(clientPixels) * TwipsPerPixel;
    const int maximum = static_cast<int>(std::max<qint64>(0, virtualLength - page));
    bar->setRange(0, maximum);
    bar->setPageStep(static_cast<int>(std::min<qint64>(page, INT_MAX)));
    bar->setSingleStep(std::max<int>(1, m_lineScroll));
    bar->setValue(position);
    // Disabled rather than hidden, so the client area keeps its size.
    bar->setEnabled(maximum > 0);
}

void CTravinaCtrl::onScrollAction(QScrollBar *bar, int action)
{
    const qint64 current = bar->value();
    const qint64 last = bar->maximum();
    qint64 position = current;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        position = std::max<qint64>(0, current - m_lineScroll);
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        position = std::min<qint64>(current + m_lineScroll, last);
        break;
    case QAbstractSlider::SliderPageStepSub:
        position = std::max<qint64>(0, current - bar->pageStep());
        break;
    case QAbstractSlider::SliderPageStepAdd:
        position = std::min<qint64>(current + bar->pageStep(), last);
        break;
    case QAbstractSlider::SliderMove:
        position = bar->sliderPosition();
        break;
    default:
        break;
    }
    // A negative LineScroll could otherwise step outside the bar.
    position = std::clamp<qint64>(position, 0, last);

    // The bar has already moved its slider for the action; put it where the rules say.
    bar->setSliderPosition(static_cast<int>(position));
    if (position == current)
        return;
    if (bar == m_hBar)
        setHScroll(static_cast<int>(position));
    else
        setVScroll(static_cast<int>(position));
}

void CTravinaCtrl::moveChildren(int dxTwips, int dyTwips)
{
    if (dxTwips == 0 && dyTwips == 0)
        return;
    const auto children = m_viewport->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        if (child->isWindow())
            continue;
        const QPointF twips = childPosition(child) + QPointF(dxTwips, dyTwips);
        m_childTwips.insert(child, twips);
        child->move(pixelsFromTwips(twips.x()), pixelsFromTwips(twips.y()));
    }
}

int CTravinaCtrl::frameWidth() const
{
    int width = 0;
    if (m_shownAppearance == Raised)
        width += 3;
    if (m_shownBorderStyle == FixedBorder)
        width += 1;
    if (m_shownAppearance == Inset)
        width += 2;
    return width;
}

void CTravinaCtrl::layoutFrame()
{
    const int frame = frameWidth();
    const QRect inner = rect().adjusted(frame, frame, -frame, -frame);
    const int innerWidth = std::max(0, inner.width());
    const int innerHeight = std::max(0, inner.height());
    const int barWidth = std::min(innerWidth, style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_vBar));
    const int barHeight = std::min(innerHeight, style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_hBar));
    const int clientWidth = innerWidth - barWidth;
    const int clientHeight = innerHeight - barHeight;

    m_viewport->setGeometry(inner.x(), inner.y(), clientWidth, clientHeight);
    m_vBar->setGeometry(inner.x() + clientWidth, inner.y(), barWidth, clientHeight);
    m_hBar->setGeometry(inner.x(), inner.y() + clientHeight, clientWidth, barHeight);
}

void CTravinaCtrl::paintClientArea(QPaintEvent *)
{
    QPainter painter(m_viewport);
    const QRect bounds = m_viewport->rect();
    const QPoint origin = m_scrollPicture ? QPoint(-m_hScroll / TwipsPerPixel, -m_vScroll / TwipsPerPixel) : QPoint();

    QPoint end = origin;
    if (!m_picture.isNull()) {
        const QSizeF pixels = m_picture.deviceIndependentSize();
        const QSize size(qRound(pixels.width() * TwipsPerPixel) / TwipsPerPixel,
                         qRound(pixels.height() * TwipsPerPixel) / TwipsPerPixel);
        painter.drawPixmap(QRect(origin, size), m_picture);
        end += QPoint(size.width(), size.height());
    }

    // Once the picture has scrolled out past the left or top, its strip starts at the bounds.
    if (end.x() <= bounds.right())
        painter.fillRect(QRect(QPoint(std::max(end.x(), bounds.left()), bounds.top()), bounds.bottomRight()),
                         m_backColor);
    if (end.y() <= bounds.bottom())
        painter.fillRect(QRect(QPoint(bounds.left(), std::max(end.y(), bounds.top())), bounds.bottomRight()),
                         m_backColor);
}

bool CTravinaCtrl::handleMouse(QEvent *event)
{
    auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint pos = mouse->position().toPoint();
    const short shift = shiftMask(mouse->modifiers());
    const Qt::MouseButton button = mouse->button();

    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_pressedButtons.setFlag(button);
        Q_EMIT MouseDown(buttonMask(button), shift, pos.x(), pos.y());
        break;
    case QEvent::MouseButtonDblClick:
        // The second press of a double click reports the double click instead of a MouseDown,
        // and its release brings no Click.
        m_pressedButtons.setFlag(button);
        m_doubleClickedButtons.setFlag(button);
        Q_EMIT DblClick();
        break;
    case QEvent::MouseButtonRelease:
        if (!m_pressedButtons.testFlag(button))
            break;
        m_pressedButtons.setFlag(button, false);
        Q_EMIT MouseUp(buttonMask(button), shift, pos.x(), pos.y());
        if (m_doubleClickedButtons.testFlag(button))
            m_doubleClickedButtons.setFlag(button, false);
        else if (m_viewport->rect().contains(pos))
            Q_EMIT Click();
        break;
    default:
        Q_EMIT MouseMove(buttonMask(mouse->buttons()), shift, pos.x(), pos.y());
        break;
    }
    event->accept();
    return true;
}
