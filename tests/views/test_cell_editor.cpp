#include "support/Examples.h"
#include "support/QtPrinters.h"
#include "support/RecordingShell.h"

#include "document/DocumentFile.h"
#include "engine/ChangeTables.h"
#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "views/CellEditor.h"
#include "views/NumericCellBox.h"
#include "views/ScheduleModel.h"
#include "views/ScheduleView.h"
#include "views/ShellServices.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace views;

namespace {

class CellEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_data = readExample("car-loan.plr", m_format);
        ASSERT_TRUE(engine::Calculate(m_data.loan, m_format));
        m_view = std::make_unique<ScheduleView>(m_data, m_format, m_shell);
        m_shell.data = &m_data;
        m_shell.format = &m_format;
        m_shell.view = m_view.get();
        m_view->resize(1100, 400);
        m_view->refreshAfterCalculate();
        m_view->show();
        QApplication::setActiveWindow(m_view.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_view.get()));
        grid()->setFocus();
        m_shell.modified = 0;
        m_shell.calculations = 0;
    }

    QTableView *grid() const { return m_view->gridMain1(); }
    CellEditor *editor() const { return m_view->cellEditor(); }
    int column(int logical) const { return m_view->model()->visibleColumn(logical); }
    // Puts the cursor on schedule row `row` (the start row is 1) of a logical column.
    void goTo(int row, int logical) { grid()->setCurrentIndex(grid()->model()->index(row - 1, column(logical))); }
    void type(const QString &keys)
    {
        for (QChar c : keys)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    QString cell(int row, int logical) const
    {
        return grid()->model()->index(row - 1, column(logical)).data().toString();
    }
    void expectOnlyTheLocalesSeparators(std::initializer_list<const char *> refusedTexts, const QString &whole,
                                        Qt::Key keypad, const QString &shown, const QString &cellText);

    engine::NumberFormat m_format;
    document::DocumentData m_data;
    RecordingShell m_shell;
    std::unique_ptr<ScheduleView> m_view;
};

// The same over a locale that writes a decimal comma and groups with dots ("$1.234,56").
class CellEditorDecimalCommaTest : public CellEditorTest
{
protected:
    void SetUp() override
    {
        m_format.decimalSeparator = ",";
        m_format.groupSeparator = ".";
        CellEditorTest::SetUp();
    }
};

} // namespace

TEST(CellEditorRules, FilterNumericKeyAndStripNumberText)
{
    struct KeyCase
    {
        int key;
        int mode;
        int result;
    };
    const KeyCase keys[] = {{8, 1, 8},     {8, 2, 8},   {8, 3, 8},   {'-', 1, '-'}, {'-', 2, 0}, {'7', 1, '7'},
                            {'7', 2, '7'}, {'7', 3, 0}, {'a', 1, 0}, {'.', 1, 0},   {' ', 2, 0}};
    for (const KeyCase &c : keys)
        EXPECT_EQ(CellEditor::FilterNumericKey(c.key, c.mode), c.result) << c.key << " mode " << c.mode;

    const engine::NumberFormat format;
    const std::pair<const char *, const char *> texts[] = {
        {"5.2400%", "5.24"},
        {"%%5%", "5"},
        {"$2,143.23", "2143.23"},
        {"-$12.50", "-12.5"},
        {"12-", "12"},
        {"/7/", "7"},
        {"", ""},
        {"%", ""},
        {"abc", ""},
        {"1.2.3", ""},
        {"(4.00)", "-4"},
        {".2500%", "0.25"},
    };
    for (const auto &[text, stripped] : texts)
        EXPECT_EQ(CellEditor::StripNumberText(QString::fromLatin1(text), format), QString::fromLatin1(stripped))
            << text;
}

TEST_F(CellEditorTest, StartRowIsReadOnly)
{
    goTo(1, engine::colLumpSum);
    EXPECT_TRUE(editor()->IsReadOnlyCell());
    EXPECT_EQ(m_shell.status, QStringLiteral("Read Only Cell"));
    type(QStringLiteral("5"));
    EXPECT_FALSE(editor()->editing());
    goTo(2, engine::colLumpSum);
    EXPECT_EQ(m_shell.status, QStringLiteral("Updatable Cell"));
    for (int logical : {int(engine::colNumber), int(engine::colDate), int(engine::colInterest)}) {
        goTo(3, logical);
        EXPECT_TRUE(editor()->IsReadOnlyCell()) << logical;
    }
}

