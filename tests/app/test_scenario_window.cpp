#include "MainWindowFixture.h"

#include "scenario/frmScenario.h"
#include "travina/CTravinaCtrl.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTest>
#include <QToolBar>
#include <QToolTip>

using scenario::frmScenario;

namespace {

class ScenarioWindowTest : public MainWindowTest
{
protected:
    frmScenario &openScenario()
    {
        if (!m_window)
            start();
        // The fields take the focus, and Copy and Paste follow it, only in the active window.
        QApplication::setActiveWindow(m_window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        m_window->viewCommands().scenario->trigger();
        frmScenario *window = m_window->viewCommands().scenarioWindow();
        EXPECT_NE(window, nullptr);
        return *window;
    }
    // Replaces a field's text as a user typing it would.
    static void type(QLineEdit *field, const QString &text)
    {
        field->setFocus();
        field->selectAll();
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Delete);
        else
            QTest::keyClicks(field, text);
    }
    // 100,000 at 6 % over 25 years, compounded semi-annually and paid monthly: 639.81.
    frmScenario &filledScenario()
    {
        frmScenario &window = openScenario();
        type(window.txtLoanAmount(), QStringLiteral("100000"));
        type(window.txtAnnualRate(), QStringLiteral("6"));
        type(window.txtAmortization(), QStringLiteral("25"));
        return window;
    }
    static QColor paymentBackground(const frmScenario &window)
    {
        return window.txtPayment()->palette().color(QPalette::Base);
    }
    QStringList visibleMenuTitles() const
    {
        QStringList titles;
        for (const QAction *menu : m_window->menuBar()->actions()) {
            if (menu->isVisible())
                titles << menu->text();
        }
        return titles;
    }
    QList<bool> toolbarEnabled() const
    {
        QList<bool> enabled;
        for (const QAction *button : m_window->toolBar()->actions())
            enabled << button->isEnabled();
        return enabled;
    }
};

} // namespace

TEST_F(ScenarioWindowTest, PaymentColourFollowsWhatIsTyped)
{
    frmScenario &window = filledScenario();
    EXPECT_EQ(window.txtPayment()->text(), QStringLiteral("639.81"));
    EXPECT_EQ(window.cellText(engine::kMonthly, engine::scnPayment), QStringLiteral("$639.81"));

    const QColor normal = QGuiApplication::palette().color(QPalette::Base);
    const QColor information = QToolTip::palette().color(QPalette::ToolTipBase);
    const QColor lightRed(255, 192, 192);
    ASSERT_NE(normal, information);
    EXPECT_EQ(paymentBackground(window), normal);
    struct Case
    {
        const char *typed;
        QColor colour;
    };
    for (const Case &c : {Case {"639.80", information}, Case {"493.86", lightRed}, Case {"493.87", information},
                          Case {"639.81", normal}}) {
        SCOPED_TRACE(c.typed);
        type(window.txtPayment(), QLatin1String(c.typed));
        EXPECT_EQ(paymentBackground(window), c.colour);
        // The typed payment stays as typed and drives the table.
        EXPECT_EQ(window.txtPayment()->text(), QLatin1String(c.typed));
        EXPECT_EQ(window.cellText(engine::kMonthly, engine::scnPayment), QStringLiteral("$") + QLatin1String(c.typed));
    }
}

TEST_F(ScenarioWindowTest, ListsMapToTheirCodes)
{
    m_settings->setValue(app::kSettingsSection, app::kInterestCompound, QStringLiteral("1"));
    frmScenario &window = filledScenario();
    EXPECT_EQ(window.cboCompounding()->currentText(), QStringLiteral("Monthly (United States)"));
    EXPECT_EQ(window.cboDaysInYear()->currentText(), QStringLiteral("365.25"));
    EXPECT_EQ(window.txtPayment()->text(), QStringLiteral("644.30"));

    window.cboCompounding()->setCurrentIndex(0);
    EXPECT_EQ(window.values().compounding(), 2); // "Annually"
    window.cboFrequency()->setCurrentIndex(4);
    EXPECT_EQ(window.cboFrequency()->currentText(), QStringLiteral("Weekly (accelerated)"));
    EXPECT_EQ(window.values().frequency(), engine::kWeeklyAccelerated);
    window.cboAmortUnit()->setCurrentIndex(1);
    EXPECT_EQ(window.values().amortizationUnit(), engine::kMonths);
    window.cboDaysInYear()->setCurrentIndex(2);
    EXPECT_EQ(window.values().periodsPerYear(), 52);
}

