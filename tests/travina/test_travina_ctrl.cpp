#include "support/QtPrinters.h"
#include "travina/CTravinaCtrl.h"

#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>

namespace {

// A control on a shown window, sized so its client area is exactly clientSize, with its first
// paint done and its modified flag clear.
struct ShownControl
{
    explicit ShownControl(QSize clientSize = QSize(100, 100))
        : ctrl(new CTravinaCtrl(&host))
    {
        host.resize(400, 300);
        ctrl->move(10, 10);
        host.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
        paint();
        ctrl->resize(ctrl->size() + clientSize - ctrl->viewport()->size());
        paint();
        ctrl->setModified(false);
    }
    CTravinaCtrl *operator->() const { return ctrl; }
    // Runs the control's paint, which applies whatever update is pending.
    void paint() const { ctrl->grab(); }

    QWidget host;
    CTravinaCtrl *ctrl;
};

QPixmap filledPixmap(QSize size, QColor color)
{
    QPixmap pixmap(size);
    pixmap.fill(color);
    return pixmap;
}

QScrollBar *barOf(const ShownControl &ctrl, Qt::Orientation orientation)
{
    return orientation == Qt::Horizontal ? ctrl->horizontalScrollBar() : ctrl->verticalScrollBar();
}

struct WriteCase
{
    const char *property;
    QVariant written;
    QVariant expected; // what reads back
    int dispId; // 0: the write is ignored
    short pendingUpdate;
    bool modified;
};

// Named by its values in the test list.
void PrintTo(const WriteCase &c, std::ostream *os)
{
    *os << c.property << " written";
}

class PropertyWrite : public ::testing::TestWithParam<WriteCase>
{
};

TEST_P(PropertyWrite, FollowsTheWriteRules)
{
    const WriteCase &c = GetParam();
    ShownControl ctrl;
    const QVariant before = ctrl->property(c.property);
    QSignalSpy changed(ctrl.ctrl, &CTravinaCtrl::propertyChanged);

    ctrl->setProperty(c.property, c.written);

    EXPECT_EQ(ctrl->property(c.property), c.dispId ? c.expected : before) << c.property;
    EXPECT_EQ(changed.count(), c.dispId ? 1 : 0);
    if (c.dispId && !changed.isEmpty()) {
        EXPECT_EQ(changed.at(0).at(0).toInt(), c.dispId);
    }
    EXPECT_EQ(ctrl->pendingUpdate(), c.pendingUpdate);
    EXPECT_EQ(ctrl->isModified(), c.modified);
}

constexpr short None = CTravinaCtrl::NoUpdate;
constexpr short Styles = CTravinaCtrl::StylesAndScrollBars;
constexpr short Bars = CTravinaCtrl::ScrollBarsOnly;

INSTANTIATE_TEST_SUITE_P(
    CTravinaCtrl, PropertyWrite,
    ::testing::Values(
        WriteCase {"LineScroll", 45, 45, 1, None, false}, WriteCase {"VirtualWidth", 4000, 4000, 2, Bars, true},
        WriteCase {"VirtualWidth", -5, 0, 2, Bars, true}, WriteCase {"VirtualHeight", -1, 0, 3, Bars, true},
        WriteCase {"ScrollPicture", false, false, 4, None, true}, WriteCase {"Appearance", 2, 2, 5, Styles, true},
        WriteCase {"Appearance", 0, 0, 5, Styles, true}, WriteCase {"Appearance", 3, {}, 0, None, false},
        WriteCase {"Appearance", -1, {}, 0, None, false}, WriteCase {"BorderStyle", 0, 0, 6, Styles, true},
        WriteCase {"BorderStyle", 2, {}, 0, None, false}, WriteCase {"HScroll", 45, 45, 7, Bars, true},
        WriteCase {"HScroll", -1, {}, 0, None, false}, WriteCase {"VScroll", 30, 30, 8, Bars, true},
        WriteCase {"VScroll", -15, {}, 0, None, false},
        WriteCase {"BackColor", QColor(Qt::red), QColor(Qt::red), -501, None, true}));

TEST(CTravinaCtrl, PictureWriteNotifiesAndMarksModified)
{
    ShownControl ctrl;
    QSignalSpy changed(ctrl.ctrl, &CTravinaCtrl::propertyChanged);
    ctrl->setProperty("Picture", filledPixmap(QSize(4, 4), Qt::red));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), CTravinaCtrl::DispIdPicture);
    EXPECT_TRUE(ctrl->isModified());
}

