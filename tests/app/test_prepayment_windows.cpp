#include "WizardTestSupport.h"

#include "support/GoldenFiles.h"

#include "app/ReportCommands.h"

#include "engine/LoanComparison.h"
#include "engine/Prepayment.h"
#include "engine/Renewal.h"
#include "ui/DateField.h"
#include "ui/NumberField.h"
#include "views/BreakPenaltyDialog.h"
#include "views/PrepaymentTermsDialog.h"
#include "views/PrivilegesDialog.h"
#include "views/RenewalDialog.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QUndoStack>

using namespace app;

namespace {

class PrepaymentWindowsTest : public DataEntryTest
{
protected:
    // Opens a copy of an example, or of a kept document with prepayment terms.
    frmChild &open(const QString &source)
    {
        start();
        const QString path = m_dir.filePath(QFileInfo(source).fileName());
        EXPECT_TRUE(QFile::copy(source, path));
        m_window->files().OpenPath(path);
        return *m_window->activeDocument();
    }
    static QString withTerms()
    {
        return QString::fromStdString((golden::dataFolder() / "prepayment-terms.plr").string());
    }
    static void pick(QComboBox *box, int value) { box->setCurrentIndex(box->findData(value)); }
    // Answers the terms dialog with `answer`, then OK.
    void answerTerms(const std::function<void(views::PrepaymentTermsDialog &)> &answer)
    {
        m_onDialog = [answer](QDialog &dialog) {
            auto &terms = dynamic_cast<views::PrepaymentTermsDialog &>(dialog);
            answer(terms);
            terms.okButton()->click();
        };
        m_window->editCommands().prepaymentTerms->trigger();
    }
};

TEST_F(PrepaymentWindowsTest, TermsTurnedOnAreUndoable)
{
    frmChild &document = open(examplePath("canadian-mortgage-25y.plr"));
    ASSERT_FALSE(document.loan().prepaymentTerms);
    m_window->reportCommands().update();
    EXPECT_FALSE(m_window->reportCommands().breakPenalty->isEnabled());
    EXPECT_FALSE(m_window->reportCommands().privileges->isEnabled());

    // OK on terms left off changes nothing and leaves nothing to undo.
    answerTerms([](views::PrepaymentTermsDialog &terms) { EXPECT_EQ(terms.kind()->currentData().toInt(), -1); });
    EXPECT_FALSE(document.loan().prepaymentTerms);
    EXPECT_FALSE(document.undoStack()->canUndo());

    // Turned on, the fields start from the engine's defaults for the kind.
    answerTerms([](views::PrepaymentTermsDialog &terms) {
        pick(terms.kind(), int(engine::MortgageKind::ClosedVariable));
        EXPECT_EQ(terms.lumpSumPercent()->text(), QStringLiteral("15"));
        EXPECT_EQ(terms.minimumLumpSum()->text(), QStringLiteral("100.00"));
        EXPECT_EQ(terms.method()->currentData().toInt(), int(engine::PenaltyMethod::ThreeMonthsInterest));
        terms.lumpSumPercent()->setText(QStringLiteral("10"));
        pick(terms.privilegeYear(), int(engine::PrivilegeYearKind::LoanYear));
    });
    ASSERT_TRUE(document.loan().prepaymentTerms);
    engine::PrepaymentTerms expected = engine::defaultPrepaymentTerms(engine::MortgageKind::ClosedVariable);
    expected.lumpSumPercent = 10;
    expected.privilegeYear = engine::PrivilegeYearKind::LoanYear;
    // The maturity shown was the schedule's last payment date, which the terms keep following.
    EXPECT_EQ(*document.loan().prepaymentTerms, expected);
    EXPECT_EQ(document.undoStack()->undoText(), QStringLiteral("Prepayment Terms"));
    m_window->reportCommands().update();
    EXPECT_TRUE(m_window->reportCommands().breakPenalty->isEnabled());

    m_window->editCommands().undoChange();
    EXPECT_FALSE(document.loan().prepaymentTerms);
    m_window->editCommands().redoChange();
    EXPECT_EQ(document.loan().prepaymentTerms, expected);
}

TEST_F(PrepaymentWindowsTest, TermsTheEngineRefusesKeepTheDialogOpen)
{
    frmChild &document = open(withTerms());
    const auto before = document.loan().prepaymentTerms;
    ASSERT_TRUE(before);
    bool accepted = true;
    m_onDialog = [&accepted](QDialog &dialog) {
        auto &terms = dynamic_cast<views::PrepaymentTermsDialog &>(dialog);
        EXPECT_EQ(terms.kind()->currentData().toInt(), int(engine::MortgageKind::ClosedFixed));
        pick(terms.comparison(), int(engine::IrdComparison::Posted));
        terms.originalPostedRate()->setText(QStringLiteral("0"));
        terms.okButton()->click();
        accepted = terms.result() == QDialog::Accepted;
    };
    m_window->editCommands().prepaymentTerms->trigger();
    EXPECT_FALSE(accepted);
    engine::PrepaymentTerms posted = *before;
    posted.comparison = engine::IrdComparison::Posted;
    ASSERT_FALSE(m_dialogs.messages.isEmpty());
    EXPECT_EQ(m_dialogs.messages.last().text, QString::fromStdString(engine::prepaymentTermsProblem(posted)));
    EXPECT_EQ(document.loan().prepaymentTerms, before);
    EXPECT_FALSE(document.undoStack()->canUndo());

    // Turned off, the document has none, undoably.
    answerTerms([](views::PrepaymentTermsDialog &terms) { pick(terms.kind(), -1); });
    EXPECT_FALSE(document.loan().prepaymentTerms);
    EXPECT_TRUE(document.undoStack()->canUndo());
}

TEST_F(PrepaymentWindowsTest, BreakPenaltyShowsTheEngineEstimate)
{
    frmChild &document = open(withTerms());
    const engine::NumberFormat &format = m_window->numberFormat();
    auto rowsOf = [&](const engine::PenaltyRequest &request) {
        QString text;
        for (const auto &[label, value] :
             engine::penaltyRows(engine::breakPenalty(document.loan(), request, format), format))
            text += QString::fromStdString(label + '\t' + value + '\n');
        return text;
    };
    m_onDialog = [&](QDialog &dialog) {
        auto &penalty = dynamic_cast<views::BreakPenaltyDialog &>(dialog);
        // The next payment after 15 March 2026, the whole balance, at the contract rate.
        EXPECT_EQ(penalty.date()->date(), QDate(2026, 4, 1));
        const engine::PenaltyRequest start = penalty.request();
        ASSERT_TRUE(penalty.estimate().ok());
        EXPECT_EQ(penalty.amount()->text(), ui::numberFieldText(penalty.estimate().balance, 2, format));
        EXPECT_DOUBLE_EQ(start.comparisonRate, 0.0524);
        EXPECT_FALSE(penalty.postedRate()->isEnabled());

        // Another date: the amount follows its balance; a rate typed is handed to the engine.
        penalty.date()->setDate(QDate(2028, 3, 15));
        penalty.comparisonRate()->setText(QStringLiteral("3.5"));
        EXPECT_EQ(penalty.rowsText(), rowsOf({ui::toSerial(QDate(2028, 3, 15)), std::nullopt, 0.035, {}}));
        EXPECT_TRUE(penalty.rowsText().contains(QStringLiteral("Formula\tIRD = ")));
        penalty.copyButton()->click();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), penalty.rowsText());

