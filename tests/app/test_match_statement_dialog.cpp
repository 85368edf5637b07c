#include "WizardTestSupport.h"

#include "app/DocumentSlots.h"
#include "app/EditCommands.h"
#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "engine/StatementMatch.h"
#include "views/MatchStatementDialog.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>

using namespace app;

namespace {

class MatchStatementDialogTest : public DataEntryTest
{
protected:
    // The Canadian mortgage example (semi-annual compounding at 5.24 %), opened from a copy.
    frmChild &openMortgage()
    {
        start();
        const QString path = m_dir.filePath(QStringLiteral("mortgage.plr"));
        EXPECT_TRUE(QFile::copy(examplePath("canadian-mortgage-25y.plr"), path));
        m_window->files().OpenPath(path);
        return *m_window->activeDocument();
    }
    // The lender's statement for that loan, compounded monthly: the 23 payments on rows 30 to 53 of its schedule (one
    // row there is a lump sum's).
    static std::string lendersStatement(const engine::LoanDocument &loan)
    {
        engine::LoanDocument lender = loan;
        engine::applyConventions(lender, {1, loan.gintPeriodsPerYearIndex, loan.gintStartPayment, loan.gdblAnnualRate});
        EXPECT_TRUE(engine::Calculate(lender, engine::NumberFormat()));
        std::string text = "Date,Payment,Interest,Balance\n";
        engine::ScheduleReader reader(lender.gridMain0, 30);
        for (engine::ScheduleRowValues row; reader.next(row) && row.row < 54;) {
            if (row.kind == engine::ScheduleRowKind::Payment) {
                text += engine::plainCellText(row, engine::colDate) + ','
                    + engine::plainCellText(row, engine::colPayment) + ','
                    + engine::plainCellText(row, engine::colInterest) + ','
                    + engine::plainCellText(row, engine::colEndingBalance) + '\n';
            }
        }
        return text;
    }
    bool modified(const frmChild &document) const
    {
        return m_window->docSlots().window(document.slot())->isWindowModified();
    }
};

} // namespace

TEST_F(MatchStatementDialogTest, ApplyGivesTheDocumentTheLendersConventions)
{
    frmChild &document = openMortgage();
    ASSERT_EQ(document.loan().gintCompounding, 0);
    const QString statement = m_dir.filePath(QStringLiteral("statement.csv"));
    QFile file(statement);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(lendersStatement(document.loan())));
    file.close();
    m_dialogs.openAnswers << statement;

    // Edit > Match Statement, after Paste.
    const QMenu *edit = m_window->menuBar()->findChild<QMenu *>(QStringLiteral("mnuEdit"));
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->actions().last(), m_window->editCommands().matchStatementAction);
    m_window->editCommands().update();
    ASSERT_TRUE(m_window->editCommands().matchStatementAction->isEnabled());

    m_onDialog = [&](QDialog &shown) {
        auto &dialog = dynamic_cast<views::MatchStatementDialog &>(shown);
        dialog.loadFromFile();
        EXPECT_EQ(m_dialogs.openFolders.value(0), document.folder());
        EXPECT_EQ(dialog.source()->text(), QStringLiteral("Statement from statement.csv: 23 rows."));
        ASSERT_GE(dialog.candidates()->rowCount(), 8);
        // The best candidate compounds monthly and agrees on every row; its schedule shows beside the statement.
        EXPECT_EQ(dialog.candidates()->item(0, 0)->text(), QStringLiteral("Monthly (United States)"));
        EXPECT_EQ(dialog.candidates()->item(0, 6)->text(), QStringLiteral("23 of 23"));
        EXPECT_EQ(dialog.comparison()->model()->rowCount(), 23);
        EXPECT_EQ(dialog.comparison()->model()->index(0, 4).data(), dialog.comparison()->model()->index(0, 5).data());
        EXPECT_EQ(dialog.words()->text(),
                  QStringLiteral("Every row of the statement agrees to the cent.\nApply changes the compounding from "
                                 "Semi-Annually (Canada) to Monthly (United States)."));
        screenshot(dialog, QStringLiteral("match-statement"));
        dialog.applyButton()->click();
    };
    m_window->editCommands().matchStatementAction->trigger();

    // The document compounds monthly now, is marked modified, and its schedule was computed again.
    EXPECT_EQ(document.loan().gintCompounding, 1);
    EXPECT_TRUE(modified(document));
    const engine::Statement read = engine::readStatement(lendersStatement(document.loan()), {}).statement;
    const engine::MatchResult again = engine::matchStatement(document.loan(), read, engine::NumberFormat());
    ASSERT_TRUE(again.reproduced());
    EXPECT_TRUE(again.candidates.front().isDocument);
}

TEST_F(MatchStatementDialogTest, ABadStatementAndCancelChangeNothing)
{
    frmChild &document = openMortgage();
    const engine::LoanDocument before = document.loan();
    m_onDialog = [&](QDialog &shown) {
        auto &dialog = dynamic_cast<views::MatchStatementDialog &>(shown);
        QGuiApplication::clipboard()->setText(QStringLiteral("Date\tPayment\n2028-06-01\tplenty\n"));
        dialog.loadFromClipboard();
        EXPECT_EQ(m_dialogs.texts(),
                  QStringList {QStringLiteral("Line 2: \"plenty\" in the column Payment is not an "
                                              "amount.")});
        EXPECT_EQ(dialog.candidates()->rowCount(), 0);
        EXPECT_FALSE(dialog.applyButton()->isEnabled());

        QGuiApplication::clipboard()->setText(QString::fromStdString(lendersStatement(document.loan())));
        dialog.loadFromClipboard();
        EXPECT_GT(dialog.candidates()->rowCount(), 0);
        EXPECT_TRUE(dialog.applyButton()->isEnabled());
        dialog.reject();
    };
    m_window->editCommands().matchStatementAction->trigger();
    EXPECT_EQ(document.loan().gintCompounding, before.gintCompounding);
    EXPECT_EQ(document.loan().gdtmStartDate, before.gdtmStartDate);
    EXPECT_EQ(document.loan().gridMain0, before.gridMain0);
    EXPECT_FALSE(modified(document));

    // Without a document there is nothing to match.
    document.discard();
    m_window->editCommands().update();
    EXPECT_FALSE(m_window->editCommands().matchStatementAction->isEnabled());
}