TEST(CTravinaCtrl, BarsOnlyRequestDoesNotDropAPendingStyleRefresh)
{
    ShownControl ctrl;
    ctrl->setAppearance(CTravinaCtrl::Raised);
    ctrl->setVScroll(15);
    EXPECT_EQ(ctrl->pendingUpdate(), CTravinaCtrl::StylesAndScrollBars);
}

struct FrameCase
{
    short borderStyle;
    short appearance;
    int inset; // pixels from the control's edge to its client area
};

void PrintTo(const FrameCase &c, std::ostream *os)
{
    *os << "border " << c.borderStyle << " appearance " << c.appearance;
}

class FrameStyle : public ::testing::TestWithParam<FrameCase>
{
};

TEST_P(FrameStyle, IsAppliedAtTheNextPaint)
{
    ShownControl ctrl;
    const QPoint shown = ctrl->viewport()->pos();

    ctrl->setBorderStyle(GetParam().borderStyle);
    ctrl->setAppearance(GetParam().appearance);
    EXPECT_EQ(ctrl->viewport()->pos(), shown);

    ctrl.paint();
    EXPECT_EQ(ctrl->viewport()->pos(), QPoint(GetParam().inset, GetParam().inset));
    EXPECT_EQ(ctrl->pendingUpdate(), CTravinaCtrl::NoUpdate);
}

INSTANTIATE_TEST_SUITE_P(CTravinaCtrl, FrameStyle,
                         ::testing::Values(FrameCase {0, 0, 0}, FrameCase {1, 0, 1}, FrameCase {0, 1, 2},
                                           FrameCase {1, 1, 3}, FrameCase {0, 2, 3}, FrameCase {1, 2, 4}));

TEST(CTravinaCtrl, NewFrameReachesTheScreenWithoutLeftovers)
{
    ShownControl ctrl;
    auto *label = new QLabel(QStringLiteral("opaque"), ctrl->viewport());
    label->setAutoFillBackground(true);
    label->show();
    QCoreApplication::processEvents();

    ctrl->setAppearance(CTravinaCtrl::Raised);
    QCoreApplication::processEvents();

    const QRect area = ctrl->geometry();
    const QImage onScreen =
        ctrl.host.screen()->grabWindow(ctrl.host.winId(), area.x(), area.y(), area.width(), area.height()).toImage();
    EXPECT_EQ(onScreen, ctrl->grab().toImage().convertToFormat(onScreen.format()));
}

TEST(CTravinaCtrl, BarsFollowExtentAndSizeOnlyAtPaint)
{
    ShownControl ctrl;
    QScrollBar *bar = ctrl->verticalScrollBar();
    ctrl->resize(ctrl->width(), ctrl->height() + 40);
    EXPECT_EQ(ctrl->pendingUpdate(), CTravinaCtrl::StylesAndScrollBars);
    EXPECT_FALSE(ctrl->isModified());

    ctrl->setVirtualHeight(5000);
    EXPECT_EQ(bar->maximum(), 0);

    ctrl.paint();
    EXPECT_EQ(bar->pageStep(), 140 * 15);
    EXPECT_EQ(bar->maximum(), 5000 - 140 * 15);
    EXPECT_TRUE(bar->isEnabled());
    EXPECT_FALSE(ctrl->horizontalScrollBar()->isEnabled());
    EXPECT_TRUE(ctrl->horizontalScrollBar()->isVisible());
}

struct ActionCase
{
    int virtualLength; // the page is 1500 twips
    short lineScroll;
    int start;
    QAbstractSlider::SliderAction action;
    int expected;
};