TEST_F(CellEditorTest, LumpSumRowOnlyTakesLumpSums)
{
    // A lump sum between two payments gets a row of its own, without an opening balance.
    m_data.loan.gridLumpSum.setRows(2);
    engine::setChangeEntry(m_data.loan.gridLumpSum, 1, *engine::exactDate(2026, 3, 1), 500, m_format);
    ASSERT_TRUE(m_shell.changeAndRecalculate(QString(), [](document::DocumentData &) {}));
    ASSERT_EQ(cell(3, engine::colDate), QStringLiteral("3/1/2026"));
    for (int logical : {int(engine::colAnnualRate), int(engine::colPayment)}) {
        goTo(3, logical);
        EXPECT_TRUE(editor()->IsReadOnlyCell()) << logical;
    }
    goTo(3, engine::colLumpSum);
    EXPECT_FALSE(editor()->IsReadOnlyCell());
}

TEST_F(CellEditorTest, MinusFirstNegatesThePayment)
{
    goTo(5, engine::colPayment);
    type(QStringLiteral("-"));
    ASSERT_TRUE(editor()->editing());
    EXPECT_EQ(editor()->box()->text(), QStringLiteral("-647.31"));
    EXPECT_EQ(editor()->box()->selectedText(), QStringLiteral("-647.31"));
    press(Qt::Key_Escape);
    EXPECT_FALSE(editor()->editing());
    // An empty lump sum stays empty.
    goTo(5, engine::colLumpSum);
    type(QStringLiteral("-"));
    ASSERT_TRUE(editor()->editing());
    EXPECT_EQ(editor()->box()->text(), QString());
    press(Qt::Key_Escape);
    // A rate takes digits only as the first key.
    goTo(5, engine::colAnnualRate);
    type(QStringLiteral("-"));
    EXPECT_FALSE(editor()->editing());
    EXPECT_EQ(m_shell.calculations, 0);
}

TEST_F(CellEditorTest, LumpSumsAddedReplacedAndRemoved)
{
    goTo(5, engine::colLumpSum);
    type(QStringLiteral("1000"));
    press(Qt::Key_Return);
    ASSERT_EQ(m_data.loan.gridLumpSum.rows(), 2);
    EXPECT_EQ(m_data.loan.gridLumpSum.text(1, engine::chgDateText), "5/15/2026");
    EXPECT_EQ(m_data.loan.gridLumpSum.text(1, engine::chgAmount), "1000");
    EXPECT_EQ(cell(5, engine::colLumpSum), QStringLiteral("$1,000.00"));
    EXPECT_EQ(m_shell.modified, 1);
    EXPECT_EQ(grid()->currentIndex().row(), 4); // the cursor stays on the edited cell

    // A second edit at the same date replaces the entry.
    type(QStringLiteral("2"));
    type(QStringLiteral("500"));
    press(Qt::Key_Return);
    ASSERT_EQ(m_data.loan.gridLumpSum.rows(), 2);
    EXPECT_EQ(m_data.loan.gridLumpSum.text(1, engine::chgAmount), "2500");

    // Cleared: the entry goes.
    press(Qt::Key_Backspace);
    ASSERT_TRUE(editor()->editing());
    press(Qt::Key_Delete);
    press(Qt::Key_Return);
    EXPECT_EQ(m_data.loan.gridLumpSum.rows(), 1);
    EXPECT_EQ(cell(5, engine::colLumpSum), QString());

    // Clearing a cell that had no entry changes nothing.
    m_shell.modified = 0;
    const int calculations = m_shell.calculations;
    goTo(7, engine::colLumpSum);
    press(Qt::Key_Space);
    press(Qt::Key_Delete);
    press(Qt::Key_Return);
    EXPECT_EQ(m_data.loan.gridLumpSum.rows(), 1);
    EXPECT_EQ(m_shell.modified, 0);
    EXPECT_EQ(m_shell.calculations, calculations);
}

