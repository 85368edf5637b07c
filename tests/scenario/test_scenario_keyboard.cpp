#include "support/AccessibilityCheck.h"

#include "engine/Codes.h"
#include "engine/NumberFormat.h"
#include "scenario/frmScenario.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using scenario::frmScenario;

namespace {

// The calculator on its own, its shared commands stand-ins, a loan typed in.
class ScenarioKeyboard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        scenario::SharedCommands commands;
        for (QAction **action : {&commands.newDocument, &commands.open, &commands.close, &commands.exit,
                                 &commands.toolbar, &commands.statusBar, &commands.contents, &commands.about})
            *action = new QAction(QStringLiteral("stand-in"), &m_owner);
        m_window = std::make_unique<frmScenario>(m_format, 0, commands, scenario::ScenarioServices {});
        m_window->txtLoanAmount()->setText(QStringLiteral("100000"));
        m_window->txtAnnualRate()->setText(QStringLiteral("5"));
        m_window->txtAmortization()->setText(QStringLiteral("25"));
        m_window->txtTerm()->setText(QStringLiteral("5"));
    }

    QObject m_owner;
    engine::NumberFormat m_format;
    std::unique_ptr<frmScenario> m_window;
};

} // namespace

// Every field and the results table are named, Tab goes round the window through the table, and the table reads as
// the engine's figures.
TEST_F(ScenarioKeyboard, TheResultsAreATableReachedByTab)
{
    m_window->show();
    EXPECT_EQ(testsupport::unnamedControls(m_window.get()), "");
    QTableView *results = m_window->results();
    QAbstractItemModelTester tester(results->model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    for (bool backwards : {false, true}) {
        const testsupport::TabCycle cycle = testsupport::tabCycle(m_window.get(), m_window->txtLoanAmount(), backwards);
        EXPECT_TRUE(cycle.backToStart);
        EXPECT_TRUE(cycle.stops.contains(results));
    }
    const engine::ScenarioTable table = m_window->values().table(m_format);
    EXPECT_EQ(m_window->cellText(engine::kMonthly, engine::scnPayment),
              QString::fromStdString(table[engine::kMonthly][engine::scnPayment]));
    EXPECT_FALSE(m_window->cellText(engine::kMonthly, engine::scnPayment).isEmpty());
    EXPECT_EQ(results->model()->headerData(engine::kWeekly, Qt::Vertical).toString(), QStringLiteral("Weekly"));
    EXPECT_EQ(results->editTriggers(), QAbstractItemView::NoEditTriggers);
}

// Ctrl+C in the table copies the cells chosen, a tab between cells and a line per row; one cell copies alone.
TEST_F(ScenarioKeyboard, CtrlCCopiesTheChosenCells)
{
    const engine::ScenarioTable table = m_window->values().table(m_format);
    auto figure = [&](int row, int column) { return QString::fromStdString(table[size_t(row)][size_t(column)]); };
    QTableView *results = m_window->results();
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    results->setFocus();
    const struct
    {
        int top, left, bottom, right;
        QString copied;
    } cases[] = {
        {engine::kMonthly, engine::scnPayment, engine::kMonthly, engine::scnPayment,
         figure(engine::kMonthly, engine::scnPayment)},
        {engine::kMonthly, engine::scnPayment, engine::kSemiMonthly, engine::scnAmortization,
         figure(0, engine::scnPayment) + QLatin1Char('\t') + figure(0, engine::scnAmortization) + QLatin1Char('\n')
             + figure(1, engine::scnPayment) + QLatin1Char('\t') + figure(1, engine::scnAmortization)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.copied.toStdString());
        QGuiApplication::clipboard()->clear();
        const QAbstractItemModel *model = results->model();
        results->selectionModel()->select(
            QItemSelection(model->index(c.top, c.left + 1), model->index(c.bottom, c.right + 1)),
            QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(results, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), c.copied);
    }
}
