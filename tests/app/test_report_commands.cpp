#include "MainWindowFixture.h"

#include "app/ReportCommands.h"
#include "views/ScheduleModel.h"
#include "views/ScheduleView.h"

#include <QDialog>
#include <QMenu>

using namespace app;

namespace {

// What the Report menu offers when it opens: Year End Report, Year End Month, Close Year End Report.
std::array<bool, 3> offered(MainWindow &window)
{
    emit window.findChild<QMenu *>(QStringLiteral("mnuReport"))->aboutToShow();
    const ReportCommands &report = window.reportCommands();
    return {report.yearEndReport->isEnabled(), report.yearEndMonth->menuAction()->isEnabled(),
            report.closeYearEndReport->isEnabled()};
}

QString reportCell(frmChild &document, int row, int column)
{
    return document.gridMain1()->model()->index(row, column).data().toString();
}

} // namespace

// The menu follows the active document; a month chosen while the report is shown makes it again for that month.
TEST_F(MainWindowTest, ReportMenu)
{
    MainWindow &window = start();
    ReportCommands &report = window.reportCommands();
    EXPECT_EQ(offered(window), (std::array {false, false, false}));
    EXPECT_EQ(report.closingMonth(), 12);

    window.files().OpenPath(copyExample("canadian-mortgage-25y.plr", QStringLiteral("loan.plr")));
    frmChild &document = *window.activeDocument();
    EXPECT_EQ(offered(window), (std::array {true, true, false}));
    // Asked for from the summary, the report is shown in the detailed view.
    document.view()->showSummary();
    report.yearEndReport->trigger();
    ASSERT_TRUE(document.reportShown());
    EXPECT_FALSE(document.view()->summaryShown());
    EXPECT_EQ(offered(window), (std::array {false, true, true}));
    EXPECT_EQ(reportCell(document, 0, 2), QStringLiteral("12/1/2026"));

    report.months[5]->trigger();
    EXPECT_EQ(report.closingMonth(), 6);
    EXPECT_EQ(reportCell(document, 0, 2), QStringLiteral("6/1/2026"));

    report.closeYearEndReport->trigger();
    EXPECT_FALSE(document.reportShown());
    EXPECT_EQ(offered(window), (std::array {true, true, false}));
    report.months[0]->trigger();
    EXPECT_EQ(report.closingMonth(), 1);
    EXPECT_FALSE(document.reportShown());
}

// Showing, fitting and closing the report leave the document as saved or as changed, whichever it was.
TEST_F(MainWindowTest, ReportKeepsTheModifiedFlag)
{
    MainWindow &window = start();
    window.files().OpenPath(copyExample("car-loan.plr", QStringLiteral("car.plr")));
    frmChild &document = *window.activeDocument();
    for (bool modified : {false, true}) {
        SCOPED_TRACE(modified);
        window.docSlots().window(document.slot())->setWindowModified(modified);
        window.reportCommands().yearEndReport->trigger();
        window.formatCommands().autoFitColumns->trigger();
        EXPECT_EQ(window.docSlots().window(document.slot())->isWindowModified(), modified);
        window.reportCommands().closeYearEndReport->trigger();
        EXPECT_EQ(window.docSlots().window(document.slot())->isWindowModified(), modified);
    }
}

// Saving, the wizard, the lump sums and closing the window take the report away first: the file keeps the schedule's
// layout.
TEST_F(MainWindowTest, ReportClosedBeforeSavingEditingOrClosing)
{
    MainWindow &window = start();
    const QString path = copyExample("canadian-mortgage-25y.plr", QStringLiteral("loan.plr"));
    window.files().OpenPath(path);
    frmChild &document = *window.activeDocument();
    const document::ColumnProperties layout = document.data().columns;
    ReportCommands &report = window.reportCommands();

    report.yearEndReport->trigger();
    window.files().save->trigger();
    EXPECT_FALSE(document.reportShown());
    EXPECT_EQ(readDocumentFile(path).columns, layout);

    window.setDialogRunner([](QDialog &) { return int(QDialog::Rejected); });
    for (QAction *command : {window.files().properties, window.editCommands().lumpSums}) {
        SCOPED_TRACE(command->text().toStdString());
        report.yearEndReport->trigger();
        command->trigger();
        EXPECT_FALSE(document.reportShown());
    }

    report.yearEndReport->trigger();
    window.docSlots().window(document.slot())->setWindowModified(true);
    m_dialogs.answers = {ui::UserDialogs::Cancel};
    closeActive();
    ASSERT_EQ(window.documents().size(), 1);
    EXPECT_FALSE(document.reportShown());
    EXPECT_EQ(document.gridMain1()->model(), static_cast<QAbstractItemModel *>(document.view()->model()));
}