// Delete on a cell takes its change out, as clearing the box does, named for Edit > Undo by its column; on a cell
// without one, or one that cannot be edited, it changes nothing.
TEST_F(CellEditorTest, DeleteClearsTheCurrentCell)
{
    for (const auto &[logical, typed] :
         {std::pair {int(engine::colLumpSum), "1000"}, std::pair {int(engine::colPayment), "700"},
          std::pair {int(engine::colAnnualRate), "9"}}) {
        SCOPED_TRACE(logical);
        goTo(5, logical);
        type(QString::fromLatin1(typed));
        press(Qt::Key_Return);
        const QString changed = cell(5, logical);
        m_shell.modified = 0;
        m_shell.changes.clear();
        press(Qt::Key_Delete);
        EXPECT_FALSE(editor()->editing());
        EXPECT_NE(cell(5, logical), changed);
        EXPECT_EQ(m_shell.modified, 1);
        EXPECT_EQ(m_shell.changes, QStringList {QString::fromLatin1(engine::scheduleCaption(logical))});
        EXPECT_EQ(grid()->currentIndex(), grid()->model()->index(4, column(logical)));
    }
    EXPECT_EQ(m_data.loan.gridLumpSum.rows(), 1);
    EXPECT_EQ(m_data.loan.gridBasicPayment.rows(), 1);
    EXPECT_EQ(m_data.loan.gridAnnualRate.rows(), 1);

    const int calculations = m_shell.calculations;
    for (const auto &[row, logical] : {std::pair {7, int(engine::colLumpSum)}, std::pair {7, int(engine::colInterest)},
                                       std::pair {1, int(engine::colLumpSum)}}) {
        goTo(row, logical);
        press(Qt::Key_Delete);
    }
    EXPECT_EQ(m_shell.calculations, calculations);
}

TEST_F(CellEditorTest, RateChangeFollowsThroughTheSchedule)
{
    goTo(13, engine::colAnnualRate);
    type(QStringLiteral("12"));
    press(Qt::Key_Return);
    ASSERT_EQ(m_data.loan.gridAnnualRate.rows(), 2);
    EXPECT_EQ(m_data.loan.gridAnnualRate.text(1, engine::chgAmount), "12");

    // The same change made directly on the document gives the same schedule.
    document::DocumentData expected = readExample("car-loan.plr", m_format);
    expected.loan.gridAnnualRate.setRows(2);
    engine::setChangeEntry(expected.loan.gridAnnualRate, 1, *engine::exactDate(2027, 1, 15), 12, m_format);
    ASSERT_TRUE(engine::Calculate(expected.loan, m_format));
    EXPECT_EQ(m_data.loan.gridMain0, expected.loan.gridMain0);
    EXPECT_EQ(cell(13, engine::colAnnualRate), QStringLiteral("12.0000%"));
    EXPECT_EQ(cell(12, engine::colAnnualRate), QStringLiteral("7.9000%"));
    EXPECT_EQ(m_view->model()->cellColor(12, column(engine::colAnnualRate)), QColor(0, 0, 255));

    // Typing the same rate again for that date changes nothing.
    m_shell.modified = 0;
    type(QStringLiteral("12"));
    press(Qt::Key_Return);
    EXPECT_EQ(m_shell.modified, 0);
    EXPECT_EQ(m_data.loan.gridAnnualRate.rows(), 2);
    // Opening and closing the box without typing changes nothing either.
    press(Qt::Key_Return);
    ASSERT_TRUE(editor()->editing());
    press(Qt::Key_Return);
    EXPECT_EQ(m_shell.modified, 0);
}

TEST_F(CellEditorTest, NotANumberIsRefused)
{
    goTo(5, engine::colPayment);
    type(QStringLiteral("1"));
    editor()->box()->setText(QStringLiteral("1.2.3"));
    press(Qt::Key_Return);
    EXPECT_EQ(m_shell.messages,
              QStringList {QStringLiteral("Only numeric values are allowed. Previous value will be restored.")});
    EXPECT_EQ(m_data.loan.gridBasicPayment.rows(), 1);
    EXPECT_EQ(m_shell.calculations, 0);
    EXPECT_EQ(cell(5, engine::colPayment), QStringLiteral("$647.31"));
}