void PrintTo(const ActionCase &c, std::ostream *os)
{
    *os << "length " << c.virtualLength << " line " << c.lineScroll << " from " << c.start << " action "
        << int(c.action);
}

class ScrollAction : public ::testing::TestWithParam<std::tuple<Qt::Orientation, ActionCase>>
{
};

TEST_P(ScrollAction, MovesThePositionWithinTheRange)
{
    const auto [orientation, c] = GetParam();
    const char *position = orientation == Qt::Horizontal ? "HScroll" : "VScroll";
    ShownControl ctrl;
    ctrl->setLineScroll(c.lineScroll);
    ctrl->setProperty(orientation == Qt::Horizontal ? "VirtualWidth" : "VirtualHeight", c.virtualLength);
    ctrl->setProperty(position, c.start);
    ctrl.paint();
    QScrollBar *bar = barOf(ctrl, orientation);
    EXPECT_EQ(bar->isEnabled(), c.virtualLength > 1500);

    bar->triggerAction(c.action);

    EXPECT_EQ(ctrl->property(position).toInt(), c.expected);
    EXPECT_EQ(bar->value(), c.expected);
    EXPECT_EQ(ctrl->hScroll() + ctrl->vScroll(), c.expected);
}

using QAS = QAbstractSlider;
INSTANTIATE_TEST_SUITE_P(
    CTravinaCtrl, ScrollAction,
    ::testing::Combine(::testing::Values(Qt::Horizontal, Qt::Vertical),
                       ::testing::Values(ActionCase {4500, 15, 0, QAS::SliderSingleStepAdd, 15},
                                         ActionCase {4500, 100, 2950, QAS::SliderSingleStepAdd, 3000},
                                         ActionCase {4500, 15, 10, QAS::SliderSingleStepSub, 0},
                                         ActionCase {4500, 100, 500, QAS::SliderSingleStepSub, 400},
                                         ActionCase {4500, 15, 1000, QAS::SliderPageStepAdd, 2500},
                                         ActionCase {4500, 15, 2000, QAS::SliderPageStepAdd, 3000},
                                         ActionCase {4500, 15, 3000, QAS::SliderPageStepAdd, 3000},
                                         ActionCase {4500, 15, 2000, QAS::SliderPageStepSub, 500},
                                         ActionCase {4500, 15, 1000, QAS::SliderPageStepSub, 0},
                                         ActionCase {4500, 15, 1000, QAS::SliderToMaximum, 1000},
                                         ActionCase {4500, 15, 1000, QAS::SliderToMinimum, 1000},
                                         ActionCase {1000, 15, 0, QAS::SliderSingleStepAdd, 0},
                                         ActionCase {1000, 15, 0, QAS::SliderPageStepAdd, 0},
                                         ActionCase {1000, -15, 0, QAS::SliderSingleStepSub, 0})));

TEST(CTravinaCtrl, DraggingAndClickingTheBarScrollTheChildren)
{
    ShownControl ctrl;
    auto *label = new QLabel(QStringLiteral("x"), ctrl->viewport());
    label->move(0, 90);
    ctrl->setVirtualHeight(6000);
    ctrl.paint();
    QScrollBar *bar = ctrl->verticalScrollBar();

    bar->setSliderPosition(1200);
    EXPECT_EQ(ctrl->vScroll(), 1200);
    EXPECT_EQ(label->y(), 10);

    // The arrow at the far end of the bar.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 3));
    EXPECT_EQ(ctrl->vScroll(), 1215);
    EXPECT_EQ(label->y(), 9);
}

struct MoveCase
{
    const char *property;
    int from;
    int to;
    QPointF delta; // twips
};

void PrintTo(const MoveCase &c, std::ostream *os)
{
    *os << c.property << " " << c.from << " to " << c.to;
}

class ChildMove : public ::testing::TestWithParam<MoveCase>
{
};