        penalty.amount()->setText(QStringLiteral("70000"));
        emit penalty.amount()->textEdited(penalty.amount()->text());
        EXPECT_EQ(penalty.rowsText(), rowsOf({ui::toSerial(QDate(2028, 3, 15)), 70000.0, 0.035, {}}));

        // More than is owed: the engine's reason, and no figures.
        penalty.amount()->setText(QStringLiteral("9999999"));
        emit penalty.amount()->textEdited(penalty.amount()->text());
        EXPECT_EQ(penalty.problem()->text().toStdString(), penalty.estimate().message);
        EXPECT_FALSE(penalty.estimate().ok());
        EXPECT_EQ(penalty.rows()->rowCount(), 0);
        EXPECT_FALSE(penalty.rows()->tabKeyNavigation());
    };
    m_window->reportCommands().update();
    ASSERT_TRUE(m_window->reportCommands().breakPenalty->isEnabled());
    m_window->reportCommands().breakPenalty->trigger();
}

TEST_F(PrepaymentWindowsTest, PrivilegesShowTheEngineTable)
{
    frmChild &document = open(withTerms());
    const auto table = engine::privilegeTable(engine::privilegeYears(document.loan()), &m_window->numberFormat());
    ASSERT_GT(table.size(), 2u);
    bool shown = false;
    m_onDialog = [&](QDialog &dialog) {
        auto &privileges = dynamic_cast<views::PrivilegesDialog &>(dialog);
        shown = true;
        ASSERT_EQ(privileges.table()->rowCount(), int(table.size()) - 1);
        EXPECT_EQ(privileges.table()->item(1, 4)->text().toStdString(), table[2][4]);
        EXPECT_EQ(privileges.table()->horizontalHeaderItem(0)->text().toStdString(), table[0][0]);
        privileges.copyButton()->click();
        EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), engine::delimitedText(table, '\t'));
    };
    m_window->reportCommands().privileges->trigger();
    EXPECT_TRUE(shown);
}

