#include "ViewFixture.h"

#include "travina/CTravinaCtrl.h"
#include "views/SummaryChart.h"
#include "views/SummaryView.h"

#include <QFontMetrics>

using namespace views;

// Beside the key figures, the balance ("Principal") and the interest paid so far, sampled every 8th payment of 360
// and at the last one; money on the value axis in the locale's currency, nothing along the payments.
TEST(SummaryView, ChartOfTheBalanceAndTheInterestPaid)
{
    Fixture f(readExample("us-mortgage-30y.plr"));
    SummaryChart *chart = f.view->summaryView()->MSChart1();
    const std::vector<SummaryChart::Series> series = chart->shownSeries();
    ASSERT_EQ(series.size(), 2u);
    EXPECT_EQ(series[0].name, QStringLiteral("Principal"));
    EXPECT_EQ(series[1].name, QStringLiteral("Interest Paid "));
    for (const SummaryChart::Series &line : series)
        ASSERT_EQ(line.points.size(), 46u) << line.name.toStdString();
    // Payment 1 and payment 360, as the schedule shows them.
    EXPECT_EQ(series[0].points.front(), QPointF(0, 399638.40));
    EXPECT_EQ(series[1].points.front(), QPointF(0, 2166.67));
    EXPECT_EQ(series[0].points.back(), QPointF(45, 0)); // the last payment takes the 2.32 its payments leave
    EXPECT_EQ(series[1].points.back(), QPointF(45, 510179.52));
    EXPECT_EQ(chart->valueLabels(),
              (QStringList {QStringLiteral("$0"), QStringLiteral("$200,000"), QStringLiteral("$400,000"),
                            QStringLiteral("$600,000")}));
    EXPECT_FALSE(chart->horizontalLabelsShown());
    EXPECT_FALSE(chart->horizontalGridShown());
    EXPECT_TRUE(chart->legendBold());
}

// The table is as wide as its texts, its value column never narrower than its labels; the chart stands right of it
// at its height, and the container scrolls over both.
TEST(SummaryView, TableBesideTheChart)
{
    // Labels wider than the values, and values wider than the labels.
    for (const QString &path :
         {examplePath("car-loan.plr"), QStringLiteral(PELLANDRA_TEST_DATA "/golden/large-amounts.plr")}) {
        SCOPED_TRACE(path.toStdString());
        Fixture f(readDocumentFile(path));
        f.view->showSummary();
        SummaryView *summary = f.view->summaryView();
        QTableView *grid = summary->gridSummary();
        QWidget *chart = summary->MSChart1()->widget();
        EXPECT_EQ(grid->parentWidget(), summary->fraContainer());
        EXPECT_EQ(chart->parentWidget(), summary->fraContainer());

        const QFontMetrics metrics(grid->font());
        int labels = 0, values = 0;
        for (int r = 0; r < grid->model()->rowCount(); ++r) {
            labels = std::max(labels, metrics.horizontalAdvance(grid->model()->index(r, 0).data().toString()));
            values = std::max(values, metrics.horizontalAdvance(grid->model()->index(r, 1).data().toString()));
        }
        EXPECT_GT(grid->columnWidth(0), labels);
        EXPECT_GT(grid->columnWidth(1), values);
        EXPECT_GE(grid->columnWidth(1), grid->columnWidth(0));
        EXPECT_GE(grid->height(), grid->rowViewportPosition(13) + grid->rowHeight(13));

        EXPECT_EQ(chart->x(), grid->x() + grid->width());
        EXPECT_EQ(chart->y(), grid->y());
        EXPECT_EQ(chart->height(), grid->height());
        EXPECT_EQ(chart->width(), pixels(5500));
        EXPECT_GT(summary->Travina1()->virtualWidth(), (chart->x() + chart->width()) * 15 - 1);
        EXPECT_GT(summary->Travina1()->virtualHeight(), (chart->y() + chart->height()) * 15 - 1);
    }
}

// Round steps of money, at most five, from 0 or below it.
TEST(SummaryView, ValueAxisSteps)
{
    struct Case
    {
        double low, high;
        std::vector<double> ticks;
    };
    for (const Case &c :
         {Case {0, 510179.52, {0, 200000, 400000, 600000}}, Case {2.32, 400000, {0, 100000, 200000, 300000, 400000}},
          Case {0, 95, {0, 20, 40, 60, 80, 100}}, Case {-1500, 9000, {-2500, 0, 2500, 5000, 7500, 10000}},
          Case {0, NAN, {0, 1}}}) {
        SCOPED_TRACE(c.high);
        EXPECT_EQ(valueTicks(c.low, c.high), c.ticks);
    }
}