TEST_P(ChildMove, MovesEveryChildByTheChangeOfPosition)
{
    const MoveCase &c = GetParam();
    ShownControl ctrl;
    auto *shown = new QLabel(QStringLiteral("a"), ctrl->viewport());
    shown->move(10, 30);
    shown->show();
    // Hidden children belong to the control as well.
    auto *hidden = new QWidget(ctrl->viewport());
    hidden->move(70, 5);
    ctrl->setProperty(c.property, c.from);
    const QList<QPointF> before {ctrl->childPosition(shown), ctrl->childPosition(hidden)};

    ctrl->setProperty(c.property, c.to);

    for (int i = 0; i < 2; ++i) {
        const QWidget *child = i == 0 ? shown : hidden;
        const QPointF after = before[i] + c.delta;
        EXPECT_EQ(ctrl->childPosition(child), after) << "child " << i;
        EXPECT_EQ(child->pos(), QPoint(int(std::ceil(after.x() / 15)), int(std::ceil(after.y() / 15))));
    }
}

INSTANTIATE_TEST_SUITE_P(
    CTravinaCtrl, ChildMove,
    ::testing::Values(MoveCase {"VScroll", 100, 300, QPointF(0, -200)}, MoveCase {"VScroll", 300, 300, QPointF(0, 0)},
                      MoveCase {"VScroll", 300, 100, QPointF(0, 200)}, MoveCase {"VScroll", 300, -30, QPointF(0, 0)},
                      MoveCase {"HScroll", 0, 450, QPointF(-450, 0)}, MoveCase {"HScroll", 7, 0, QPointF(7, 0)}));

TEST(CTravinaCtrl, ChildrenStayOnTheScrollingPicture)
{
    ShownControl ctrl;
    auto *child = new QWidget(ctrl->viewport());
    child->move(20, 20);
    ctrl->setVirtualWidth(9000);
    ctrl->setVirtualHeight(9000);

    // Positions between pixels, going both ways, must neither drift nor part from the picture.
    for (int position : {7, 14, 15, 16, 29, 31, 100, 1499, 22, 7, 0}) {
        ctrl->setHScroll(position);
        ctrl->setVScroll(position);
        const int pictureOrigin = -position / 15;
        EXPECT_EQ(child->pos(), QPoint(20 + pictureOrigin, 20 + pictureOrigin)) << "position " << position;
    }
    EXPECT_EQ(ctrl->childPosition(child), QPointF(300, 300));
}

struct PictureCase
{
    bool scrollPicture;
    int hScroll;
    int vScroll;
    QPoint probe; // in the 100 x 100 client area; the picture is 40 x 40
    QColor expected;
};

void PrintTo(const PictureCase &c, std::ostream *os)
{
    *os << (c.scrollPicture ? "scrolled" : "fixed") << " picture at " << c.hScroll << "," << c.vScroll << " probed at "
        << c.probe.x() << "," << c.probe.y();
}

class PictureDrawing : public ::testing::TestWithParam<PictureCase>
{
};

TEST_P(PictureDrawing, DrawsThePictureAndFillsTheRestWithBackColor)
{
    const PictureCase &c = GetParam();
    ShownControl ctrl;
    ctrl->setBackColor(Qt::blue);
    ctrl->setPicture(filledPixmap(QSize(40, 40), Qt::red));
    ctrl->setScrollPicture(c.scrollPicture);
    ctrl->setVirtualWidth(9000);
    ctrl->setVirtualHeight(9000);
    ctrl->setHScroll(c.hScroll);
    ctrl->setVScroll(c.vScroll);

    EXPECT_EQ(ctrl->viewport()->grab().toImage().pixelColor(c.probe), c.expected);
}

INSTANTIATE_TEST_SUITE_P(CTravinaCtrl, PictureDrawing,
                         ::testing::Values(PictureCase {true, 300, 300, QPoint(10, 10), Qt::red},
                                           PictureCase {true, 300, 300, QPoint(30, 30), Qt::blue},
                                           PictureCase {false, 300, 300, QPoint(30, 30), Qt::red},
                                           PictureCase {false, 300, 300, QPoint(45, 5), Qt::blue},
                                           PictureCase {false, 300, 300, QPoint(5, 95), Qt::blue},
                                           PictureCase {true, 1500, 0, QPoint(50, 10), Qt::blue},
                                           PictureCase {true, 0, 1500, QPoint(10, 50), Qt::blue}));