TEST_F(CellEditorTest, EscapeAndScrollingDropTheEdit)
{
    goTo(5, engine::colPayment);
    const QModelIndex cell = grid()->currentIndex();
    type(QStringLiteral("9"));
    ASSERT_TRUE(editor()->editing());
    press(Qt::Key_Escape);
    EXPECT_FALSE(editor()->editing());
    EXPECT_EQ(m_data.loan.gridBasicPayment.rows(), 1);
    EXPECT_EQ(grid()->currentIndex(), cell); // the cursor stays where the edit was
    EXPECT_EQ(QApplication::focusWidget(), grid());

    type(QStringLiteral("9"));
    ASSERT_TRUE(editor()->editing());
    grid()->verticalScrollBar()->setValue(grid()->verticalScrollBar()->value() + 3);
    EXPECT_FALSE(editor()->editing());
    EXPECT_EQ(m_data.loan.gridBasicPayment.rows(), 1);
    EXPECT_EQ(m_shell.calculations, 0);
    EXPECT_EQ(grid()->currentIndex(), cell);
}

TEST_F(CellEditorTest, UpAndDownCommitAndScrollByOneRow)
{
    QScrollBar *bar = grid()->verticalScrollBar();
    bar->setValue(10);
    const int top = grid()->rowAt(0);
    ASSERT_EQ(top, 10);
    // Up on the first visible row: the edit is kept and the grid scrolls up by one.
    grid()->setCurrentIndex(grid()->model()->index(top, column(engine::colLumpSum)));
    bar->setValue(10);
    type(QStringLiteral("100"));
    press(Qt::Key_Up);
    EXPECT_EQ(m_data.loan.gridLumpSum.rows(), 2);
    EXPECT_EQ(grid()->currentIndex().row(), top - 1);
    EXPECT_EQ(grid()->rowAt(0), top - 1);

    // Down on the last fully visible row scrolls down by one.
    const int rowHeight = grid()->verticalHeader()->defaultSectionSize();
    const int visible = grid()->viewport()->height() / rowHeight;
    const int last = grid()->rowAt(0) + visible - 1;
    grid()->setCurrentIndex(grid()->model()->index(last, column(engine::colLumpSum)));
    bar->setValue(top - 1);
    type(QStringLiteral("200"));
    press(Qt::Key_Down);
    EXPECT_EQ(m_data.loan.gridLumpSum.rows(), 3);
    EXPECT_EQ(grid()->currentIndex().row(), last + 1);
    EXPECT_EQ(grid()->rowAt(0), top);
}

TEST_F(CellEditorTest, PasteOpensTheBoxWithTheNumber)
{
    goTo(9, engine::colLumpSum);
    editor()->paste(QStringLiteral("hello"));
    EXPECT_FALSE(editor()->editing());
    editor()->paste(QStringLiteral("$1,250.00"));
    ASSERT_TRUE(editor()->editing());
    EXPECT_EQ(editor()->box()->text(), QStringLiteral("1250"));
    EXPECT_EQ(editor()->box()->mode(), NumericCellBox::Mode::Amount);
    press(Qt::Key_Return);
    EXPECT_EQ(cell(9, engine::colLumpSum), QStringLiteral("$1,250.00"));
}

TEST_F(CellEditorTest, NoEditingWhileTheReportIsShown)
{
    m_data.loan.gblnReportFlag = true;
    goTo(5, engine::colLumpSum);
    type(QStringLiteral("5"));
    EXPECT_FALSE(editor()->editing());
}

// F2 edits the current cell's value, as in other grids.
TEST_F(CellEditorTest, F2EditsTheCurrentValue)
{
    goTo(5, engine::colPayment);
    press(Qt::Key_F2);
    ASSERT_TRUE(editor()->editing());
    EXPECT_EQ(editor()->box()->selectedText(), QStringLiteral("647.31"));
    type(QStringLiteral("700"));
    press(Qt::Key_Return);
    EXPECT_EQ(cell(5, engine::colPayment), QStringLiteral("$700.00"));
}

