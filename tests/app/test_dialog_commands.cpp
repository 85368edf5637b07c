#include "WizardTestSupport.h"

#include "app/SettingsKeys.h"

#include "engine/ChangeTables.h"
#include "ui/DateField.h"
#include "views/FittedTextDelegate.h"
#include "views/ScheduleModel.h"
#include "views/ScheduleView.h"
#include "views/frmLumpSums.h"
#include "views/frmOptions.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>

using namespace app;

namespace {

class DialogCommandsTest : public DataEntryTest
{
protected:
    frmChild &open(const char *example)
    {
        if (!m_window)
            start();
        const QString path = m_dir.filePath(QLatin1String(example));
        if (!QFile::exists(path)) {
            EXPECT_TRUE(QFile::copy(examplePath(example), path));
        }
        m_window->files().OpenPath(path);
        return *m_window->activeDocument();
    }
    bool modified(const frmChild &document) { return m_window->docSlots().window(document.slot())->isWindowModified(); }
    // The text of a schedule row's cell as the grid shows it (row 0 is the schedule's first row).
    static QString shown(frmChild &document, int row, int logical)
    {
        views::ScheduleModel *model = document.view()->model();
        return model->index(row, model->visibleColumn(logical)).data().toString();
    }
    // Every date of the schedule is shown whole, none as "###".
    static bool datesShownWhole(frmChild &document)
    {
        QTableView *grid = document.gridMain1();
        const auto *delegate = qobject_cast<views::FittedTextDelegate *>(grid->itemDelegate());
        const int column = document.view()->model()->visibleColumn(engine::colDate);
        for (int r = 0; r < grid->model()->rowCount(); ++r) {
            if (delegate->shownText(grid->model()->index(r, column))
                == QLatin1String(views::FittedTextDelegate::kTooNarrow))
                return false;
        }
        return true;
    }
    static bool shaded(frmChild &document, int row)
    {
        return document.view()->model()->index(row, 0).data(Qt::BackgroundRole).isValid();
    }
    // Answers the options dialog with `answer`, then OK.
    void answerOptions(const std::function<void(views::frmOptions &)> &answer)
    {
        m_onDialog = [answer](QDialog &dialog) {
            auto &options = dynamic_cast<views::frmOptions &>(dialog);
            answer(options);
            options.cmdOK()->click();
        };
        m_window->viewCommands().options->trigger();
    }
};

} // namespace

TEST_F(DialogCommandsTest, MenuItemsAndTheirEnabling)
{
    start();
    m_window->editCommands().update();
    m_window->viewCommands().update();
    EXPECT_FALSE(m_window->editCommands().lumpSums->isEnabled());
    EXPECT_FALSE(m_window->viewCommands().options->isEnabled());

    frmChild &document = open("car-loan.plr");
    m_window->editCommands().update();
    m_window->viewCommands().update();
    EXPECT_TRUE(m_window->editCommands().lumpSums->isEnabled());
    EXPECT_TRUE(m_window->viewCommands().options->isEnabled());
    // While the year-end report stands in the schedule's place, there are no columns to arrange.
    document.loan().gblnReportFlag = true;
    m_window->viewCommands().update();
    EXPECT_FALSE(m_window->viewCommands().options->isEnabled());
    document.loan().gblnReportFlag = false;

    // The pop-up menu's Lump Sum opens the dialog.
    m_window->showContextMenu({});
    QAction *lumpSum = nullptr;
    for (QAction *item : m_window->contextMenu()->actions()) {
        if (item->text() == QStringLiteral("&Lump Sum"))
            lumpSum = item;
    }
    ASSERT_TRUE(lumpSum);
    EXPECT_TRUE(lumpSum->isEnabled());
    QString opened;
    m_onDialog = [&](QDialog &dialog) { opened = dialog.objectName(); };
    lumpSum->trigger();
    EXPECT_EQ(opened, QStringLiteral("frmLumpSums"));
}