// The example's 25-year mortgage given a 5-year term: the engine's table at the rates around the rate in force, then at
// the rates typed; rates that do not read leave nothing to copy. A term covering the amortization has nothing to renew.
TEST_F(PrepaymentWindowsTest, RenewalShowsTheEngineTableAtTheRatesTyped)
{
    QTemporaryDir dir;
    QFile example(examplePath("canadian-mortgage-25y.plr"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    const QString fiveYears = dir.filePath(QStringLiteral("five-years.plr"));
    QFile out(fiveYears);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(example.readAll().replace("\"NumberOfPeriods\",300", "\"NumberOfPeriods\",60"));
    out.close();

    open(examplePath("canadian-mortgage-25y.plr"));
    m_window->reportCommands().update();
    EXPECT_FALSE(m_window->reportCommands().renewal->isEnabled());

    frmChild &document = open(fiveYears);
    const engine::NumberFormat &format = m_window->numberFormat();
    auto tableAt = [&](const std::vector<double> &rates) {
        return engine::delimitedText(engine::renewalTable(engine::renewal(document.loan(), rates, format), &format),
                                     '\t');
    };
    bool shown = false;
    m_onDialog = [&](QDialog &dialog) {
        auto &renewal = dynamic_cast<views::RenewalDialog &>(dialog);
        shown = true;
        EXPECT_EQ(renewal.rates()->text(), QStringLiteral("4.24, 5.24, 6.24, 7.24"));
        EXPECT_EQ(renewal.tableText().toStdString(), tableAt({}));
        ASSERT_EQ(renewal.table()->rowCount(), 4);
        EXPECT_EQ(renewal.table()->item(1, 4)->text().toStdString(),
                  format.currency(renewal.renewal().rates[1].payment));
        EXPECT_FALSE(renewal.table()->tabKeyNavigation());

        renewal.rates()->setText(QStringLiteral("4.5, 5.5"));
        emit renewal.rates()->textEdited(renewal.rates()->text());
        EXPECT_EQ(renewal.table()->rowCount(), 2);
        renewal.copyButton()->click();
        EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), tableAt({0.045, 0.055}));

        renewal.rates()->setText(QStringLiteral("4.5, lots"));
        emit renewal.rates()->textEdited(renewal.rates()->text());
        EXPECT_FALSE(renewal.problem()->text().isEmpty());
        EXPECT_EQ(renewal.table()->rowCount(), 0);
        EXPECT_FALSE(renewal.copyButton()->isEnabled());
    };
    m_window->reportCommands().update();
    ASSERT_TRUE(m_window->reportCommands().renewal->isEnabled());
    m_window->reportCommands().renewal->trigger();
    EXPECT_TRUE(shown);
}

} // namespace
