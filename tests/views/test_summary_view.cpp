#include "ViewFixture.h"

#include "engine/Dates.h"
#include "travina/CTravinaCtrl.h"
#include "views/SummaryChart.h"
#include "views/SummaryView.h"

#include <QFontMetrics>

using namespace views;

// Beside the key figures, the balance and the interest paid so far, sampled every 8th payment of 360 and at the last
// one, along the years of the loan; money on the value axis in the locale's currency.
TEST(SummaryView, ChartOfTheBalanceAndTheInterestPaid)
{
    Fixture f(readExample("us-mortgage-30y.plr"));
    SummaryChart *chart = f.view->summaryView()->MSChart1();
    const std::vector<SummaryChart::Series> series = chart->shownSeries();
    ASSERT_EQ(series.size(), 2u); // no lump sums, none marked
    EXPECT_EQ(series[0].name, QStringLiteral("Balance"));
    EXPECT_EQ(series[1].name, QStringLiteral("Interest Paid "));
    for (const SummaryChart::Series &line : series) {
        ASSERT_EQ(line.points.size(), 46u) << line.name.toStdString();
        EXPECT_EQ(line.style, SummaryChart::Series::Style::Line);
    }
    // Payment 1 (1 March 2026) and payment 360 (1 February 2056), as the schedule shows them.
    const double first = double(*engine::exactDate(2026, 3, 1));
    const double last = double(*engine::exactDate(2056, 2, 1));
    EXPECT_EQ(series[0].points.front(), QPointF(first, 399638.40));
    EXPECT_EQ(series[1].points.front(), QPointF(first, 2166.67));
    EXPECT_EQ(series[0].points.back(), QPointF(last, 0)); // the last payment takes the 2.32 its payments leave
    EXPECT_EQ(series[1].points.back(), QPointF(last, 510179.52));
    EXPECT_EQ(chart->valueLabels(),
              (QStringList {QStringLiteral("$0"), QStringLiteral("$200,000"), QStringLiteral("$400,000"),
                            QStringLiteral("$600,000")}));
    EXPECT_TRUE(chart->horizontalLabelsShown());
    EXPECT_EQ(chart->horizontalLabels(),
              (QStringList {QStringLiteral("2030"), QStringLiteral("2035"), QStringLiteral("2040"),
                            QStringLiteral("2045"), QStringLiteral("2050"), QStringLiteral("2055")}));
    EXPECT_FALSE(chart->horizontalGridShown());
    EXPECT_TRUE(chart->legendBold());
}

// Each lump sum paid is marked on its date, at the balance it leaves.
TEST(SummaryView, LumpSumsMarked)
{
    Fixture f(readExample("canadian-mortgage-25y.plr"));
    const std::vector<SummaryChart::Series> series = f.view->summaryView()->MSChart1()->shownSeries();
    ASSERT_EQ(series.size(), 3u);
    EXPECT_EQ(series[2].name, QStringLiteral("Lump Sums"));
    EXPECT_EQ(series[2].style, SummaryChart::Series::Style::Marks);
    EXPECT_EQ(series[2].points,
              (std::vector<QPointF> {QPointF(*engine::exactDate(2027, 2, 1), 342153.09),
                                     QPointF(*engine::exactDate(2028, 6, 15), 325433.70)}));
}

