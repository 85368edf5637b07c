#include "MainWindowFixture.h"

#include "app/DocumentPrinting.h"
#include "app/LoanComparisonWindow.h"
#include "app/ReportCommands.h"
#include "app/wizard/OptionalInformationPage.h"
#include "app/wizard/frmWizard.h"
#include "views/CompareLoansDialog.h"
#include "views/LoanComparisonModel.h"
#include "views/SummaryChart.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

namespace {

class LoanComparisonWindowTest : public MainWindowTest
{
protected:
    // Opens three examples; the one opened last is active.
    app::MainWindow &startWithThree()
    {
        app::MainWindow &window = start();
        for (const char *name : {"us-mortgage-30y.plr", "car-loan.plr", "canadian-mortgage-25y.plr"})
            window.files().OpenPath(copyExample(name, QLatin1String(name)));
        return window;
    }
    app::LoanComparisonWindow *comparisonWindow() const
    {
        return m_window->mdiArea()->findChild<app::LoanComparisonWindow *>();
    }
    QStringList headings() const
    {
        QStringList list;
        const views::LoanComparisonModel *model = comparisonWindow()->model();
        for (int c = 1; c < model->columnCount(); ++c)
            list << model->headerData(c, Qt::Horizontal).toString();
        return list;
    }
    static void closeDocument(app::frmChild *document)
    {
        document->parentWidget()->close();
        // The document window goes, and then whatever closed because of it.
        for (int round = 0; round < 2; ++round)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

const QString kMaple = QStringLiteral("Maple Street house, 25-year fixed");
const QString kOak = QStringLiteral("Oak Avenue condo, 30-year fixed (U.S.)");
const QString kCar = QStringLiteral("Car loan, 5 years");

} // namespace

// The active document is listed first; the chosen ones show side by side, their balances charted by date. Closing a
// compared document takes its column away, and with one loan left the window closes.
TEST_F(LoanComparisonWindowTest, ComparesTheChosenDocumentsAndFollowsThem)
{
    app::MainWindow &window = startWithThree();
    QStringList listed;
    window.setDialogRunner([&listed](QDialog &dialog) {
        auto &chooser = dynamic_cast<views::CompareLoansDialog &>(dialog);
        for (int i = 0; i < chooser.lstDocuments()->topLevelItemCount(); ++i)
            listed << chooser.lstDocuments()->topLevelItem(i)->text(0);
        return int(QDialog::Accepted);
    });
    window.reportCommands().update();
    ASSERT_TRUE(window.reportCommands().compareLoansAction->isEnabled());
    window.reportCommands().compareLoansAction->trigger();
    EXPECT_EQ(listed, (QStringList {kMaple, kOak, kCar}));
    app::LoanComparisonWindow *comparison = comparisonWindow();
    ASSERT_NE(comparison, nullptr);
    EXPECT_EQ(comparison->windowTitle(), QStringLiteral("Loan Comparison"));
    EXPECT_EQ(headings(), listed);
    EXPECT_EQ(window.activeComparison(), comparison);

    const std::vector<views::SummaryChart::Series> lines = comparison->chart().shownSeries();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].name, kOak);
    const engine::BalancePoint first = comparison->comparison().balances[1].front();
    EXPECT_EQ(lines[1].points.front(), QPointF(first.date, first.balance));
    EXPECT_EQ(first.balance, 400000);

    // Edit > Copy takes the table, a line per row.
    window.editCommands().update();
    ASSERT_TRUE(window.editCommands().copyAction->isEnabled());
    window.editCommands().copyAction->trigger();
    const QStringList copied = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(copied.size(), comparison->model()->rowCount() + 1);
    EXPECT_EQ(copied.first(), QLatin1Char('\t') + listed.join(QLatin1Char('\t')));

    closeDocument(window.documents().value(1)); // the car loan
    ASSERT_EQ(comparisonWindow(), comparison);
    EXPECT_EQ(headings(), (QStringList {kMaple, kOak}));
    EXPECT_EQ(comparison->chart().shownSeries().size(), 2u);

    closeDocument(window.documents().value(0));
    EXPECT_EQ(comparisonWindow(), nullptr);
}

// A compared document computed again is read again: its new rate shows.
TEST_F(LoanComparisonWindowTest, FollowsARecalculation)
{
    app::MainWindow &window = startWithThree();
    window.setDialogRunner([](QDialog &dialog) {
        auto &chooser = dynamic_cast<views::CompareLoansDialog &>(dialog);
        chooser.setChecked(2, false);
        return int(QDialog::Accepted);
    });
    window.reportCommands().compareLoans();
    app::LoanComparisonWindow *comparison = comparisonWindow();
    ASSERT_NE(comparison, nullptr);
    app::frmChild *oak = comparison->documents().value(1);
    ASSERT_TRUE(
        oak->changeAndRecalculate(QString(), [](document::DocumentData &data) { data.loan.gdblAnnualRate = 0.055; }));
    const QAbstractItemModel *model = comparison->table()->model();
    EXPECT_EQ(model->index(1, 0).data().toString(), QStringLiteral("Annual Rate"));
    EXPECT_EQ(model->index(1, 2).data().toString(), QStringLiteral("5.5000%"));
}

