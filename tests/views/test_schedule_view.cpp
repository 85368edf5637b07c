#include "ViewFixture.h"

#include "support/QtPrinters.h"

#include "document/DocumentFile.h"
#include "engine/ChangeTables.h"
#include "engine/NumberFormat.h"
#include "engine/Prepayment.h"
#include "engine/Schedule.h"
#include "travina/CTravinaCtrl.h"
#include "ui/ColorContrast.h"
#include "views/FittedTextDelegate.h"
#include "views/ScheduleModel.h"
#include "views/ScheduleView.h"
#include "views/ShellServices.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QFile>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QTableView>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace views;

namespace {

const QStringList kAllCaptions = {QStringLiteral("No."),
                                  QStringLiteral("Date"),
                                  QStringLiteral("Opening Balance"),
                                  QStringLiteral("Annual Rate"),
                                  QStringLiteral("Interest"),
                                  QStringLiteral("Principal"),
                                  QStringLiteral("Ending Balance"),
                                  QStringLiteral("Percent Paid"),
                                  QStringLiteral("Payment"),
                                  QStringLiteral("Lump Sums"),
                                  QStringLiteral("Cumulative Payments"),
                                  QStringLiteral("Cumulative Interest"),
                                  QStringLiteral("Cumulative Principal")};

} // namespace

TEST(ScheduleView, ModelPassesTheItemModelChecks)
{
    Fixture f(readExample("canadian-mortgage-25y.plr"));
    QAbstractItemModelTester tester(f.view->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    f.view->refreshAfterCalculate();
    EXPECT_EQ(f.view->model()->rowCount(), f.data.loan.gridMain0.rows() - 1);
}

TEST(ScheduleView, NewDocumentShowsEveryColumnCentredInOrder)
{
    document::DocumentData data = readExample("car-loan.plr");
    data.columns = document::ColumnProperties(); // a new document's layout
    Fixture f(std::move(data));
    EXPECT_EQ(f.headers(), kAllCaptions);
    for (int c = 0; c < 13; ++c)
        EXPECT_EQ(f.view->model()->index(1, c).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter)) << c;
    EXPECT_EQ(f.cell(1, 2), QStringLiteral("$32,000.00"));
    EXPECT_EQ(f.view->gridMain1()->GetNumberOfVisibleColumns(), 13);
}

