#include "ViewFixture.h"

#include "support/AccessibilityCheck.h"
#include "support/RecordingShell.h"
#include "support/ScriptedDialogs.h"

#include "engine/ChangeTables.h"
#include "engine/Schedule.h"
#include "engine/StatementMatch.h"
#include "ui/ColorContrast.h"
#include "ui/DateField.h"
#include "views/MatchStatementDialog.h"
#include "views/ScheduleGrid.h"
#include "views/SummaryChart.h"
#include "views/SummaryView.h"
#include "views/frmLumpSums.h"
#include "views/frmOptions.h"

#include <QAccessible>
#include <QFocusFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <functional>

using namespace views;

namespace {

// The windows of the views, each opened as the program opens it, over the car loan.
class ViewAccessibility : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_data = readExample("car-loan.plr", m_format);
        ASSERT_TRUE(engine::Calculate(m_data.loan, m_format));
        m_shell.data = &m_data;
        m_shell.format = &m_format;
        m_columns.init(true);
    }
    std::unique_ptr<ScheduleView> scheduleView(bool summary)
    {
        auto view = std::make_unique<ScheduleView>(m_data, m_format, m_shell);
        view->resize(900, 500);
        view->refreshAfterCalculate();
        if (summary)
            view->showSummary();
        return view;
    }
    std::unique_ptr<frmLumpSums> lumpSums()
    {
        return std::make_unique<frmLumpSums>(m_data.loan, m_shell, -1, m_format);
    }
    std::unique_ptr<frmOptions> options(int tab)
    {
        return std::make_unique<frmOptions>(
            m_columns, m_preferences, tab, m_format, [] { return QDate(2026, 3, 5); }, m_dialogs, m_shell);
    }
    // The dialog with a lender's statement for the loan: its own schedule's first twelve payments, compounded another
    // way, so that several candidates are ranked.
    std::unique_ptr<MatchStatementDialog> matchStatement()
    {
        auto dialog =
            std::make_unique<MatchStatementDialog>(m_data.loan, m_format, m_dialogs, QStringLiteral("Test"), QString());
        engine::LoanDocument lender = m_data.loan;
        engine::applyConventions(
            lender, {1, lender.gintPeriodsPerYearIndex, lender.gintStartPayment, lender.gdblAnnualRate + 0.25});
        EXPECT_TRUE(engine::Calculate(lender, engine::NumberFormat()));
        std::string text = "Date,Payment,Interest,Balance\n";
        engine::ScheduleReader reader(lender.gridMain0, 1);
        for (engine::ScheduleRowValues row; reader.next(row) && row.row < 14;) {
            if (row.kind == engine::ScheduleRowKind::Payment)
                text += engine::plainCellText(row, engine::colDate) + ','
                    + engine::plainCellText(row, engine::colPayment) + ','
                    + engine::plainCellText(row, engine::colInterest) + ','
                    + engine::plainCellText(row, engine::colEndingBalance) + '\n';
        }
        EXPECT_TRUE(dialog->loadStatement(text, QStringLiteral("bank.csv")));
        return dialog;
    }

    engine::NumberFormat m_format;
    document::DocumentData m_data;
    RecordingShell m_shell;
    ScriptedDialogs m_dialogs;
    document::ColumnProperties m_columns;
    engine::Preferences m_preferences;
};

} // namespace

// Every control, table, list and chart of each window is announced with a name.
TEST_F(ViewAccessibility, EveryControlOfEveryWindowHasAName)
{
    const std::vector<std::pair<const char *, std::function<std::unique_ptr<QWidget>()>>> windows = {
        {"schedule grid", [this] { return scheduleView(false); }},
        {"summary", [this] { return scheduleView(true); }},
        {"lump sums", [this] { return lumpSums(); }},
        {"options, columns", [this] { return options(0); }},
        {"options, formatting", [this] { return options(1); }},
        {"match statement", [this] { return matchStatement(); }},
    };
    for (const auto &[name, open] : windows) {
        SCOPED_TRACE(name);
        const std::unique_ptr<QWidget> window = open();
        window->show();
        EXPECT_EQ(testsupport::unnamedControls(window.get()), "");
    }
}