// The box shows and reads numbers with the locale's decimal separator: a dot there is a thousands separator, and a
// number shown with one would be taken a hundred times too large.
TEST_F(CellEditorDecimalCommaTest, NumbersKeepTheirCents)
{
    goTo(5, engine::colPayment);
    ASSERT_EQ(cell(5, engine::colPayment), QStringLiteral("$647,31"));
    type(QStringLiteral("-"));
    ASSERT_TRUE(editor()->editing());
    EXPECT_EQ(editor()->box()->text(), QStringLiteral("-647,31"));
    press(Qt::Key_Escape);

    // The cell's own figure, one cent changed.
    press(Qt::Key_F2);
    ASSERT_EQ(editor()->box()->text(), QStringLiteral("647,31"));
    editor()->box()->end(false);
    press(Qt::Key_Backspace);
    type(QStringLiteral("2"));
    press(Qt::Key_Return);
    ASSERT_EQ(m_data.loan.gridBasicPayment.rows(), 2);
    EXPECT_EQ(m_data.loan.gridBasicPayment.text(1, engine::chgAmount), "647.32");
    EXPECT_EQ(cell(5, engine::colPayment), QStringLiteral("$647,32"));

    goTo(9, engine::colLumpSum);
    editor()->paste(QStringLiteral("$1.250,50"));
    ASSERT_TRUE(editor()->editing());
    EXPECT_EQ(editor()->box()->text(), QStringLiteral("1250,5"));
    press(Qt::Key_Return);
    EXPECT_EQ(cell(9, engine::colLumpSum), QStringLiteral("$1.250,50"));
}

// A payment or lump sum is paid in cents, as it is shown; a negative number, or one beyond what the box takes,
// changes nothing.
TEST_F(CellEditorTest, AmountsAreTakenInCentsWithinLimits)
{
    struct Case
    {
        int logical;
        const char *typed;
        const char *stored; // nullptr: refused with the message
    };
    const Case cases[] = {
        {engine::colPayment, "700.456", "700.46"},     {engine::colLumpSum, "99.994", "99.99"},
        {engine::colAnnualRate, "6.12345", "6.12345"}, {engine::colLumpSum, "90000000000", nullptr},
        {engine::colPayment, "-9000000001", nullptr},  {engine::colLumpSum, "-500", nullptr},
        {engine::colAnnualRate, "-1", nullptr},
    };
    int row = 5;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        m_shell.messages.clear();
        goTo(++row, c.logical);
        press(Qt::Key_F2);
        ASSERT_TRUE(editor()->editing());
        editor()->box()->setText(QString::fromLatin1(c.typed));
        press(Qt::Key_Return);
        const engine::TextTable &table = c.logical == engine::colAnnualRate ? m_data.loan.gridAnnualRate
            : c.logical == engine::colPayment                               ? m_data.loan.gridBasicPayment
                                                                            : m_data.loan.gridLumpSum;
        const int entry = engine::findChangeEntry(table, cell(row, engine::colDate).toStdString());
        if (c.stored) {
            EXPECT_TRUE(m_shell.messages.isEmpty());
            ASSERT_GT(entry, 0);
            EXPECT_EQ(table.text(entry, engine::chgAmount), c.stored);
        } else {
            EXPECT_EQ(m_shell.messages, QStringList {QString::fromLatin1(CellEditor::kOutOfRangeMessage)});
            EXPECT_EQ(entry, 0);
        }
    }
    // The payments paid are the ones shown: 4 × $647.31 + 3 × $700.46 + $99.99 (not $4,790.60 for 700.456 and 99.994).
    EXPECT_EQ(cell(8, engine::colCumulativePayments), QStringLiteral("$4,790.61"));
}

// The box opens over the cell where the user can see it, even when the grid was scrolled away from the cursor.
TEST_F(CellEditorTest, BoxOpensInSight)
{
    goTo(3, engine::colLumpSum);
    grid()->verticalScrollBar()->setValue(30);
    type(QStringLiteral("5"));
    ASSERT_TRUE(editor()->editing());
    EXPECT_TRUE(grid()->viewport()->rect().contains(editor()->box()->geometry()));
    press(Qt::Key_Escape);
    EXPECT_EQ(m_data.loan.gridLumpSum.rows(), 1);
}

