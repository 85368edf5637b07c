#include "travina/CTravinaCtrl.h"
#include "travina/TravinaFactory.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(TravinaFactory, CreatesTheControlOnlyForItsProgrammaticId)
{
    const QList<std::pair<const char *, bool>> cases {
        {"Travina.Travina", true},
        {"TRAVINA.travina", true},
        {"Travina.Travina.1", false},
        {"Travina", false},
        {"", false},
    };
    for (const auto &[id, known] : cases) {
        QWidget host;
        QWidget *created = TravinaFactory::create(QString::fromLatin1(id), &host);
        EXPECT_EQ(qobject_cast<CTravinaCtrl *>(created) != nullptr, known) << '"' << id << '"';
        EXPECT_TRUE(!created || created->parentWidget() == &host) << id;
    }
}

TEST(TravinaFactory, CountsLiveControlsForUnloading)
{
    ASSERT_EQ(TravinaFactory::liveObjects(), 0);
    ASSERT_TRUE(TravinaFactory::canUnloadNow());

    std::unique_ptr<QWidget> created(TravinaFactory::create(TravinaFactory::programmaticId()));
    auto direct = std::make_unique<CTravinaCtrl>();
    EXPECT_EQ(TravinaFactory::liveObjects(), 2);
    EXPECT_FALSE(TravinaFactory::canUnloadNow());

    created.reset();
    EXPECT_EQ(TravinaFactory::liveObjects(), 1);
    EXPECT_FALSE(TravinaFactory::canUnloadNow());

    direct.reset();
    EXPECT_TRUE(TravinaFactory::canUnloadNow());
}

} // namespace