TEST_F(ScenarioWindowTest, EmptyTermBlanksTheTermColumns)
{
    frmScenario &window = filledScenario();
    auto termCells = [&window] {
        QStringList cells;
        for (int row = 0; row < engine::kScenarioRows; ++row) {
            cells << window.cellText(row, engine::scnInterestForTerm)
                  << window.cellText(row, engine::scnTermEndingBalance);
        }
        return cells.join(QLatin1Char('|'));
    };
    EXPECT_EQ(termCells(), QStringLiteral("|||||||||||"));
    type(window.txtTerm(), QStringLiteral("5"));
    EXPECT_EQ(window.cellText(engine::kMonthly, engine::scnTermEndingBalance), QStringLiteral("$89,836.47"));
    EXPECT_EQ(window.cellText(engine::kWeekly, engine::scnInterestForTerm), QStringLiteral("$28,118.90"));
    type(window.txtTerm(), QString());
    EXPECT_EQ(termCells(), QStringLiteral("|||||||||||"));
    EXPECT_EQ(window.cellText(engine::kMonthly, engine::scnAmortization), QStringLiteral("25 YR 0 MTH"));
}

TEST_F(ScenarioWindowTest, OneWindowWhicheverWayItIsAskedFor)
{
    app::MainWindow &main = start();
    main.NewDocument();
    frmScenario &window = openScenario();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Scenario"));
    main.showContextMenu(QPoint());
    const QList<QAction *> items = main.contextMenu()->actions();
    const auto item = std::find_if(items.begin(), items.end(),
                                   [](const QAction *a) { return a->text() == QStringLiteral("Sce&nario"); });
    ASSERT_NE(item, items.end());
    (*item)->trigger();
    main.viewCommands().scenario->trigger();
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(main.viewCommands().scenarioWindow(), &window);
    // It is no document: nothing to save, and File > Close closes it.
    EXPECT_EQ(main.documents().size(), 1);
    main.files().update();
    EXPECT_TRUE(main.files().close->isEnabled());
    EXPECT_FALSE(main.files().save->isEnabled());
    main.files().close->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_EQ(main.viewCommands().scenarioWindow(), nullptr);
    EXPECT_FALSE(main.scenarioActive());
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 1);
}

TEST_F(ScenarioWindowTest, ItsMenusAndToolbarRuleWhileActive)
{
    app::MainWindow &main = start();
    main.NewDocument();
    const QList<bool> withDocument = toolbarEnabled();
    const QStringList mainMenus = visibleMenuTitles();
    frmScenario &window = openScenario();

    EXPECT_EQ(visibleMenuTitles(),
              (QStringList {QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("&View"),
                            QStringLiteral("&Window"), QStringLiteral("&Help")}));
    QList<bool> onlyNewAndOpen(withDocument.size(), false);
    onlyNewAndOpen[0] = onlyNewAndOpen[1] = true;
    EXPECT_EQ(toolbarEnabled(), onlyNewAndOpen);
    EXPECT_EQ(main.activeDocument(), nullptr);

    // The File menu holds the main window's own recent entries.
    main.files().AddRecentFile(copyExample("car-loan.plr", QStringLiteral("car.plr")));
    emit window.fileMenu()->aboutToShow();
    QStringList fileItems;
    for (const QAction *item : window.fileMenu()->actions()) {
        if (item->isVisible())
            fileItems << (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    EXPECT_EQ(fileItems.first(), QStringLiteral("&New"));
    EXPECT_EQ(fileItems.last(), QStringLiteral("E&xit"));
    EXPECT_TRUE(window.fileMenu()->actions().contains(main.files().recentActions().first()));
    EXPECT_TRUE(main.files().recentActions().first()->isVisible());

    // A new document given up in the wizard leaves the user on the Scenario again.
    main.setWizardRunner([](app::MainWindow &, app::frmChild &) { return false; });
    main.files().newDocument->trigger();
    EXPECT_EQ(main.documents().size(), 1);
    EXPECT_TRUE(main.scenarioActive());
    EXPECT_EQ(toolbarEnabled(), onlyNewAndOpen);

    // Back on the document the main window's menus and buttons return.
    main.activateDocument(*main.documents().first());
    EXPECT_EQ(visibleMenuTitles(), mainMenus);
    EXPECT_EQ(toolbarEnabled(), withDocument);
    EXPECT_NE(main.activeDocument(), nullptr);
}

TEST_F(ScenarioWindowTest, CopyAndPasteTheActiveField)
{
    frmScenario &window = filledScenario();
    type(window.txtAnnualRate(), QStringLiteral("5.25"));
    window.mnuEditCopy_Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("5.25"));

    window.txtLoanAmount()->setFocus();
    struct Case
    {
        const char *clipboard;
        const char *field;
    };
    for (const Case &c : {Case {"$1,250.5", "1250.50"}, Case {"abc", "1250.50"}, Case {"-300", "1250.50"},
                          Case {"99999999999", "1250.50"}, Case {"80000", "80000.00"}}) {
        SCOPED_TRACE(c.clipboard);
        QGuiApplication::clipboard()->setText(QLatin1String(c.clipboard));
        window.mnuEditPaste_Click();
        EXPECT_EQ(window.txtLoanAmount()->text(), QLatin1String(c.field));
    }
    EXPECT_EQ(window.values().loanAmount(), 80000);
}

TEST_F(ScenarioWindowTest, ContainerFillsTheWindow)
{
    frmScenario &window = filledScenario();
    auto *frame = qobject_cast<QMdiSubWindow *>(window.parentWidget());
    ASSERT_NE(frame, nullptr);
    frame->resize(300, 200);
    EXPECT_EQ(window.Travina1()->geometry(), QRect(QPoint(0, 0), window.size()));
    // Too small for the calculator: the container scrolls over all of it.
    EXPECT_GT(window.Travina1()->virtualWidth(), window.width() * CTravinaCtrl::TwipsPerPixel);
    window.Travina1()->setVScroll(600);
    frame->resize(900, 600);
    EXPECT_EQ(window.Travina1()->geometry(), QRect(QPoint(0, 0), window.size()));
    EXPECT_EQ(window.Travina1()->vScroll(), 0);
}

TEST_F(ScenarioWindowTest, PrintoutHoldsTheWindowsTexts)
{
    frmScenario &window = filledScenario();
    type(window.txtTerm(), QStringLiteral("5"));
    m_dialogs.printFile = m_dir.filePath(QStringLiteral("scenario.pdf"));
    window.printAction()->trigger();
    EXPECT_EQ(m_dialogs.printShown, 1);
    EXPECT_FALSE(QFile::exists(m_dialogs.printFile)); // cancelled: nothing printed

    m_dialogs.printAnswer = true;
    window.printAction()->trigger();
    EXPECT_EQ(m_dialogs.printOffered.first, 1);
    EXPECT_EQ(m_dialogs.printOffered.last, 1);
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), m_dialogs.printFile, QStringLiteral("-")});
    ASSERT_TRUE(reader.waitForFinished(30000));
    const QString printed = QString::fromUtf8(reader.readAllStandardOutput());
    for (const char *text : {"Scenario", "Loan Amount:", "100000", "Semi-Annually (Canada)", "365.25",
                             "Comparison of Payment Frequencies", "Payment Frequency", "Term Ending Bal",
                             "Bi-Weekly(acc)", "0.4938622031%", "$639.81", "25 YR 0 MTH", "$89,836.47"}) {
        EXPECT_TRUE(printed.contains(QLatin1String(text))) << text << "\n" << printed.toStdString();
    }
}