// Tab and Shift+Tab go round each dialog from its table or list and come back, whatever the table holds.
TEST_F(ViewAccessibility, TabLeavesEveryTable)
{
    const std::vector<
        std::tuple<const char *, std::function<std::unique_ptr<QWidget>()>, std::function<QWidget *(QWidget *)>>>
        windows = {
            {"lump sums", [this] { return lumpSums(); },
             [](QWidget *w) { return static_cast<frmLumpSums *>(w)->gridLumpSum2(); }},
            {"options, visible columns", [this] { return options(0); },
             [](QWidget *w) { return static_cast<frmOptions *>(w)->List1(); }},
            {"options, hidden columns", [this] { return options(0); },
             [](QWidget *w) { return static_cast<frmOptions *>(w)->List2(); }},
            {"match statement, candidates", [this] { return matchStatement(); },
             [](QWidget *w) { return static_cast<MatchStatementDialog *>(w)->candidates(); }},
            {"match statement, comparison", [this] { return matchStatement(); },
             [](QWidget *w) { return static_cast<MatchStatementDialog *>(w)->comparison(); }},
        };
    for (const auto &[name, open, table] : windows) {
        SCOPED_TRACE(name);
        const std::unique_ptr<QWidget> window = open();
        if (auto *lumps = dynamic_cast<frmLumpSums *>(window.get())) {
            lumps->txtLumpSumDate()->setDate(QDate(2027, 3, 15));
            lumps->txtLumpSumAmount()->setText(QStringLiteral("500"));
            lumps->cmdAdd()->click();
        }
        for (bool backwards : {false, true}) {
            const testsupport::TabCycle cycle = testsupport::tabCycle(window.get(), table(window.get()), backwards);
            EXPECT_TRUE(cycle.backToStart) << (backwards ? "Shift+Tab" : "Tab");
            EXPECT_GE(cycle.stops.size(), 2);
        }
    }
}

// What a screen reader reads of the tables and the chart beyond their names.
TEST_F(ViewAccessibility, TablesAndTheChartDescribeThemselves)
{
    const auto view = scheduleView(false);
    ScheduleGrid *grid = view->gridMain1();
    QAccessibleTableInterface *schedule = testsupport::accessible(grid)->tableInterface();
    ASSERT_TRUE(schedule);
    // Row headers read as the No. column does, from 0.
    const int number = grid->scheduleModel()->visibleColumn(engine::colNumber);
    for (int row : {0, 1, 12}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(schedule->rowDescription(row), grid->model()->index(row, number).data().toString());
    }
    EXPECT_EQ(schedule->rowDescription(0), QStringLiteral("0"));

    // The lump sums' list shows two columns and says no more.
    engine::putChangeEntry(m_data.loan.gridLumpSum, *engine::exactDate(2027, 3, 15), 500, m_format);
    ASSERT_TRUE(engine::Calculate(m_data.loan, m_format));
    const auto lumps = lumpSums();
    QAccessibleTableInterface *list = testsupport::accessible(lumps->gridLumpSum2())->tableInterface();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->columnCount(), 2);
    EXPECT_EQ(list->rowCount(), 1);

    // The chart says what it shows and where its lines end.
    view->refreshAfterCalculate();
    const QString chart =
        testsupport::accessible(view->summaryView()->MSChart1()->widget())->text(QAccessible::Description);
    const engine::ChartSample &last = view->summaryView()->gridChart().back();
    EXPECT_TRUE(chart.contains(QString::fromStdString(m_format.currency(last.cumulativeInterest))))
        << chart.toStdString();
    EXPECT_TRUE(chart.contains(QString::fromStdString(m_format.formatDate(last.date)))) << chart.toStdString();
}