// The years along the horizontal axis: the first day of every year, or of every 2nd, 5th, 10th ... year when that
// many would crowd the axis; the first year alone for a loan within one year.
TEST(SummaryView, YearAxisSteps)
{
    struct Case
    {
        engine::Date first, last;
        std::vector<int> years;
    };
    auto date = [](int y, int m, int d) { return *engine::exactDate(y, m, d); };
    for (const Case &c : {Case {date(2026, 3, 1), date(2056, 2, 1), {2030, 2035, 2040, 2045, 2050, 2055}},
                          Case {date(2026, 2, 15), date(2031, 1, 15), {2027, 2028, 2029, 2030, 2031}},
                          Case {date(2026, 1, 1), date(2033, 12, 1), {2026, 2027, 2028, 2029, 2030, 2031, 2032, 2033}},
                          Case {date(2026, 1, 1), date(2035, 12, 1), {2026, 2028, 2030, 2032, 2034}},
                          Case {date(2026, 2, 1), date(2026, 11, 1), {2026}},
                          Case {date(1950, 1, 1), date(2200, 1, 1), {1950, 2000, 2050, 2100, 2150, 2200}}}) {
        SCOPED_TRACE(c.first);
        std::vector<int> years;
        for (const auto &[serial, year] : yearTicks(c.first, c.last)) {
            EXPECT_EQ(serial, std::max(double(date(year, 1, 1)), double(c.first))) << year;
            years.push_back(year);
        }
        EXPECT_EQ(years, c.years);
    }
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
        const int last = grid->model()->rowCount() - 1;
        EXPECT_GE(grid->height(), grid->rowViewportPosition(last) + grid->rowHeight(last));

        EXPECT_EQ(chart->x(), grid->x() + grid->width());
        EXPECT_EQ(chart->y(), grid->y());
        EXPECT_GT(summary->Travina1()->virtualWidth(), (chart->x() + pixels(5500)) * 15 - 1);
        EXPECT_GT(summary->Travina1()->virtualHeight(), (chart->y() + grid->height()) * 15 - 1);
    }
}

// The rows that depend on the day come with the window's clock, and only with it.
TEST(SummaryView, RowsOfTodayFollowTheClock)
{
    Fixture f(readDocumentFile(QStringLiteral(PELLANDRA_TEST_DATA "/golden/prepayment-terms.plr")));
    const auto labels = [&] {
        QStringList list;
        const QAbstractItemModel *rows = f.view->summaryView()->gridSummary()->model();
        for (int r = 0; r < rows->rowCount(); ++r)
            list << rows->index(r, 0).data().toString();
        return list;
    };
    const QStringList ofToday = {QStringLiteral("Trigger Rate"), QStringLiteral("Prepayment Privilege"),
                                 QStringLiteral("Privilege Used"), QStringLiteral("Privilege Left")};
    for (const QString &label : ofToday)
        EXPECT_FALSE(labels().contains(label)) << label.toStdString();
    f.shell.clock = *engine::exactDate(2027, 6, 15);
    f.view->refreshAfterCalculate();
    for (const QString &label : ofToday)
        EXPECT_TRUE(labels().contains(label)) << label.toStdString();
}

// The chart fills the room the window gives it right of the table and below its top, never smaller than 5500 twips
// wide and the table's height; a window too small for that scrolls.
TEST(SummaryView, ChartFillsTheWindow)
{
    Fixture f(readExample("car-loan.plr"));
    f.view->show();
    f.view->showSummary();
    SummaryView *summary = f.view->summaryView();
    const QTableView *grid = summary->gridSummary();
    const QWidget *chart = summary->MSChart1()->widget();
    const int margin = pixels(50);
    for (const QSize &size : {QSize(1200, 800), QSize(900, 500), QSize(300, 150)}) {
        SCOPED_TRACE(size.width());
        f.view->resize(size);
        const QWidget *frame = summary->fraContainer();
        EXPECT_EQ(chart->width(), std::max(pixels(5500), frame->width() - chart->x() - margin));
        EXPECT_EQ(chart->height(), std::max(grid->height(), frame->height() - chart->y() - margin));
        EXPECT_GE(frame->width(), chart->x() + chart->width());
        EXPECT_GE(frame->height(), chart->y() + chart->height());
    }
    f.view->resize(1200, 800);
    EXPECT_GT(chart->width(), pixels(5500));
    EXPECT_GT(chart->height(), grid->height());
    EXPECT_EQ(chart->x() + chart->width() + margin, summary->fraContainer()->width());
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
