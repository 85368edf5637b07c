#pragma once

#include "travina_export.h"

#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QPointF>
#include <QWidget>

class QScrollBar;
class TravinaPropertyBag;

// A frame for child widgets that scrolls a virtual area larger than itself.
//
// Children belong in viewport(). Every length the control deals in is in twips, 15 to a pixel.
// Property writes only record what the scroll bars and window frame need; that work happens at the
// next paint (see pendingUpdate()).
class TRAVINA_EXPORT CTravinaCtrl : public QWidget
{
    Q_OBJECT
    // Declared in dispatch order.
    Q_PROPERTY(short LineScroll READ lineScroll WRITE setLineScroll)
    Q_PROPERTY(int VirtualWidth READ virtualWidth WRITE setVirtualWidth)
    Q_PROPERTY(int VirtualHeight READ virtualHeight WRITE setVirtualHeight)
    Q_PROPERTY(bool ScrollPicture READ scrollPicture WRITE setScrollPicture)
    Q_PROPERTY(short Appearance READ appearance WRITE setAppearance)
    Q_PROPERTY(short BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(int HScroll READ hScroll WRITE setHScroll)
    Q_PROPERTY(int VScroll READ vScroll WRITE setVScroll)
    Q_PROPERTY(QPixmap Picture READ picture WRITE setPicture)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)

public:
    enum enumBorderStyle { NoneBorder = 0, FixedBorder = 1 };
    Q_ENUM(enumBorderStyle)

    enum enumAppearance { Flat = 0, Inset = 1, Raised = 2 };
    Q_ENUM(enumAppearance)

    // Identifiers carried by propertyChanged(); BackColor keeps the standard back-colour id.
    enum DispId {
        DispIdLineScroll = 1,
        DispIdVirtualWidth = 2,
        DispIdVirtualHeight = 3,
        DispIdScrollPicture = 4,
        DispIdAppearance = 5,
        DispIdBorderStyle = 6,
        DispIdHScroll = 7,
        DispIdVScroll = 8,
        DispIdPicture = 9,
        DispIdBackColor = -501,
    };
    Q_ENUM(DispId)

    // What the next paint has to refresh.
    enum PendingUpdate : short { NoUpdate = 0, StylesAndScrollBars = 1, ScrollBarsOnly = 2 };

    static constexpr int TwipsPerPixel = 15;

    explicit CTravinaCtrl(QWidget *parent = nullptr);
    ~CTravinaCtrl() override;

    short lineScroll() const { return m_lineScroll; }
    void setLineScroll(short twips);
    int virtualWidth() const { return m_virtualWidth; }
    void setVirtualWidth(int twips);
    int virtualHeight() const { return m_virtualHeight; }
    void setVirtualHeight(int twips);
    bool scrollPicture() const { return m_scrollPicture; }
    void setScrollPicture(bool scrolls);
    short appearance() const { return m_appearance; }
    void setAppearance(short appearance);
    short borderStyle() const { return m_borderStyle; }
    void setBorderStyle(short borderStyle);
    int hScroll() const { return m_hScroll; }
    void setHScroll(int twips);
    int vScroll() const { return m_vScroll; }
    void setVScroll(int twips);
    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color);

    // The back colour of whatever hosts the control; the default BackColor.
    QColor ambientBackColor() const;

    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }
    short pendingUpdate() const { return m_pendingUpdate; }

    // The control's size in twips. Changing it is the host's doing and leaves the modified flag alone.
    QSize extent() const;
    void setExtent(const QSize &twips);

    // The client area: child widgets go here and are moved when the position changes.
    QWidget *viewport() const { return m_viewport; }
    QScrollBar *horizontalScrollBar() const { return m_hBar; }
    QScrollBar *verticalScrollBar() const { return m_vBar; }

    // A child's position in twips. Scrolling tracks it exactly, so positions that fall between
    // pixels do not drift as the control scrolls back and forth.
    QPointF childPosition(const QWidget *child) const;

    // Keys, in order: MajorVer, MinorVer, ExtentX, ExtentY, BackColor, BorderStyle, Appearance,
    // VirtualWidth, VirtualHeight, VScroll, HScroll, LineScroll, Picture, ScrollPicture.
    void writeProperties(TravinaPropertyBag &bag) const;
    // Missing or unusable values take their defaults; the loaded state counts as unmodified.
    void readProperties(const TravinaPropertyBag &bag);

Q_SIGNALS:
    void propertyChanged(int dispId);

    // Button: 1 left, 2 right, 4 middle (for MouseMove, the buttons held).
    // Shift: 1 Shift, 2 Ctrl, 4 Alt. x and y: pixels in the client area.
    void Click();
    void DblClick();
    void MouseDown(short Button, short Shift, int x, int y);
    void MouseMove(short Button, short Shift, int x, int y);
    void MouseUp(short Button, short Shift, int x, int y);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void changed(DispId dispId);
    void requestUpdate(PendingUpdate update);
    void applyPendingUpdate();
    void applyStyles();
    void configureScrollBar(QScrollBar *bar, int virtualLength, int clientPixels, int position);
    void onScrollAction(QScrollBar *bar, int action);
    void moveChildren(int dxTwips, int dyTwips);
    int frameWidth() const;
    void layoutFrame();
    void paintClientArea(QPaintEvent *event);
    bool handleMouse(QEvent *event);

    short m_appearance = Inset;
    short m_borderStyle = FixedBorder;
    int m_vScroll = 0;
    int m_hScroll = 0;
    QPixmap m_picture;
    short m_pendingUpdate = StylesAndScrollBars;
    short m_lineScroll = 15;
    int m_virtualWidth = 0;
    int m_virtualHeight = 0;
    bool m_scrollPicture = true;
    QColor m_backColor;
    bool m_modified = false;

    // The frame styles the window currently shows; they catch up with the properties at paint.
    short m_shownAppearance = Inset;
    short m_shownBorderStyle = FixedBorder;

    QWidget *m_viewport = nullptr;
    QScrollBar *m_hBar = nullptr;
    QScrollBar *m_vBar = nullptr;
    QHash<const QObject *, QPointF> m_childTwips;
    Qt::MouseButtons m_pressedButtons;
    Qt::MouseButtons m_doubleClickedButtons;
};
