#include "support/QtPrinters.h"
#include "travina/CTravinaCtrl.h"
#include "travina/TravinaPropertyBag.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <ostream>

namespace {

// Keeps values by key and the order they were written in.
class MemoryBag : public TravinaPropertyBag
{
public:
    QVariant read(const QString &key) const override { return values.value(key); }
    void write(const QString &key, const QVariant &value) override
    {
        order << key;
        values.insert(key, value);
    }

    QStringList order;
    QVariantHash values;
};

TEST(CTravinaCtrlPersistence, WritesEveryKeyInOrderWithItsTypeAndDefault)
{
    QWidget host;
    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, QColor(12, 130, 40));
    host.setPalette(palette);
    CTravinaCtrl ctrl(&host);
    ctrl.resize(200, 150);
    MemoryBag bag;

    ctrl.writeProperties(bag);

    const QList<std::pair<const char *, QVariant>> expected {
        {"MajorVer", QVariant::fromValue<quint16>(1)},
        {"MinorVer", QVariant::fromValue<quint16>(0)},
        {"ExtentX", QVariant::fromValue<qint32>(3000)},
        {"ExtentY", QVariant::fromValue<qint32>(2250)},
        {"BackColor", QVariant::fromValue(QColor(12, 130, 40))},
        {"BorderStyle", QVariant::fromValue<qint16>(1)},
        {"Appearance", QVariant::fromValue<qint16>(1)},
        {"VirtualWidth", QVariant::fromValue<qint32>(0)},
        {"VirtualHeight", QVariant::fromValue<qint32>(0)},
        {"VScroll", QVariant::fromValue<qint32>(0)},
        {"HScroll", QVariant::fromValue<qint32>(0)},
        {"LineScroll", QVariant::fromValue<qint16>(15)},
        {"Picture", QVariant::fromValue(QPixmap())},
        {"ScrollPicture", QVariant::fromValue(true)},
    };
    ASSERT_EQ(bag.order.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const QString key = QString::fromLatin1(expected[i].first);
        const QVariant &written = bag.values.value(key);
        EXPECT_EQ(bag.order[i], key);
        EXPECT_EQ(written.metaType(), expected[i].second.metaType()) << expected[i].first;
        // A picture has no equality; the empty one is checked below.
        if (key != QLatin1String("Picture")) {
            EXPECT_EQ(written, expected[i].second) << expected[i].first;
        }
    }
    EXPECT_TRUE(bag.values.value(QStringLiteral("Picture")).value<QPixmap>().isNull());
}

TEST(CTravinaCtrlPersistence, RoundTripRestoresEveryPropertyAndMovesNoChild)
{
    QPixmap picture(8, 6);
    picture.fill(Qt::magenta);
    const QList<std::pair<const char *, QVariant>> values {
        {"BackColor", QColor(1, 2, 3)}, {"BorderStyle", 0},   {"Appearance", 2}, {"VirtualWidth", 9000},
        {"VirtualHeight", 7000},        {"VScroll", 450},     {"HScroll", 300},  {"LineScroll", 45},
        {"ScrollPicture", false},       {"Picture", picture},
    };
    QWidget host;
    CTravinaCtrl saved(&host);
    saved.resize(300, 200);
    for (const auto &[name, value] : values)
        saved.setProperty(name, value);
    MemoryBag bag;
    saved.writeProperties(bag);

    CTravinaCtrl loaded(&host);
    loaded.resize(50, 40);
    auto *child = new QLabel(QStringLiteral("child"), loaded.viewport());
    child->move(7, 9);
    loaded.grab();
    loaded.setModified(true);
    loaded.readProperties(bag);

    for (const auto &[name, value] : values) {
        if (value.metaType() != QMetaType::fromType<QPixmap>()) {
            EXPECT_EQ(loaded.property(name), value) << name;
        }
    }
    EXPECT_EQ(loaded.picture().toImage(), picture.toImage());
    EXPECT_EQ(loaded.size(), QSize(300, 200));
    EXPECT_FALSE(loaded.isModified());
    EXPECT_EQ(loaded.pendingUpdate(), CTravinaCtrl::StylesAndScrollBars);
    EXPECT_EQ(child->pos(), QPoint(7, 9));
}

struct LoadCase
{
    const char *key;
    QVariant stored; // invalid: the key is absent
    QVariant expected; // invalid: only the fallback back colour and the unchanged size are checked
};

// Named by its values in the test list.
void PrintTo(const LoadCase &c, std::ostream *os)
{
    *os << c.key << (c.stored.isValid() ? " stored as " + c.stored.toString().toStdString() : std::string(" absent"));
}

class LoadFallback : public ::testing::TestWithParam<LoadCase>
{
};

TEST_P(LoadFallback, MissingOrUnusableValueTakesItsDefault)
{
    const LoadCase &c = GetParam();
    QWidget host;
    CTravinaCtrl ctrl(&host);
    ctrl.resize(120, 80);
    for (const char *name : {"Appearance", "BorderStyle", "VirtualWidth", "HScroll", "LineScroll"})
        ctrl.setProperty(name, 0);
    ctrl.setBackColor(Qt::red);
    ctrl.setScrollPicture(false);
    MemoryBag bag;
    if (c.stored.isValid())
        bag.write(QString::fromLatin1(c.key), c.stored);

    ctrl.readProperties(bag);

    if (c.expected.isValid()) {
        EXPECT_EQ(ctrl.property(c.key), c.expected);
    } else {
        EXPECT_EQ(ctrl.backColor(), ctrl.ambientBackColor());
    }
    EXPECT_EQ(ctrl.size(), QSize(120, 80));
}

INSTANTIATE_TEST_SUITE_P(CTravinaCtrlPersistence, LoadFallback,
                         ::testing::Values(LoadCase {"Appearance", 7, 1}, LoadCase {"Appearance", {}, 1},
                                           LoadCase {"BorderStyle", -1, 1}, LoadCase {"VirtualWidth", -4, 0},
                                           LoadCase {"HScroll", QStringLiteral("far"), 0},
                                           LoadCase {"LineScroll", 70000, 15}, LoadCase {"LineScroll", {}, 15},
                                           LoadCase {"ScrollPicture", {}, true},
                                           LoadCase {"BackColor", QStringLiteral("no colour"), {}},
                                           LoadCase {"BackColor", {}, {}}, LoadCase {"ExtentX", -15, {}},
                                           LoadCase {"ExtentX", 1000000, {}}));

class ExtentChange : public ::testing::TestWithParam<bool>
{
};

TEST_P(ExtentChange, KeepsTheModifiedFlag)
{
    CTravinaCtrl ctrl;
    ctrl.setModified(GetParam());

    ctrl.setExtent(QSize(4500, 3000));

    EXPECT_EQ(ctrl.size(), QSize(300, 200));
    EXPECT_EQ(ctrl.isModified(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(CTravinaCtrlPersistence, ExtentChange, ::testing::Bool());

} // namespace