// One document is nothing to compare.
TEST_F(LoanComparisonWindowTest, OfferedWithTwoDocuments)
{
    app::MainWindow &window = start();
    window.files().OpenPath(copyExample("car-loan.plr", QStringLiteral("car.plr")));
    window.reportCommands().update();
    EXPECT_FALSE(window.reportCommands().compareLoansAction->isEnabled());
    window.files().OpenPath(copyExample("us-mortgage-30y.plr", QStringLiteral("oak.plr")));
    window.reportCommands().update();
    EXPECT_TRUE(window.reportCommands().compareLoansAction->isEnabled());
}

// The program's frame may go without closing its windows first (a test, a crash handler): the comparison goes first,
// before the documents and the number format it reads.
TEST_F(LoanComparisonWindowTest, GoesWithTheFrame)
{
    app::MainWindow &window = startWithThree();
    window.setDialogRunner([](QDialog &) { return int(QDialog::Accepted); });
    window.reportCommands().compareLoans();
    const QPointer<app::LoanComparisonWindow> comparison = comparisonWindow();
    ASSERT_FALSE(comparison.isNull());
    m_window.reset();
    EXPECT_TRUE(comparison.isNull());
}

// Print Preview in front of a comparison shows its one page, without the page set-up of a document, and gives the
// comparison back when it closes; the document commands stay off meanwhile.
TEST_F(LoanComparisonWindowTest, PrintPreviewShowsItsPage)
{
    app::MainWindow &window = startWithThree();
    window.setDialogRunner([](QDialog &) { return int(QDialog::Accepted); });
    window.reportCommands().compareLoans();
    app::LoanComparisonWindow *comparison = comparisonWindow();
    ASSERT_NE(comparison, nullptr);
    window.files().update();
    EXPECT_FALSE(window.files().save->isEnabled());
    ASSERT_TRUE(window.files().printPreview->isEnabled());
    window.files().printPreview->trigger();
    print::frmPrintPreview *preview = window.printing().preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Loan Comparison"));
    EXPECT_EQ(preview->pageCount(), 1);
    EXPECT_TRUE(preview->setupButton()->isHidden());
    preview->closePreview();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.activeComparison(), comparison);
}

// A column is headed by the loan's title, or by its file name without one: a new title or a new name shows at once.
TEST_F(LoanComparisonWindowTest, FollowsANewTitleOrFileName)
{
    app::MainWindow &window = start();
    window.files().OpenPath(copyExample("car-loan.plr", QStringLiteral("car.plr")));
    window.NewDocument();
    window.setDialogRunner([](QDialog &) { return int(QDialog::Accepted); });
    window.reportCommands().compareLoans();
    ASSERT_NE(comparisonWindow(), nullptr);
    EXPECT_EQ(headings(), (QStringList {QStringLiteral("Untitled2"), kCar}));

    app::frmChild *untitled = window.documents().value(1);
    window.activateDocument(*untitled);
    m_dialogs.saveAnswers = {m_dir.filePath(QStringLiteral("boat.plr"))};
    window.files().saveAs->trigger();
    EXPECT_EQ(headings(), (QStringList {QStringLiteral("boat.plr"), kCar}));

    window.activateDocument(*window.documents().value(0));
    window.setDialogRunner([](QDialog &dialog) {
        auto &wizard = dynamic_cast<app::frmWizard &>(dialog);
        wizard.cmdNext_Click();
        wizard.optionalPage()->txtTitle()->setText(QStringLiteral("Red car"));
        for (int step = 0; step < 3; ++step)
            wizard.cmdNext_Click();
        return wizard.result();
    });
    window.files().properties->trigger();
    EXPECT_EQ(headings(), (QStringList {QStringLiteral("boat.plr"), QStringLiteral("Red car")}));
}

// Ctrl+W closes the comparison as it closes a document.
TEST_F(LoanComparisonWindowTest, CloseKeyClosesIt)
{
    app::MainWindow &window = startWithThree();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.setDialogRunner([](QDialog &) { return int(QDialog::Accepted); });
    window.reportCommands().compareLoans();
    const QPointer<app::LoanComparisonWindow> comparison = comparisonWindow();
    ASSERT_FALSE(comparison.isNull());
    QTest::keyClick(comparison->table(), Qt::Key_W, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(comparison.isNull());
    EXPECT_EQ(window.documents().size(), 3);
}