// Every control event as one line of text, in the order fired.
class EventLog
{
public:
    explicit EventLog(CTravinaCtrl *ctrl)
    {
        const auto mouse = [this](const char *name) {
            return [this, name](short button, short shift, int x, int y) {
                lines << QStringLiteral("%1 %2 %3 %4,%5").arg(QLatin1String(name)).arg(button).arg(shift).arg(x).arg(y);
            };
        };
        QObject::connect(ctrl, &CTravinaCtrl::MouseDown, ctrl, mouse("Down"));
        QObject::connect(ctrl, &CTravinaCtrl::MouseMove, ctrl, mouse("Move"));
        QObject::connect(ctrl, &CTravinaCtrl::MouseUp, ctrl, mouse("Up"));
        QObject::connect(ctrl, &CTravinaCtrl::Click, ctrl, [this] { lines << QStringLiteral("Click"); });
        QObject::connect(ctrl, &CTravinaCtrl::DblClick, ctrl, [this] { lines << QStringLiteral("DblClick"); });
    }
    QString text() const { return lines.join(QLatin1String(" | ")); }

    QStringList lines;
};

struct ClickCase
{
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
    bool onLabel; // a label at (50, 60) takes no mouse input, so a click on it is the control's
    const char *expected;
};

void PrintTo(const ClickCase &c, std::ostream *os)
{
    *os << "button " << int(c.button) << " modifiers " << int(c.modifiers) << (c.onLabel ? " on the label" : "");
}

class MouseClick : public ::testing::TestWithParam<ClickCase>
{
};

TEST_P(MouseClick, ReportsButtonShiftAndClientPosition)
{
    const ClickCase &c = GetParam();
    ShownControl ctrl;
    auto *label = new QLabel(QStringLiteral("label"), ctrl->viewport());
    label->move(50, 60);
    label->show();
    const EventLog log(ctrl.ctrl);

    QTest::mouseClick(c.onLabel ? label : ctrl->viewport(), c.button, c.modifiers, QPoint(5, 5));

    EXPECT_EQ(log.text(), QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    CTravinaCtrl, MouseClick,
    ::testing::Values(ClickCase {Qt::LeftButton, {}, false, "Down 1 0 5,5 | Up 1 0 5,5 | Click"},
                      ClickCase {Qt::RightButton, Qt::ShiftModifier, false, "Down 2 1 5,5 | Up 2 1 5,5 | Click"},
                      ClickCase {Qt::MiddleButton, Qt::ControlModifier | Qt::AltModifier, false,
                                 "Down 4 6 5,5 | Up 4 6 5,5 | Click"},
                      ClickCase {Qt::LeftButton, {}, true, "Down 1 0 55,65 | Up 1 0 55,65 | Click"}));

TEST(CTravinaCtrl, DoubleClickAndDragFireInOrder)
{
    ShownControl ctrl;
    const EventLog log(ctrl.ctrl);
    QWidget *client = ctrl->viewport();

    QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseDClick(client, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(client, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mousePress(client, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(client, QPoint(20, 30));
    // Released outside the client area: no Click.
    QTest::mouseRelease(client, Qt::LeftButton, {}, QPoint(150, 30));

    EXPECT_EQ(log.lines,
              QStringList({QStringLiteral("Down 1 0 10,10"), QStringLiteral("Up 1 0 10,10"), QStringLiteral("Click"),
                           QStringLiteral("DblClick"), QStringLiteral("Up 1 0 10,10"), QStringLiteral("Down 1 0 10,10"),
                           QStringLiteral("Move 1 0 20,30"), QStringLiteral("Up 1 0 150,30")}));
}

} // namespace