// Tab and Shift+Tab take the figure, as Enter does, and move the cursor one cell right or left: the cursor never moves
// from under an open box.
TEST_F(CellEditorTest, TabTakesTheFigureAndMovesAlong)
{
    const struct
    {
        Qt::Key key;
        int step;
    } cases[] = {{Qt::Key_Tab, 1}, {Qt::Key_Backtab, -1}};
    int row = 5;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.step);
        goTo(++row, engine::colLumpSum);
        type(QStringLiteral("100"));
        press(c.key);
        EXPECT_FALSE(editor()->editing());
        EXPECT_EQ(cell(row, engine::colLumpSum), QStringLiteral("$100.00"));
        EXPECT_EQ(grid()->currentIndex(), grid()->model()->index(row - 1, column(engine::colLumpSum) + c.step));
    }
}

// A click elsewhere takes the figure and puts the cursor on the cell clicked; a click into a window lying over the grid
// leaves the cursor where it was.
TEST_F(CellEditorTest, ClickElsewhereMovesTheCursorOnlyWithinTheGrid)
{
    const QModelIndex target = grid()->model()->index(8, column(engine::colPayment));
    const QPoint targetPoint = grid()->viewport()->mapToGlobal(grid()->visualRect(target).center());

    goTo(5, engine::colLumpSum);
    type(QStringLiteral("100"));
    QCursor::setPos(targetPoint);
    if (QCursor::pos() != targetPoint)
        GTEST_SKIP() << "the platform does not move the mouse";
    QWidget outside;
    outside.setFocusPolicy(Qt::StrongFocus);
    outside.setGeometry(QRect(grid()->viewport()->mapToGlobal(QPoint(0, 0)), grid()->viewport()->size()));
    outside.show();
    outside.setFocus(Qt::MouseFocusReason);
    QApplication::setActiveWindow(&outside);
    EXPECT_FALSE(editor()->editing());
    EXPECT_EQ(cell(5, engine::colLumpSum), QStringLiteral("$100.00"));
    EXPECT_EQ(grid()->currentIndex(), grid()->model()->index(4, column(engine::colLumpSum)));
    outside.hide();

    QApplication::setActiveWindow(m_view.get());
    grid()->setFocus();
    type(QStringLiteral("200"));
    grid()->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(cell(5, engine::colLumpSum), QStringLiteral("$200.00"));
    EXPECT_EQ(grid()->currentIndex(), target);
}

// A figure is read as the locale writes it: one with the other convention's separators is no number and is refused
// with the usual message, never taken as an amount ten or a hundred times another. The keypad's decimal key (`keypad`)
// types the locale's separator: `whole`, the key, then 5 gives `shown`, and the cell `cell`.
void CellEditorTest::expectOnlyTheLocalesSeparators(std::initializer_list<const char *> refusedTexts,
                                                    const QString &whole, Qt::Key keypad, const QString &shown,
                                                    const QString &cellText)
{
    const QString refused = QStringLiteral("Only numeric values are allowed. Previous value will be restored.");
    for (const char *typed : refusedTexts) {
        SCOPED_TRACE(typed);
        m_shell.messages.clear();
        goTo(9, engine::colLumpSum);
        type(QString::fromLatin1(typed));
        ASSERT_TRUE(editor()->editing());
        EXPECT_EQ(editor()->box()->text(), QString::fromLatin1(typed));
        press(Qt::Key_Return);
        EXPECT_EQ(m_shell.messages, QStringList {refused});
        EXPECT_EQ(m_data.loan.gridLumpSum.rows(), 1);
    }
    goTo(9, engine::colLumpSum);
    type(whole);
    QTest::keyClick(QApplication::focusWidget(), keypad, Qt::KeypadModifier);
    type(QStringLiteral("5"));
    EXPECT_EQ(editor()->box()->text(), shown);
    press(Qt::Key_Return);
    EXPECT_EQ(cell(9, engine::colLumpSum), cellText);
}

TEST_F(CellEditorTest, SeparatorsOfAnotherConventionAreRefused)
{
    expectOnlyTheLocalesSeparators({"1234,56", "1.234,56", "12,34"}, QStringLiteral("1,234"), Qt::Key_Comma,
                                   QStringLiteral("1,234.5"), QStringLiteral("$1,234.50"));
}

TEST_F(CellEditorDecimalCommaTest, SeparatorsOfAnotherConventionAreRefused)
{
    expectOnlyTheLocalesSeparators({"1234.56", "1,234.56", "1.5"}, QStringLiteral("1.234"), Qt::Key_Period,
                                   QStringLiteral("1.234,5"), QStringLiteral("$1.234,50"));
}
