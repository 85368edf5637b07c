#include "ViewFixture.h"

#include "views/CellEditor.h"
#include "views/FittedTextDelegate.h"
#include "views/YearEndModel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QTest>

using namespace views;

namespace {

QList<int> columnWidths(const QTableView *grid)
{
    QList<int> widths;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        widths << grid->columnWidth(c);
    return widths;
}

} // namespace

// The report takes the schedule's place in the grid, shaded and fitted, and gives it back as it was: the column
// layout and the modified flag are never touched.
TEST(YearEndView, ReplacesTheScheduleUntilClosed)
{
    Fixture f(readExample("canadian-mortgage-25y.plr"));
    ScheduleGrid *grid = f.view->gridMain1();
    f.view->show();
    QApplication::setActiveWindow(f.view.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.view.get()));
    grid->setFocus();
    const int lumpColumn = f.view->model()->visibleColumn(engine::colLumpSum);
    const QStringList scheduleHeaders = f.headers();
    const QList<int> scheduleWidths = columnWidths(grid);
    const document::ColumnProperties layout = f.data.columns;

    f.view->YearEndReport(12);
    ASSERT_TRUE(f.data.loan.gblnReportFlag);
    QAbstractItemModelTester tester(grid->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(f.headers(),
              (QStringList {QString(), QStringLiteral("From"), QStringLiteral("Until"), QStringLiteral("Interest"),
                            QStringLiteral("Principal"), QStringLiteral("Balance"), QStringLiteral("Payment"),
                            QStringLiteral("Lump Sums"), QStringLiteral("Cumulative Payments"),
                            QStringLiteral("Cumulative Interest"), QStringLiteral("Cumulative Principal")}));
    ASSERT_EQ(grid->model()->rowCount(), 24);
    EXPECT_EQ(f.cell(1, 1), QStringLiteral("1/1/2027"));
    EXPECT_EQ(f.cell(1, 3), QStringLiteral("$17,699.77"));
    EXPECT_EQ(f.cell(1, 7), QStringLiteral("$10,000.00"));
    EXPECT_EQ(f.cell(0, 7), QString());
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(0, 1));
    // Shaded in bands of four rows, every cell readable at its width.
    EXPECT_FALSE(grid->model()->index(3, 0).data(Qt::BackgroundRole).isValid());
    EXPECT_TRUE(grid->model()->index(4, 0).data(Qt::BackgroundRole).isValid());
    auto *delegate = qobject_cast<FittedTextDelegate *>(grid->itemDelegate());
    for (int r = 0; r < grid->model()->rowCount(); ++r) {
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            ASSERT_NE(delegate->shownText(grid->model()->index(r, c)), QLatin1String(FittedTextDelegate::kTooNarrow))
                << r << "," << c;
    }

    // Nothing is typed into the report, not even where the schedule takes lump sums; its widths are not the
    // document's.
    grid->setCurrentIndex(grid->model()->index(1, lumpColumn));
    QTest::keyClick(grid, Qt::Key_5);
    EXPECT_FALSE(f.view->cellEditor()->editing());
    f.view->autoFit();
    f.view->SetGridMain1(GridRequest::StoreToArray);
    EXPECT_EQ(f.data.columns, layout);

    f.view->CloseYearEndReport();
    EXPECT_FALSE(f.data.loan.gblnReportFlag);
    EXPECT_EQ(grid->model(), f.view->model());
    EXPECT_EQ(f.headers(), scheduleHeaders);
    EXPECT_EQ(columnWidths(grid), scheduleWidths);
    EXPECT_EQ(f.data.columns, layout);
    EXPECT_EQ(f.shell.modified, 0);
    // The lump sums are highlighted again, and the grid takes edits again.
    const int lumpRow = int(engine::numberOrZero(f.data.loan.gridLumpSum.text(1, engine::chgScheduleRow))) - 1;
    ASSERT_GE(lumpRow, 0);
    const QModelIndex lump = grid->model()->index(lumpRow, lumpColumn);
    EXPECT_TRUE(f.view->model()->cellColor(lump.row(), lump.column()).isValid());
    grid->setCurrentIndex(lump);
    QTest::keyClick(grid, Qt::Key_5);
    EXPECT_TRUE(f.view->cellEditor()->editing());
}

// The report follows a new schedule, another closing month, and alignment commands on its own columns.
TEST(YearEndView, FollowsTheScheduleAndTheMonth)
{
    Fixture f(readExample("canadian-mortgage-25y.plr"));
    f.view->YearEndReport(12);
    f.data.loan.gridLumpSum.setRows(1);
    ASSERT_TRUE(engine::Calculate(f.data.loan, f.format));
    f.view->refreshAfterCalculate();
    ASSERT_TRUE(f.data.loan.gblnReportFlag);
    EXPECT_EQ(f.cell(1, 7), QString());
    EXPECT_EQ(f.cell(1, 6), QStringLiteral("$25,718.76"));

    f.view->YearEndReport(6);
    EXPECT_EQ(f.cell(0, 2), QStringLiteral("6/1/2026"));
    EXPECT_EQ(f.cell(1, 1), QStringLiteral("7/1/2026"));
    // Another date format, chosen for every window, reaches the report too.
    f.format.setDatePattern("yyyy-MM-dd");
    f.view->SetGridMain1DateColumn();
    EXPECT_EQ(f.cell(1, 1), QStringLiteral("2026-07-01"));
    ASSERT_TRUE(f.data.loan.gblnReportFlag);

    QTableView *grid = f.view->gridMain1();
    f.select(grid, 0, 3, 3);
    f.view->SetColumnAlignment(document::kAlignLeft);
    EXPECT_EQ(grid->model()->index(0, 3).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
    f.view->CloseYearEndReport();
    EXPECT_EQ(f.data.columns.columns[3].Alignment, f.view->model()->columnAlignment(3));
    EXPECT_NE(f.view->model()->columnAlignment(3), document::kAlignLeft);
}