// The program closes its documents first: a Cancel at any of their prompts leaves the calculator as it was.
TEST_F(ScenarioWindowTest, ACancelledShutdownKeepsTheScenario)
{
    app::MainWindow &main = start();
    frmScenario &window = filledScenario();
    main.NewDocument();
    main.NewDocument();
    // Below both documents, it would be closed before either prompt.
    main.mdiArea()->subWindowList().first()->lower();
    m_dialogs.answers = {ui::UserDialogs::No, ui::UserDialogs::Cancel};
    EXPECT_FALSE(main.close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(main.viewCommands().scenarioWindow(), &window);
    EXPECT_EQ(window.txtPayment()->text(), QStringLiteral("639.81"));
    EXPECT_EQ(main.documents().size(), 1);

    m_dialogs.answers = {ui::UserDialogs::No};
    EXPECT_TRUE(main.close());
    EXPECT_EQ(m_dialogs.messages.size(), 3);
}

// In the user's own locale a rate typed with the other convention's separator stays as typed and gives no payment;
// the keypad's decimal key types the locale's separator.
TEST_F(ScenarioWindowTest, FiguresAreTakenAsTheLocaleWritesThem)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::Canada));
    frmScenario &window = openScenario();
    type(window.txtLoanAmount(), QStringLiteral("100 000"));
    type(window.txtAmortization(), QStringLiteral("25"));
    type(window.txtAnnualRate(), QStringLiteral("6.5"));
    EXPECT_EQ(window.txtAnnualRate()->text(), QStringLiteral("6.5"));
    EXPECT_EQ(window.txtPayment()->text(), QString());
    type(window.txtAnnualRate(), QStringLiteral("6"));
    QTest::keyClick(window.txtAnnualRate(), Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(window.txtAnnualRate()->text(), QStringLiteral("6,"));
    type(window.txtAnnualRate(), QStringLiteral("6"));
    // 100,000 at 6 %, semi-annual compounding, monthly over 25 years.
    EXPECT_EQ(window.txtPayment()->text(), QStringLiteral("639,81"));
    QLocale::setDefault(previous);
}