// The arrow keys move through the candidates without changing what Apply applies; Space or Enter chooses, as a click
// does, and Enter does not apply.
TEST_F(ViewAccessibility, MovingThroughTheCandidatesChoosesNothing)
{
    const auto dialog = matchStatement();
    QTableWidget *candidates = dialog->candidates();
    ASSERT_GE(candidates->rowCount(), 3);
    const testsupport::TabCycle cycle = testsupport::tabCycle(dialog.get(), candidates);
    ASSERT_TRUE(cycle.backToStart);
    candidates->setFocus();
    const engine::CandidateResult *first = dialog->chosen();
    ASSERT_TRUE(first);
    const QString words = dialog->words()->text();
    QTest::keyClick(candidates, Qt::Key_Down);
    QTest::keyClick(candidates, Qt::Key_Down);
    EXPECT_EQ(candidates->currentIndex().row(), 2);
    EXPECT_EQ(dialog->chosen(), first);
    EXPECT_EQ(dialog->words()->text(), words);

    const struct
    {
        Qt::Key key;
        int row;
    } choices[] = {{Qt::Key_Space, 2}, {Qt::Key_Return, 1}};
    for (const auto &choice : choices) {
        SCOPED_TRACE(choice.row);
        candidates->setCurrentIndex(candidates->model()->index(choice.row, 0));
        candidates->selectionModel()->select(candidates->model()->index(0, 0),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTest::keyClick(candidates, choice.key);
        EXPECT_EQ(candidates->selectionModel()->selectedRows().value(0).row(), choice.row);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_FALSE(dialog->applied());
    }
    // A click chooses as it always has.
    const QRect row0 = candidates->visualRect(candidates->model()->index(0, 1));
    QTest::mouseClick(candidates->viewport(), Qt::LeftButton, {}, row0.center());
    EXPECT_EQ(candidates->selectionModel()->selectedRows().value(0).row(), 0);
}

// After View > Summary the keys reach the summary: its table and chart take the focus in turn, each framed.
TEST_F(ViewAccessibility, TheSummaryTakesTheFocus)
{
    const auto view = scheduleView(false);
    view->show();
    QApplication::setActiveWindow(view.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    view->gridMain1()->setFocus();
    view->showSummary();
    QTableView *table = view->gridSummary();
    QWidget *chart = view->summaryView()->MSChart1()->widget();
    EXPECT_EQ(QApplication::focusWidget(), table);
    QTest::keyClick(table, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), chart);
    QTest::keyClick(chart, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), table);
    for (QWidget *focused : {static_cast<QWidget *>(table), chart}) {
        focused->setFocus();
        const auto *frame = view->summaryView()->findChild<QFocusFrame *>();
        ASSERT_TRUE(frame);
        EXPECT_TRUE(frame->isVisible());
        EXPECT_EQ(frame->widget(), focused);
    }
    view->showDetails();
    EXPECT_EQ(QApplication::focusWidget(), view->gridMain1());
}

// The Menu key and Shift+F10 ask for the grid's menu, as a right click does, at the cursor's cell.
TEST_F(ViewAccessibility, TheMenuKeyOpensTheGridsMenu)
{
    const auto view = scheduleView(false);
    ScheduleGrid *grid = view->gridMain1();
    grid->setCurrentIndex(grid->model()->index(3, 2));
    const QPoint cell = grid->viewport()->mapToGlobal(grid->visualRect(grid->currentIndex()).center());
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } keys[] = {{Qt::Key_Menu, Qt::NoModifier}, {Qt::Key_F10, Qt::ShiftModifier}};
    for (const auto &key : keys) {
        SCOPED_TRACE(int(key.key));
        QList<QPoint> requests;
        const auto connection = QObject::connect(view.get(), &ScheduleView::contextMenuRequested,
                                                 [&](const QPoint &at) { requests << at; });
        QTest::keyClick(grid, key.key, key.modifiers);
        QObject::disconnect(connection);
        EXPECT_EQ(requests, QList<QPoint> {cell});
    }
}