TEST_F(DialogCommandsTest, LumpSumsRecalculateTheDocument)
{
    frmChild &document = open("car-loan.plr");
    // The grid's row of 15 June 2026, the fifth payment.
    document.gridMain1()->setCurrentIndex(document.gridMain1()->model()->index(5, 1));
    m_onDialog = [](QDialog &dialog) {
        auto &lumpSums = dynamic_cast<views::frmLumpSums &>(dialog);
        EXPECT_EQ(lumpSums.txtLumpSumDate()->date(), QDate(2026, 6, 15));
        lumpSums.txtLumpSumAmount()->setText(QStringLiteral("$2,000.00"));
        lumpSums.cmdAdd()->click();
        screenshot(lumpSums, QStringLiteral("lump-sums"));
        lumpSums.cmdOK()->click();
    };
    ASSERT_FALSE(modified(document));
    m_window->editCommands().lumpSums->trigger();
    EXPECT_TRUE(modified(document));
    EXPECT_EQ(shown(document, 5, engine::colLumpSum), QStringLiteral("$2,000.00"));
    EXPECT_EQ(document.gridMain1()->currentIndex().row(), 5);
}

TEST_F(DialogCommandsTest, PreferencesReachEveryWindowAndTheSettings)
{
    frmChild &mortgage = open("canadian-mortgage-25y.plr");
    frmChild &car = open("car-loan.plr");
    ASSERT_EQ(m_window->activeDocument(), &car);
    const QString mortgageDate = shown(mortgage, 1, engine::colDate);
    const QString carDate = shown(car, 1, engine::colDate);
    EXPECT_EQ(carDate, QStringLiteral("2/15/2026"));
    ASSERT_TRUE(shaded(car, 4) && shaded(mortgage, 4));

    // Shading off and scroll tracking off: the dates are not touched.
    answerOptions([](views::frmOptions &options) {
        options.txtInterval()->setValue(0);
        options.chkScrollTrack()->setChecked(false);
    });
    for (frmChild *document : {&mortgage, &car}) {
        EXPECT_FALSE(shaded(*document, 4));
        EXPECT_FALSE(document->gridMain1()->verticalScrollBar()->hasTracking());
        EXPECT_FALSE(modified(*document));
    }
    EXPECT_EQ(shown(mortgage, 1, engine::colDate), mortgageDate);
    EXPECT_EQ(m_settings->value(kSettingsSection, kRowInterval), QStringLiteral("0"));
    EXPECT_EQ(m_settings->value(kSettingsSection, kScrollTrack), QStringLiteral("0"));
    EXPECT_TRUE(m_settings->value(kSettingsSection, kDateFormatString).isEmpty());

    // Another date format: every window's dates, and the dates the editors match the lump sums by.
    answerOptions([](views::frmOptions &options) {
        options.cboDateFormat()->setCurrentText(QStringLiteral("yyyy-MM-dd"));
        options.tbsOptions()->setCurrentIndex(1);
        screenshot(options, QStringLiteral("options-formatting"));
        options.tbsOptions()->setCurrentIndex(0);
        screenshot(options, QStringLiteral("options-columns"));
    });
    EXPECT_EQ(shown(car, 1, engine::colDate), QStringLiteral("2026-02-15"));
    screenshot(*m_window, QStringLiteral("after-options"));
    EXPECT_NE(shown(mortgage, 1, engine::colDate), mortgageDate);
    EXPECT_EQ(m_settings->value(kSettingsSection, kDateFormatString), QStringLiteral("yyyy-MM-dd"));
    const engine::TextTable &lumps = mortgage.loan().gridLumpSum;
    ASSERT_GT(lumps.rows(), 1);
    EXPECT_EQ(std::string(lumps.text(1, engine::chgDateText)),
              m_window->numberFormat().formatDate(mortgage.loan().GetLumpSumDate(1)));
    // The Date columns were fitted to the new dates; a preference is no change of a document.
    for (frmChild *document : {&mortgage, &car}) {
        EXPECT_TRUE(datesShownWhole(*document));
        EXPECT_FALSE(modified(*document));
    }
}

