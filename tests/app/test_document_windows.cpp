#include "MainWindowFixture.h"

#include "engine/LoanDocument.h"
#include "views/ScheduleModel.h"
#include "views/ScheduleView.h"

#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QTableView>
#include <QTest>

using namespace app;

namespace {

std::string text(const QRect &rect)
{
    return QStringLiteral("%1,%2 %3x%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height()).toStdString();
}

QRect availableArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

QRect areaRect(const MainWindow &window)
{
    return QRect(QPoint(0, 0), window.mdiArea()->viewport()->size());
}

} // namespace

// Without a stored placement the first window takes about three quarters of the screen, centred; once a placement
// is stored it rules again.
TEST_F(MainWindowTest, FirstWindowTakesMostOfTheScreen)
{
    MainWindow &window = start();
    const QRect screen = availableArea();
    // The frame's place and the inside's size, as they are stored.
    const QRect placed(window.pos(), window.size());
    EXPECT_EQ(placed.size(), screen.size() * 3 / 4);
    EXPECT_EQ(placed.center(), screen.center());

    window.move(screen.topLeft() + QPoint(20, 30));
    window.resize(500, 400);
    restart();
    EXPECT_EQ(m_window->pos(), screen.topLeft() + QPoint(20, 30));
    EXPECT_EQ(m_window->size(), QSize(500, 400));
}

// A placement stored on a screen that has gone comes back inside the screen there is.
TEST_F(MainWindowTest, PlacementOutsideEveryScreenComesBackOnScreen)
{
    m_settings->setIntValue(kSettingsSection, kMainLeft, 40000 * 15);
    m_settings->setIntValue(kSettingsSection, kMainTop, -3000 * 15);
    m_settings->setIntValue(kSettingsSection, kMainWidth, 500 * 15);
    m_settings->setIntValue(kSettingsSection, kMainHeight, 400 * 15);
    MainWindow &window = start();
    const QRect placed(window.pos(), window.size());
    EXPECT_TRUE(availableArea().contains(placed)) << text(placed);
    EXPECT_EQ(window.size(), QSize(500, 400));
}

// A new document window lies wholly inside the document area, however many are open.
TEST_F(MainWindowTest, NewDocumentWindowsOpenInsideTheArea)
{
    MainWindow &window = start();
    for (int i = 0; i < 4; ++i) {
        window.NewDocument();
        const QRect frame = window.mdiArea()->currentSubWindow()->geometry();
        EXPECT_TRUE(areaRect(window).contains(frame)) << i << ": " << text(frame) << " in " << text(areaRect(window));
    }
}

// Cascade keeps every window large enough to work in.
TEST_F(MainWindowTest, CascadeKeepsAUsableSize)
{
    MainWindow &window = start();
    for (int i = 0; i < 3; ++i)
        window.NewDocument();
    window.windowCommands().cascadeAction->trigger();
    const QSize area = areaRect(window).size();
    for (QMdiSubWindow *frame : window.mdiArea()->subWindowList()) {
        EXPECT_GE(frame->width(), area.width() / 2) << text(frame->geometry());
        EXPECT_GE(frame->height(), area.height() / 2) << text(frame->geometry());
        EXPECT_TRUE(areaRect(window).contains(frame->geometry())) << text(frame->geometry());
    }
    // Each one further down and to the right, so that every title bar shows.
    QList<int> tops;
    for (QMdiSubWindow *frame : window.mdiArea()->subWindowList(QMdiArea::StackingOrder))
        tops << frame->y();
    EXPECT_TRUE(std::is_sorted(tops.begin(), tops.end()) && tops.first() < tops.last()) << tops.size();
}

// A cancelled File > New gives the focus back to the window the user was on.
TEST_F(MainWindowTest, CancelledNewReturnsToTheActiveDocument)
{
    MainWindow &window = start();
    for (int i = 0; i < 3; ++i)
        window.NewDocument();
    frmChild *second = window.documents().at(1);
    window.activateDocument(*second);
    window.setWizardRunner([](MainWindow &, frmChild &) { return false; });
    window.NewDocument();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the discarded window goes for good
    QCoreApplication::processEvents();
    EXPECT_EQ(window.documents().size(), 3);
    EXPECT_EQ(window.activeDocument(), second);
    EXPECT_EQ(window.mdiArea()->activeSubWindow()->widget(), second);
}

// Long recent paths keep the File menu within the screen; the file name stays readable.
TEST_F(MainWindowTest, LongRecentPathsAreShortenedInTheMiddle)
{
    MainWindow &window = start();
    const QString path = QStringLiteral("/") + QString(60, QLatin1Char('d')) + QStringLiteral("/")
        + QString(300, QLatin1Char('e')) + QStringLiteral("/final loan.plr");
    m_settings->setValue(kRecentFilesSection, QStringLiteral("RecentFile1"), path);
    window.files().LoadRecentFilesMenu();
    QAction *entry = window.files().recentActions().first();
    EXPECT_EQ(entry->data().toString(), path);
    EXPECT_TRUE(entry->text().startsWith(QStringLiteral("&1 /ddd"))) << entry->text().toStdString();
    EXPECT_TRUE(entry->text().endsWith(QStringLiteral("final loan.plr"))) << entry->text().toStdString();
    EXPECT_LE(window.fileMenu()->sizeHint().width(), availableArea().width());
}

// When the last document goes, nothing is left that speaks of it: no cell status and no view shown as active.
TEST_F(MainWindowTest, NothingSpeaksOfAClosedDocument)
{
    MainWindow &window = start();
    EXPECT_FALSE(window.viewCommands().details->isChecked());
    window.NewDocument();
    EXPECT_TRUE(window.viewCommands().details->isChecked());
    window.setCellStatus(QStringLiteral("Read Only Cell"));
    m_dialogs.answers = {ui::UserDialogs::No};
    closeActive();
    EXPECT_EQ(window.cellStatus(), QString());
    EXPECT_FALSE(window.viewCommands().details->isChecked());
    EXPECT_FALSE(window.viewCommands().summary->isChecked());
}

// The keys users expect: Ctrl+W and Ctrl+F4 close the document window, Ctrl+Shift+S is Save As.
TEST_F(MainWindowTest, CloseAndSaveAsKeys)
{
    MainWindow &window = start();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (const Qt::Key key : {Qt::Key_W, Qt::Key_F4}) {
        window.NewDocument();
        m_dialogs.answers = {ui::UserDialogs::No};
        QTest::keyClick(window.activeDocument()->gridMain1(), key, Qt::ControlModifier);
        EXPECT_TRUE(window.documents().isEmpty()) << QKeySequence(key).toString().toStdString();
    }
    window.NewDocument();
    m_dialogs.saveAnswers = {QString()};
    QTest::keyClick(window.activeDocument()->gridMain1(), Qt::Key_S,
                    Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_EQ(m_dialogs.saveProposals.size(), 1);
}

// A change the schedule cannot be computed with is taken back: the change table, the schedule and the document's
// state stay as they were, and the user is told why.
TEST_F(MainWindowTest, AChangeTheScheduleCannotTakeIsTakenBack)
{
    MainWindow &window = start();
    window.files().OpenPath(copyExample("car-loan.plr", QStringLiteral("car.plr")));
    frmChild &document = *window.activeDocument();
    const engine::ScheduleTable schedule = document.loan().gridMain0;
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTableView *grid = document.gridMain1();
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(4, document.view()->model()->visibleColumn(engine::colAnnualRate)));
    for (QChar c : QStringLiteral("900000000"))
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    EXPECT_EQ(document.loan().gridAnnualRate.rows(), 1);
    EXPECT_EQ(document.loan().gridMain0, schedule);
    EXPECT_FALSE(window.docSlots().window(document.slot())->isWindowModified());
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_EQ(m_dialogs.messages[0].icon, ui::UserDialogs::Icon::Warning);
    EXPECT_FALSE(window.progressShown());
    EXPECT_EQ(grid->currentIndex().row(), 4);
}

// The cell status speaks of the document in front: it follows the active window, and is empty for a window that is
// no document.
TEST_F(MainWindowTest, CellStatusFollowsTheActiveWindow)
{
    MainWindow &window = start();
    window.files().OpenPath(copyExample("car-loan.plr", QStringLiteral("car.plr")));
    frmChild *car = window.activeDocument();
    const auto *model = qobject_cast<const views::ScheduleModel *>(car->gridMain1()->model());
    ASSERT_NE(model, nullptr);
    int lumpSums = 0;
    while (lumpSums < model->columnCount() && model->logicalColumn(lumpSums) != engine::colLumpSum)
        ++lumpSums;
    car->gridMain1()->setCurrentIndex(model->index(3, lumpSums));
    window.files().OpenPath(copyExample("us-mortgage-30y.plr", QStringLiteral("us.plr")));
    frmChild *house = window.activeDocument();
    house->gridMain1()->setCurrentIndex(house->gridMain1()->model()->index(3, 1));

    struct Case
    {
        frmChild *document; // none: the Scenario
        const char *status;
    };
    for (const Case &c : {Case {car, "Updatable Cell"}, Case {house, "Read Only Cell"}, Case {nullptr, ""},
                          Case {car, "Updatable Cell"}}) {
        if (c.document)
            window.activateDocument(*c.document);
        else
            window.viewCommands().scenario->trigger();
        EXPECT_EQ(window.cellStatus(), QLatin1String(c.status));
    }
}

// The Window menu lists the open windows, the one in front checked; choosing one brings it to the front, from the main
// window's menu as from the Scenario's.
TEST_F(MainWindowTest, WindowMenuListsTheOpenWindows)
{
    MainWindow &window = start();
    auto *menu = window.findChild<QMenu *>(QStringLiteral("mnuWindow"));
    ASSERT_NE(menu, nullptr);
    auto listed = [](QMenu *shown) {
        emit shown->aboutToShow();
        QStringList items;
        for (const QAction *item : shown->actions()) {
            if (item->objectName() == QLatin1String("mnuWindowList") && !item->isSeparator())
                items << (item->isChecked() ? QStringLiteral("*") : QString()) + item->text();
        }
        return items;
    };
    EXPECT_EQ(listed(menu), QStringList());
    window.files().OpenPath(copyExample("car-loan.plr", QStringLiteral("car & boat.plr")));
    frmChild *car = window.activeDocument();
    window.files().OpenPath(copyExample("us-mortgage-30y.plr", QStringLiteral("us.plr")));
    EXPECT_EQ(listed(menu), (QStringList {QStringLiteral("&1 car && boat.plr"), QStringLiteral("*&2 us.plr")}));

    window.viewCommands().scenario->trigger();
    QMenu *scenarioMenu = window.viewCommands().scenarioWindow()->windowMenu();
    const QStringList withScenario = {QStringLiteral("&1 car && boat.plr"), QStringLiteral("&2 us.plr"),
                                      QStringLiteral("*&3 Scenario")};
    EXPECT_EQ(listed(scenarioMenu), withScenario);
    EXPECT_EQ(listed(scenarioMenu), withScenario); // made afresh, never twice
    for (QAction *item : scenarioMenu->actions()) {
        if (item->text().startsWith(QLatin1String("&1")))
            item->trigger();
    }
    EXPECT_EQ(window.activeDocument(), car);
    EXPECT_FALSE(window.scenarioActive());
}