// Under a dark colour scheme every cell's text, highlighted or not, on a band or not, stands out from its background.
TEST_F(ViewAccessibility, TheGridStaysReadableInADarkScheme)
{
    engine::putChangeEntry(m_data.loan.gridLumpSum, *engine::exactDate(2026, 4, 15), 1000, m_format);
    engine::putChangeEntry(m_data.loan.gridLumpSum, *engine::exactDate(2027, 2, 20), 500, m_format);
    ASSERT_TRUE(engine::Calculate(m_data.loan, m_format));
    const auto view = scheduleView(false);
    ScheduleGrid *grid = view->gridMain1();
    ViewPreferences preferences;
    preferences.rowInterval = 1;
    QPalette dark = grid->palette();
    dark.setColor(QPalette::Base, QColor(0x23, 0x23, 0x23));
    dark.setColor(QPalette::AlternateBase, QColor(0x2d, 0x2d, 0x2d));
    dark.setColor(QPalette::Text, QColor(0xF0, 0xF0, 0xF0));
    for (const QColor &chosen : {QColor::fromRgb(ViewPreferences::kSchemeBandColor), QColor(0xFF, 0xFF, 0xC0)}) {
        SCOPED_TRACE(chosen.name().toStdString());
        preferences.rowIntervalColor = chosen;
        view->setPreferences(preferences);
        grid->setPalette(dark);
        const QAbstractItemModel *model = grid->model();
        int highlighted = 0;
        double worst = 21;
        for (int r = 0; r < model->rowCount(); ++r) {
            for (int c = 0; c < model->columnCount(); ++c) {
                const QModelIndex cell = model->index(r, c);
                const QVariant background = cell.data(Qt::BackgroundRole);
                const QVariant foreground = cell.data(Qt::ForegroundRole);
                const QColor back =
                    background.isValid() ? background.value<QBrush>().color() : dark.color(QPalette::Base);
                const QColor text =
                    foreground.isValid() ? foreground.value<QBrush>().color() : dark.color(QPalette::Text);
                highlighted += grid->scheduleModel()->cellColor(r, c).isValid();
                worst = std::min(worst, ui::contrastRatio(text.rgb() & 0xFFFFFF, back.rgb() & 0xFFFFFF));
            }
        }
        EXPECT_GE(highlighted, 3);
        EXPECT_GE(worst, ui::kMinimumContrast);
    }
    // The chosen colour stays the band's; the one the program starts with follows the scheme.
    EXPECT_EQ(grid->shownBandColor(), QColor(0xFF, 0xFF, 0xC0));
    preferences.rowIntervalColor = QColor::fromRgb(ViewPreferences::kSchemeBandColor);
    view->setPreferences(preferences);
    EXPECT_LT(grid->shownBandColor().lightness(), 100);
}

// Every colour mark has its meaning in words, for a screen reader and in the tooltip.
TEST_F(ViewAccessibility, ColourMarksHaveText)
{
    engine::putChangeEntry(m_data.loan.gridLumpSum, *engine::exactDate(2027, 2, 20), 500, m_format);
    ASSERT_TRUE(engine::Calculate(m_data.loan, m_format));
    const auto view = scheduleView(false);
    ScheduleModel *model = view->model();
    const int row = int(engine::numberOrZero(m_data.loan.gridLumpSum.text(1, engine::chgScheduleRow))) - 1;
    const struct
    {
        int logical;
        const char *words;
    } marks[] = {{engine::colLumpSum, "Lump sum paid here."}, {engine::colInterest, "Interest saved by the lump sum."}};
    for (const auto &mark : marks) {
        SCOPED_TRACE(mark.words);
        const QModelIndex cell = model->index(row, model->visibleColumn(mark.logical));
        EXPECT_EQ(cell.data(Qt::ToolTipRole).toString(), QLatin1String(mark.words));
        EXPECT_EQ(cell.data(Qt::AccessibleTextRole).toString(),
                  cell.data().toString() + QStringLiteral(", ") + QLatin1String(mark.words));
    }
    EXPECT_FALSE(model->index(row, model->visibleColumn(engine::colPayment)).data(Qt::AccessibleTextRole).isValid());
    // On the screen the marked cells carry a corner mark in their text's colour, which shows without the colour.
    ScheduleGrid *grid = view->gridMain1();
    view->show();
    for (const auto &[logical, marked] :
         {std::pair {engine::colLumpSum, true}, std::pair {engine::colPayment, false}}) {
        SCOPED_TRACE(logical);
        const QModelIndex cell = model->index(row, model->visibleColumn(logical));
        grid->scrollTo(cell);
        const QImage shown = grid->viewport()->grab().toImage();
        const QColor corner = shown.pixelColor(grid->visualRect(cell).topLeft() + QPoint(1, 1));
        const QColor text = cell.data(Qt::ForegroundRole).isValid()
            ? cell.data(Qt::ForegroundRole).value<QBrush>().color()
            : grid->palette().color(QPalette::Text);
        EXPECT_EQ(corner == text, marked) << corner.name().toStdString();
    }

    // The document's own candidate says so in its first cell, besides its bold.
    const auto dialog = matchStatement();
    int own = 0;
    for (int r = 0; r < dialog->candidates()->rowCount(); ++r) {
        QTableWidgetItem *item = dialog->candidates()->item(r, 0);
        if (item->font().bold()) {
            ++own;
            EXPECT_TRUE(item->text().startsWith(QStringLiteral("\u2605 ")));
            EXPECT_TRUE(item->data(Qt::AccessibleTextRole)
                            .toString()
                            .endsWith(QStringLiteral("The document's own conventions and rate")));
        }
    }
    EXPECT_EQ(own, 1);
}
