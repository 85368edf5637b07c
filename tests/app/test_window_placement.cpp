#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

using namespace app;

namespace {

std::string text(const QRect &rect)
{
    return std::to_string(rect.x()) + "," + std::to_string(rect.y()) + " " + std::to_string(rect.width()) + "x"
        + std::to_string(rect.height());
}

} // namespace

TEST(WindowPlacement, FirstPlacementIsThreeQuartersCentred)
{
    EXPECT_EQ(text(firstPlacement(QRect(0, 0, 800, 600))), "100,75 600x450");
    // A screen to the right of another, its free area below a panel.
    EXPECT_EQ(text(firstPlacement(QRect(1920, 40, 1920, 1040))), "2160,170 1440x780");
}

TEST(WindowPlacement, StoredPlacementsComeBackOnAScreen)
{
    const QRect left(0, 0, 1920, 1040);
    const QRect right(1920, 0, 1280, 1000);
    struct Case
    {
        const char *what;
        QRect stored;
        QList<QRect> screens;
        const char *placed;
    };
    const Case cases[] = {
        {"inside", QRect(100, 100, 800, 600), {left}, "100,100 800x600"},
        {"on the second screen", QRect(2000, 50, 800, 600), {left, right}, "2000,50 800x600"},
        {"past the right edge", QRect(1500, 100, 800, 600), {left}, "1120,100 800x600"},
        {"above and left of it", QRect(-5000, -300, 800, 600), {left}, "0,0 800x600"},
        {"larger than the screen", QRect(-10, -10, 3000, 2000), {left}, "0,0 1920x1040"},
        {"mostly on the second screen", QRect(1800, 100, 800, 600), {left, right}, "1920,100 800x600"},
        {"on a screen that has gone", QRect(4000, 100, 800, 600), {left, right}, "1120,100 800x600"},
        {"no screen known", QRect(4000, 100, 800, 600), {}, "4000,100 800x600"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(text(placementOnScreens(c.stored, c.screens)), c.placed) << c.what;
}

TEST(WindowPlacement, NewDocumentWindowsStepInsideTheArea)
{
    const QSize area(1000, 500);
    struct Case
    {
        std::optional<QRect> active;
        const char *placed;
    };
    const Case cases[] = {
        {std::nullopt, "0,0 900x450"},
        {QRect(0, 0, 900, 450), "24,24 900x450"},
        {QRect(48, 20, 900, 450), "72,44 900x450"}, // still inside: 72 + 900 <= 1000, 44 + 450 <= 500
        {QRect(90, 20, 900, 450), "0,0 900x450"}, // one more step would leave the area
        {QRect(-50, -50, 300, 200), "0,0 900x450"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(text(newDocumentPlacement(area, c.active, 24)), c.placed) << (c.active ? text(*c.active) : "none");
}

TEST(WindowPlacement, CascadeKeepsWindowsLargeAndInside)
{
    const QSize area(800, 600);
    const QList<QRect> three = cascadePlacements(area, 3, 24);
    ASSERT_EQ(three.size(), 3);
    EXPECT_EQ(text(three[0]), "0,0 752x552");
    EXPECT_EQ(text(three[2]), "48,48 752x552");

    // Many windows: never below two thirds of the area; the steps start again at the corner before leaving it.
    const QList<QRect> many = cascadePlacements(area, 20, 24);
    ASSERT_EQ(many.size(), 20);
    for (const QRect &placed : many) {
        EXPECT_EQ(placed.size(), QSize(533, 400));
        EXPECT_TRUE(QRect(QPoint(0, 0), area).contains(placed)) << text(placed);
    }
    EXPECT_EQ(text(many[8]), "192,192 533x400");
    EXPECT_EQ(text(many[9]), "0,0 533x400");

    EXPECT_TRUE(cascadePlacements(area, 0, 24).isEmpty());
    EXPECT_EQ(text(cascadePlacements(area, 1, 24).first()), "0,0 800x600");
}