// A document opened after the date format got longer shows its dates whole: a Date column too narrow for them is
// widened, one wide enough keeps its width; neither is a change to save.
TEST_F(DialogCommandsTest, DocumentsOpenedLaterShowTheirDatesWhole)
{
    frmChild &car = open("car-loan.plr");
    m_window->formatCommands().autoFitColumns->trigger(); // as narrow as "12/15/2030" allows
    m_window->files().SaveDocument();
    const int fitted = car.data().columns.columns[engine::colDate].Width;
    m_dialogs.answers = {ui::UserDialogs::No};
    m_window->files().close->trigger();
    open("canadian-mortgage-25y.plr");
    answerOptions(
        [](views::frmOptions &options) { options.cboDateFormat()->setCurrentText(QStringLiteral("MMM-dd-yyyy")); });

    frmChild &reopened = open("car-loan.plr");
    EXPECT_EQ(shown(reopened, 1, engine::colDate), QStringLiteral("Feb-15-2026"));
    EXPECT_GT(reopened.data().columns.columns[engine::colDate].Width, fitted);
    EXPECT_TRUE(datesShownWhole(reopened));
    EXPECT_FALSE(modified(reopened));

    // Wider than the dates need, it stays as the file has it.
    QTableView *grid = reopened.gridMain1();
    const int dateColumn = reopened.view()->model()->visibleColumn(engine::colDate);
    grid->setColumnWidth(dateColumn, grid->columnWidth(dateColumn) + 40);
    const int wide = grid->columnWidth(dateColumn);
    m_window->files().SaveDocument();
    m_window->files().close->trigger();
    frmChild &wider = open("car-loan.plr");
    EXPECT_EQ(wider.gridMain1()->columnWidth(dateColumn), wide);
    EXPECT_FALSE(modified(wider));
}

TEST_F(DialogCommandsTest, ColumnsApplyToTheActiveDocumentOnly)
{
    frmChild &mortgage = open("canadian-mortgage-25y.plr");
    frmChild &car = open("car-loan.plr");
    const int mortgageColumns = mortgage.view()->model()->columnCount();
    answerOptions([](views::frmOptions &options) {
        while (options.List1()->count() > 1) {
            options.List1()->setCurrentRow(0);
            options.cmdRight()->click();
        }
    });
    EXPECT_EQ(car.view()->model()->columnCount(), 2);
    EXPECT_EQ(car.view()->model()->logicalColumn(0), engine::colNumber);
    EXPECT_EQ(car.view()->model()->logicalColumn(1), engine::colCumulativePrincipal);
    EXPECT_EQ(mortgage.view()->model()->columnCount(), mortgageColumns);
    EXPECT_TRUE(modified(car));
    EXPECT_FALSE(modified(mortgage));
}

TEST_F(DialogCommandsTest, CancelAppliesNothingButMovesMarkTheDocument)
{
    frmChild &car = open("car-loan.plr");
    const document::ColumnProperties before = car.data().columns;
    int openedOn = -1;
    m_onDialog = [&](QDialog &dialog) {
        auto &options = dynamic_cast<views::frmOptions &>(dialog);
        openedOn = options.tab();
        options.List1()->setCurrentRow(0);
        options.cmdRight()->click();
        options.txtInterval()->setValue(9);
        options.tbsOptions()->setCurrentIndex(1);
        options.cmdCancel()->click();
    };
    m_window->viewCommands().options->trigger();
    EXPECT_EQ(openedOn, 0);
    EXPECT_EQ(car.data().columns, before);
    EXPECT_TRUE(m_settings->value(kSettingsSection, kRowInterval).isEmpty());
    EXPECT_TRUE(shaded(car, 4));
    EXPECT_TRUE(modified(car));
    // It opens again on the tab it was left on.
    m_onDialog = [&](QDialog &dialog) { openedOn = dynamic_cast<views::frmOptions &>(dialog).tab(); };
    m_window->viewCommands().options->trigger();
    EXPECT_EQ(openedOn, 1);
}