TEST(ScheduleView, HiddenColumnsArePackedWithoutGaps)
{
    document::DocumentData data = readExample("car-loan.plr");
    // Shown: Payment first, then Date, then No.; every other column hidden.
    for (auto &column : data.columns.columns)
        column.Position = -1;
    data.columns.columns[8].Position = 0;
    data.columns.columns[1].Position = 1;
    data.columns.columns[0].Position = 2;
    data.columns.columns[0].Alignment = 1;
    Fixture f(std::move(data));
    EXPECT_EQ(f.headers(), (QStringList {QStringLiteral("Payment"), QStringLiteral("Date"), QStringLiteral("No.")}));
    EXPECT_EQ(f.cell(1, 0), QStringLiteral("$647.31"));
    EXPECT_EQ(f.cell(1, 1), QStringLiteral("2/15/2026"));
    EXPECT_EQ(f.cell(1, 2), QStringLiteral("1"));
    EXPECT_EQ(f.view->model()->index(1, 2).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
}

TEST(ScheduleView, RowBands)
{
    Fixture f(readExample("car-loan.plr"));
    struct Case
    {
        int interval;
        std::vector<int> shadedRows; // among grid rows 1..8
    };
    const Case cases[] = {{0, {}}, {1, {2, 4, 6, 8}}, {3, {4, 5, 6}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.interval);
        ViewPreferences preferences;
        preferences.rowInterval = c.interval;
        preferences.rowIntervalColor = QColor(0x12, 0x34, 0x56);
        f.view->setPreferences(preferences);
        std::vector<int> shaded;
        for (int row = 1; row <= 8; ++row) {
            const QVariant background = f.view->model()->index(row - 1, 5).data(Qt::BackgroundRole);
            if (background.isValid()) {
                EXPECT_EQ(background.value<QBrush>().color(), QColor(0x12, 0x34, 0x56));
                shaded.push_back(row);
            }
        }
        EXPECT_EQ(shaded, c.shadedRows);
    }
}

TEST(ScheduleView, HighlightsChangedCells)
{
    document::DocumentData data = readExample("canadian-mortgage-25y.plr");
    const engine::NumberFormat format;
    engine::TextTable &lumps = data.loan.gridLumpSum;
    // The two lump sums of the example, one past the end of the schedule, then one that would fall inside it.
    lumps.setRows(5);
    engine::setChangeEntry(lumps, 3, *engine::exactDate(2070, 1, 1), 100, format);
    engine::setChangeEntry(lumps, 4, *engine::exactDate(2075, 1, 1), 100, format);
    data.loan.gridBasicPayment.setRows(2);
    engine::setChangeEntry(data.loan.gridBasicPayment, 1, *engine::exactDate(2026, 5, 1), 2500, format);
    Fixture f(std::move(data));
    // Force the entry after the one past the end to claim a row: it must still not be painted.
    f.data.loan.gridLumpSum.setText(4, engine::chgScheduleRow, "5");
    f.view->gridMain1()->PaintCells();

    const QColor blue(0, 0, 255);
    const QColor red(255, 0, 0);
    ScheduleModel *model = f.view->model();
    auto colour = [&](int scheduleRow, int logical) {
        return model->index(scheduleRow - 1, model->visibleColumn(logical)).data(Qt::ForegroundRole);
    };
    // Payment change applied at payment 4 (schedule row 5).
    EXPECT_EQ(colour(5, engine::colPayment).value<QBrush>().color(), blue);
    EXPECT_FALSE(colour(5, engine::colAnnualRate).isValid());
    // Lump sum on a payment date: blue amount, interest untouched.
    const int onDate = int(engine::numberOrZero(f.data.loan.gridLumpSum.text(1, engine::chgScheduleRow)));
    EXPECT_EQ(colour(onDate, engine::colLumpSum).value<QBrush>().color(), blue);
    EXPECT_FALSE(colour(onDate, engine::colInterest).isValid());
    // Lump sum between two payments: blue amount and red interest saved.
    const int between = int(engine::numberOrZero(f.data.loan.gridLumpSum.text(2, engine::chgScheduleRow)));
    EXPECT_EQ(colour(between, engine::colLumpSum).value<QBrush>().color(), blue);
    // Pure red is too pale on white to read: the red shown is darkened until it can be.
    EXPECT_EQ(model->cellColor(between - 1, model->visibleColumn(engine::colInterest)), red);
    const QColor saved = colour(between, engine::colInterest).value<QBrush>().color();
    EXPECT_EQ(saved.hue(), 0);
    EXPECT_GE(ui::contrastRatio(saved.rgb() & 0xFFFFFF, 0xFFFFFF), ui::kMinimumContrast);
    // The entry past the end stops the pass.
    EXPECT_EQ(f.data.loan.gridLumpSum.text(3, engine::chgScheduleRow), "");
    EXPECT_FALSE(colour(5, engine::colLumpSum).isValid());
    // Ordinary cells keep the default colour.
    EXPECT_FALSE(colour(2, engine::colPayment).isValid());
}

// A lump sum larger than what is owed on its date pays what is owed; its cell says so when the mouse rests on it.
TEST(ScheduleView, ALumpSumCutToWhatIsOwedSaysSo)
{
    document::DocumentData data = readExample("car-loan.plr");
    const engine::NumberFormat format;
    engine::putChangeEntry(data.loan.gridLumpSum, *engine::exactDate(2026, 4, 15), 1000, format);
    engine::putChangeEntry(data.loan.gridLumpSum, *engine::exactDate(2027, 2, 15), 50000, format);
    Fixture f(std::move(data));
    ScheduleModel *model = f.view->model();
    auto lumpCell = [&](int entry) {
        const int row = int(engine::numberOrZero(f.data.loan.gridLumpSum.text(entry, engine::chgScheduleRow)));
        return model->index(row - 1, model->visibleColumn(engine::colLumpSum));
    };
    EXPECT_EQ(lumpCell(1).data().toString(), QStringLiteral("$1,000.00"));
    EXPECT_EQ(lumpCell(1).data(Qt::ToolTipRole).toString(), QStringLiteral("Lump sum paid here."));
    const QModelIndex cut = lumpCell(2);
    EXPECT_LT(format.parseNumber(cut.data().toString().toStdString()).value_or(50000), 50000);
    EXPECT_EQ(cut.data(Qt::ToolTipRole).toString(),
              QStringLiteral("Reduced to what is owed on this date; $50,000.00 was entered."));
    EXPECT_FALSE(model->index(cut.row(), model->visibleColumn(engine::colPayment)).data(Qt::ToolTipRole).isValid());
}

// A lump sum the prepayment terms do not allow is marked in words as well as in colour: a marker before the figure,
// which copies and prints with it, and what the terms say in its tip.
TEST(ScheduleView, PrepaymentsBeyondThePrivilegeAreMarked)
{
    Fixture f(readDocumentFile(QStringLiteral(PELLANDRA_TEST_DATA "/golden/prepayment-terms.plr")));
    const engine::PrivilegeCheck check = engine::checkPrivileges(f.data.loan);
    ASSERT_FALSE(check.marks.empty());
    ScheduleModel *model = f.view->model();
    const engine::PrivilegeMark &mark = check.marks.front();
    const int column = model->visibleColumn(mark.has(engine::PrivilegeMark::OverIncreaseCap) ? engine::colPayment
                                                                                             : engine::colLumpSum);
    const QModelIndex marked = model->index(mark.row - 1, column);
    const QString figure = QString::fromStdString(f.data.loan.gridMain0.text(mark.row, model->logicalColumn(column)));
    EXPECT_EQ(marked.data().toString(), QString::fromUtf16(ScheduleModel::kPrivilegeMarker) + figure);
    const QString said = QString::fromStdString(engine::markText(mark, check, f.data.loan.gridMain0.format()));
    EXPECT_TRUE(marked.data(Qt::ToolTipRole).toString().contains(said));
    EXPECT_TRUE(marked.data(Qt::AccessibleTextRole).toString().contains(said));
    // A row the terms allow keeps its figure as it is.
    const QModelIndex plain = model->index(0, model->visibleColumn(engine::colPayment));
    EXPECT_FALSE(plain.data().toString().startsWith(QString::fromUtf16(ScheduleModel::kPrivilegeMarker)));
}

// From a payment of 1.00 on, the car loan's payment does not cover its interest: the interest cell has a marker before
// its figure, a colour that reads on the background, and by how much the balance grows in its tip and for a screen
// reader. The rows before the change have none of it.
TEST(ScheduleView, PaymentsNotCoveringTheirInterestAreMarked)
{
    document::DocumentData data = readExample("car-loan.plr");
    engine::LoanDocument before = data.loan;
    ASSERT_TRUE(engine::Calculate(before, engine::NumberFormat()));
    engine::putChangeEntry(data.loan.gridBasicPayment, before.gridMain0.dateOf(3), 1, engine::NumberFormat());
    Fixture f(std::move(data));
    const engine::ScheduleTable &schedule = f.data.loan.gridMain0;
    ASSERT_FALSE(schedule.paymentShortOfInterest(2));
    ASSERT_TRUE(schedule.paymentShortOfInterest(3));
    ScheduleModel *model = f.view->model();
    const int interest = model->visibleColumn(engine::colInterest);
    const QModelIndex marked = model->index(2, interest);
    const QString figure = QString::fromStdString(schedule.text(3, engine::colInterest));
    EXPECT_EQ(marked.data().toString(), QString::fromUtf16(ScheduleModel::kShortfallMarker) + figure);
    const QString said = QStringLiteral("The payment does not cover this period's interest: the balance grows by %1.")
                             .arg(QString::fromStdString(f.format.currency(schedule.value(3, engine::colInterest)
                                                                           - schedule.value(3, engine::colPayment))));
    EXPECT_EQ(marked.data(Qt::ToolTipRole).toString(), said);
    EXPECT_EQ(marked.data(Qt::AccessibleTextRole).toString(), figure + QStringLiteral(", ") + said);
    const QColor shown = marked.data(Qt::ForegroundRole).value<QBrush>().color();
    EXPECT_GE(ui::contrastRatio(shown.rgb() & 0xFFFFFF, 0xFFFFFF), ui::kMinimumContrast);
    const QModelIndex covered = model->index(1, interest);
    EXPECT_EQ(covered.data().toString(), QString::fromStdString(schedule.text(2, engine::colInterest)));
    EXPECT_FALSE(covered.data(Qt::ToolTipRole).isValid());
    // The principal cell of the row keeps its figure as it is.
    EXPECT_EQ(model->index(2, model->visibleColumn(engine::colPrincipal)).data().toString(),
              QString::fromStdString(schedule.text(3, engine::colPrincipal)));
}

TEST(ScheduleView, AutoFitGivesAtLeastTheMinimumAndMarksModified)
{
    document::DocumentData data = readExample("car-loan.plr");
    data.columns.columns[7].Position = -1; // Percent Paid hidden
    data.columns.columns[7].Width = 1234;
    for (int k = 8; k < 13; ++k)
        --data.columns.columns[size_t(k)].Position;
    Fixture f(std::move(data));
    f.shell.modified = 0;
    f.view->AutoSizeMainGrid();
    EXPECT_GT(f.shell.modified, 0);
    // "No." holds at most two digits: narrower than its minimum of 400 twips, so exactly that.
    EXPECT_EQ(f.data.columns.columns[0].Width, 400);
    EXPECT_EQ(f.view->gridMain1()->columnWidth(0), 400 / 15 + 1);
    // A hidden column keeps its width.
    EXPECT_EQ(f.data.columns.columns[7].Width, 1234);
    // A wide column is widened to its text plus the margin.
    EXPECT_GT(f.data.columns.columns[2].Width, 800);
    // Progress 1..10 of 10 before the first ten columns.
    ASSERT_GE(f.shell.progress.size(), 10u);
    EXPECT_EQ(f.shell.progress[f.shell.progress.size() - 10], std::make_pair(1, 10));
    EXPECT_EQ(f.shell.progress.back(), std::make_pair(10, 10));
}

TEST(ScheduleView, AlignmentFollowsTheSelectionRightwardsOnly)
{
    Fixture f(readExample("car-loan.plr"));
    QTableView *grid = f.view->gridMain1();
    auto alignments = [&] {
        std::vector<int> codes;
        for (int p = 0; p < 6; ++p)
            codes.push_back(f.view->model()->columnAlignment(p));
        return codes;
    };
    const std::vector<int> before = alignments(); // the example: 4, 4, 7, 7, 7, 7
    f.select(grid, 2, 1, 3);
    f.view->SetColumnAlignment(1);
    EXPECT_EQ(alignments(), (std::vector<int> {4, 1, 1, 1, 7, 7}));
    // A selection made leftwards from the current column changes nothing.
    f.select(grid, 2, 4, 2);
    f.view->SetColumnAlignment(4);
    EXPECT_EQ(alignments(), (std::vector<int> {4, 1, 1, 1, 7, 7}));
    // A single column.
    f.select(grid, 0, 5, 5);
    f.view->SetColumnAlignment(4);
    EXPECT_EQ(alignments(), (std::vector<int> {4, 1, 1, 1, 7, 4}));
    EXPECT_NE(alignments(), before);
    // The layout reaches the column model, and the file, when stored back.
    EXPECT_EQ(f.data.columns.columns[1].Alignment, 4);
    f.view->SetGridMain1(GridRequest::StoreToArray);
    EXPECT_EQ(f.data.columns.columns[1].Alignment, 1);
    f.view->gridMain1()->setColumnWidth(2, 150);
    f.view->SetGridMain1(GridRequest::StoreToArray);
    EXPECT_EQ(f.data.columns.columns[2].Width, 150 * 15);
    const std::string file = document::writeDocument(f.data);
    EXPECT_NE(file.find("\"RecordNo\",2\r\n\"Width\",1100\r\n\"Alignment\",1\r\n"), std::string::npos);
    EXPECT_NE(file.find("\"RecordNo\",3\r\n\"Width\",2250\r\n\"Alignment\",1\r\n"), std::string::npos);
}

TEST(ScheduleView, CopiesTheVisibleGridsSelection)
{
    Fixture f(readExample("car-loan.plr"));
    QTableView *grid = f.view->gridMain1();
    grid->setCurrentIndex(grid->model()->index(1, 0));
    grid->selectionModel()->select(QItemSelection(grid->model()->index(1, 0), grid->model()->index(2, 2)),
                                   QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(f.view->selectionText(), QStringLiteral("1\t2/15/2026\t$32,000.00\n2\t3/15/2026\t$31,563.36"));
    // The whole grid, or whole columns of it, start with their headings, as a spreadsheet wants them.
    grid->selectAll();
    QStringList lines = f.view->selectionText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 62);
    EXPECT_EQ(lines.first(), f.headers().join(QLatin1Char('\t')));
    EXPECT_TRUE(lines[1].startsWith(QLatin1String("0\t1/15/2026")));
    grid->selectionModel()->select(QItemSelection(grid->model()->index(0, 1), grid->model()->index(60, 2)),
                                   QItemSelectionModel::ClearAndSelect);
    lines = f.view->selectionText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 62);
    EXPECT_EQ(lines.first(), QStringLiteral("Date\tOpening Balance"));

    f.view->showSummary();
    EXPECT_TRUE(f.view->summaryShown());
    EXPECT_EQ(f.view->VisibleGrid(), f.view->gridSummary());
    QTableView *summary = f.view->gridSummary();
    summary->setCurrentIndex(summary->model()->index(0, 0));
    summary->selectionModel()->select(QItemSelection(summary->model()->index(0, 0), summary->model()->index(2, 1)),
                                      QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(f.view->selectionText(),
              QStringLiteral("Loan Type\tPersonal Loan\nInterest Compounded\tMonthly\n"
                             "Loan Amount\t$32,000.00"));
    // The layout is not stored back from the summary view.
    f.view->gridMain1()->setColumnWidth(0, 300);
    f.view->SetGridMain1(GridRequest::StoreToArray);
    EXPECT_NE(f.data.columns.columns[0].Width, 300 * 15);
    f.view->showDetails();
    EXPECT_EQ(f.view->VisibleGrid(), f.view->gridMain1());
}

TEST(ScheduleView, SummaryFillsTheContainer)
{
    Fixture f(readExample("us-mortgage-30y.plr"));
    f.view->showSummary();
    CTravinaCtrl *container = f.view->Travina1();
    EXPECT_TRUE(container->isVisibleTo(f.view.get()));
    EXPECT_FALSE(f.view->gridMain1()->isVisibleTo(f.view.get()));
    EXPECT_EQ(container->geometry(), f.view->rect());
    EXPECT_GT(container->virtualWidth(), 0);
    // The fourteen figures of every loan, and the purchase price and the down payment of this one.
    EXPECT_EQ(f.view->gridSummary()->model()->rowCount(), 16);
    EXPECT_EQ(f.view->gridSummary()->model()->index(2, 1).data().toString(), QStringLiteral("$500,000.00"));
    EXPECT_EQ(f.view->gridSummary()->model()->index(4, 1).data().toString(), QStringLiteral("$400,000.00"));
}

TEST(ScheduleView, DateColumnFollowsTheDateFormat)
{
    Fixture f(readExample("car-loan.plr"));
    f.format.setDatePattern("dd-MMM-yyyy");
    f.view->SetGridMain1DateColumn();
    EXPECT_EQ(f.cell(1, 1), QStringLiteral("15-Feb-2026"));
    EXPECT_EQ(f.cell(60, 1), QStringLiteral("15-Jan-2031"));
    // The summary's dates follow at once, not at the next calculation, and its table widens for them.
    const QTableView *summary = f.view->gridSummary();
    EXPECT_EQ(summary->model()->index(9, 1).data().toString(), QStringLiteral("15-Feb-2026"));
    EXPECT_EQ(summary->model()->index(10, 1).data().toString(), QStringLiteral("15-Jan-2031"));
    EXPECT_GT(summary->columnWidth(1), summary->fontMetrics().horizontalAdvance(QStringLiteral("15-Feb-2026")));
}

// A number too wide for its column shows as "###", never as part of its digits; its tooltip shows it whole.
TEST(ScheduleView, NumbersTooWideForTheirColumnShowAsHashes)
{
    Fixture f(readExample("car-loan.plr"));
    f.view->show();
    QTableView *grid = f.view->gridMain1();
    auto *delegate = qobject_cast<FittedTextDelegate *>(grid->itemDelegate());
    ASSERT_NE(delegate, nullptr);
    const int column = f.view->model()->visibleColumn(engine::colOpeningBalance);
    const QModelIndex cell = grid->model()->index(1, column);
    ASSERT_EQ(cell.data().toString(), QStringLiteral("$32,000.00"));

    struct Case
    {
        int width;
        QString shown;
    };
    const int whole = grid->fontMetrics().horizontalAdvance(QStringLiteral("$32,000.00"));
    for (const Case &c : {Case {whole + 20, QStringLiteral("$32,000.00")}, Case {whole - 4, QStringLiteral("###")},
                          Case {8, QStringLiteral("###")}}) {
        SCOPED_TRACE(c.width);
        grid->setColumnWidth(column, c.width);
        EXPECT_EQ(delegate->shownText(cell), c.shown);
    }

    grid->setColumnWidth(column, whole - 4);
    const QPoint at = grid->visualRect(cell).center();
    QHelpEvent help(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(grid->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("$32,000.00"));
    QToolTip::hideText();
}
