#include "MainWindow.h"

#include "DebugCommands.h"
#include "DocumentPrinting.h"
#include "EditCommands.h"
#include "FileCommands.h"
#include "FormatCommands.h"
#include "HelpCommands.h"
#include "Icons.h"
#include "LoanComparisonWindow.h"
#include "LocaleFormat.h"
#include "ProgressShown.h"
#include "ReportCommands.h"
#include "SettingsKeys.h"
#include "SettingsStore.h"
#include "ViewCommands.h"
#include "WindowCommands.h"
#include "WindowPlacement.h"
#include "frmChild.h"
#include "wizard/frmWizard.h"

#include "engine/Preferences.h"
#include "scenario/frmScenario.h"
#include "ui/BgrColor.h"
#include "ui/Twips.h"
#include "views/CellEditor.h"
#include "views/ScheduleView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

#include <algorithm>
#include <cmath>

namespace app {

MainWindow::MainWindow(SettingsStore &settings, ui::UserDialogs &dialogs, bool debug, QWidget *parent)
    : QMainWindow(parent)
    , m_settings(settings)
    , m_dialogs(dialogs)
    , m_runDialog([](QDialog &dialog) { return dialog.exec(); })
    , m_runWizard(
          [](MainWindow &window, frmChild &document) { return window.runWizard(document.loan(), false).finished; })
{
    // The desktop shows the program's name (kMainCaption) after a window's title, or alone when it has none: this
    // window has none of its own, so that it reads "Pellandra", and "loan.plr* — Pellandra" while a document is
    // maximized, whose frame then hands its title on.
    setWindowTitle(QString());
    m_mdi = new QMdiArea(this);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &MainWindow::subWindowActivated);

    m_printing = new DocumentPrinting(*this, *this, *this, this);
    connect(m_printing, &DocumentPrinting::previewShown, this, &MainWindow::setCommandsWithdrawn);
    m_file = new FileCommands(*this, *this, *this, *this, m_state, m_settings, *m_printing);
    m_edit = new EditCommands(*this, *this, this);
    m_view = new ViewCommands(*this, *this, m_settings, this);
    m_format = new FormatCommands(*this, *this, this);
    m_reportCommands = new ReportCommands(*this, *this, this);
    m_window = new WindowCommands(*this, this);
    m_help = new HelpCommands(*this, this);
    if (debug)
        m_debug = new DebugCommands(*this, this);
    createMenus();
    createToolBar();
    createStatusBar();
    // The bars are shown while their items are checked; not stored in the settings.
    connect(m_view->toolbar, &QAction::toggled, m_toolBar, &QWidget::setVisible);
    connect(m_view->statusBar, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    m_view->setScenarioCommands(scenarioCommands());
    connect(m_view, &ViewCommands::scenarioCreated, this, &MainWindow::scenarioCreated);
    restorePlacement();
    loadPreferences();
    m_file->LoadRecentFilesMenu();
    SetToolbar();
    m_loading = false;
}

MainWindow::~MainWindow()
{
    // The document windows go with the area; their activation, and the Scenario window's leaving, must not reach a
    // half-destroyed frame.
    disconnect(m_mdi, nullptr, this, nullptr);
    if (scenario::frmScenario *scenarioWindow = m_view->scenarioWindow())
        disconnect(scenarioWindow, nullptr, this, nullptr);
    // A comparison reads its documents in this frame's number format: it goes before either.
    qDeleteAll(m_mdi->findChildren<LoanComparisonWindow *>());
}

void MainWindow::loadPreferences()
{
    m_state.gstrDateFormat = storedDatePattern(m_settings);
    m_state.gintRowInterval = m_settings.intValue(kSettingsSection, kRowInterval, kDefaultRowInterval);
    m_state.glngRowIntervalColor = m_settings.intValue(kSettingsSection, kRowIntervalColor, kDefaultRowIntervalColor);
    m_state.gintScrollTrack = m_settings.intValue(kSettingsSection, kScrollTrack, kDefaultScrollTrack);
    m_numberFormat = numberFormatFor(QLocale());
    m_numberFormat.setDatePattern(m_state.gstrDateFormat.toStdString());
}

void MainWindow::restorePlacement()
{
    QRect placement;
    bool stored = false;
    for (const QString &key : {kMainLeft, kMainTop, kMainWidth, kMainHeight})
        stored = stored || !m_settings.value(kSettingsSection, key).isEmpty();
    if (!stored) {
        // The classic default of 6500 twips shows a third of the schedule's columns: a first start gets most of
        // the screen instead.
        placement = firstPlacement(screen()->availableGeometry());
    } else {
        const int left = m_settings.intValue(kSettingsSection, kMainLeft, kDefaultMainLeft);
        const int top = m_settings.intValue(kSettingsSection, kMainTop, kDefaultMainTop);
        const int width = m_settings.intValue(kSettingsSection, kMainWidth, kDefaultMainWidth);
        const int height = m_settings.intValue(kSettingsSection, kMainHeight, kDefaultMainHeight);
        // A placement kept from a screen that has gone would leave the window where nobody can reach it.
        QList<QRect> areas;
        for (const QScreen *each : QGuiApplication::screens())
            areas << each->availableGeometry();
        auto pixels = [](int twips) { return int(ui::pixelsFromTwips(twips)); };
        const std::optional<QRect> kept = storedPlacement(pixels(left), pixels(top), pixels(width), pixels(height));
        placement = kept ? placementOnScreens(*kept, areas) : firstPlacement(screen()->availableGeometry());
    }
    move(placement.topLeft());
    resize(placement.size());
    switch (m_settings.intValue(kSettingsSection, kMainWinState, kStateNormal)) {
    case kStateMaximized:
        setWindowState(Qt::WindowMaximized);
        break;
    case kStateMinimized:
        setWindowState(Qt::WindowMinimized);
        break;
    default:
        break;
    }
}

void MainWindow::savePlacement()
{
    if (m_loading)
        return;
    const Qt::WindowStates states = windowState();
    if (!(states & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))) {
        m_settings.setIntValue(kSettingsSection, kMainLeft, ui::twipsFromPixels(x()));
        m_settings.setIntValue(kSettingsSection, kMainTop, ui::twipsFromPixels(y()));
        m_settings.setIntValue(kSettingsSection, kMainWidth, ui::twipsFromPixels(width()));
        m_settings.setIntValue(kSettingsSection, kMainHeight, ui::twipsFromPixels(height()));
    }
    const int state = states & Qt::WindowMinimized ? kStateMinimized
        : states & Qt::WindowMaximized             ? kStateMaximized
                                                   : kStateNormal;
    m_settings.setIntValue(kSettingsSection, kMainWinState, state);
}

void MainWindow::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    savePlacement();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    savePlacement();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        savePlacement();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The program is not closed past the print preview: the request closes the preview.
    if (m_printing->preview()) {
        m_printing->closePreview();
        event->ignore();
        return;
    }
    // Every document window gets its save prompt; one Cancel keeps the program running. The windows that are no
    // documents (the Scenario, a comparison) go only once every document has, so that a Cancel leaves them open.
    QList<QPointer<QMdiSubWindow>> windows;
    for (QMdiSubWindow *window : m_mdi->subWindowList(QMdiArea::StackingOrder))
        windows << window;
    std::stable_partition(windows.begin(), windows.end(), [](const QPointer<QMdiSubWindow> &window) {
        return qobject_cast<frmChild *>(window->widget()) != nullptr;
    });
    for (const QPointer<QMdiSubWindow> &window : windows) {
        if (window && !window->close()) {
            event->ignore();
            return;
        }
    }
    savePlacement();
    event->accept();
}

void MainWindow::createMenus()
{
    auto addMenu = [this](const QString &title, const char *name, auto *commands) {
        QMenu *menu = menuBar()->addMenu(title);
        menu->setObjectName(QLatin1String(name));
        // Each menu's items are enabled for the documents open when it opens.
        connect(menu, &QMenu::aboutToShow, commands, [commands] { commands->update(); });
        m_menus << menu;
        return menu;
    };
    m_fileMenu = addMenu(QStringLiteral("&File"), "mnuFile", m_file);
    m_fileMenu->addActions({m_file->newDocument, m_file->open, m_file->close});
    m_fileMenu->addSeparator();
    m_fileMenu->addActions({m_file->save, m_file->saveAs});
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_file->properties);
    m_fileMenu->addSeparator();
    m_fileMenu->addActions({m_file->pageSetup, m_file->printPreview, m_file->print});
    m_fileMenu->addSeparator();
    m_fileMenu->addActions({m_file->exportPdf, m_file->exportCsv});
    m_file->createRecentFilesMenu(m_fileMenu);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_file->exit);

    QMenu *edit = addMenu(QStringLiteral("&Edit"), "mnuEdit", m_edit);
    edit->addActions({m_edit->undo, m_edit->redo});
    edit->addSeparator();
    edit->addActions({m_edit->cut, m_edit->copyAction, m_edit->pasteAction});
    edit->addSeparator();
    edit->addActions({m_edit->lumpSums, m_edit->prepaymentTerms, m_edit->matchStatementAction});

    QMenu *view = addMenu(QStringLiteral("&View"), "mnuView", m_view);
    view->addActions({m_view->details, m_view->summary});
    view->addSeparator();
    view->addActions({m_view->toolbar, m_view->statusBar});
    view->addSeparator();
    view->addActions({m_view->timeLeft, m_view->scenario});
    view->addSeparator();
    view->addAction(m_view->options);

    QMenu *format = addMenu(QStringLiteral("F&ormat"), "mnuFormat", m_format);
    format->addActions({m_format->alignLeft, m_format->center, m_format->alignRight});
    format->addSeparator();
    format->addAction(m_format->autoFitColumns);

    QMenu *report = addMenu(QStringLiteral("&Report"), "mnuReport", m_reportCommands);
    report->addAction(m_reportCommands->yearEndReport);
    report->addMenu(m_reportCommands->yearEndMonth);
    report->addSeparator();
    report->addAction(m_reportCommands->closeYearEndReport);
    report->addSeparator();
    report->addAction(m_reportCommands->compareLoansAction);
    report->addSeparator();
    report->addActions({m_reportCommands->breakPenalty, m_reportCommands->privileges, m_reportCommands->renewal});

    QMenu *window = addMenu(QStringLiteral("&Window"), "mnuWindow", m_window);
    window->addActions(
        {m_window->cascadeAction, m_window->tileHorizontal, m_window->tileVertical, m_window->arrangeIconsAction});
    connect(window, &QMenu::aboutToShow, m_window, [this, window] { m_window->listWindows(*window); });

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->addAction(m_help->contents);
    help->addSeparator();
    help->addAction(m_help->about);
    m_menus << help;

    if (m_debug) {
        QMenu *debug = menuBar()->addMenu(QStringLiteral("Debug"));
        debug->setObjectName(QStringLiteral("mnuDebug"));
        debug->addAction(m_debug->toggleHiddenGrids);
        m_menus << debug;
    }

    m_context = new QMenu(this);
    m_context->setObjectName(QStringLiteral("mnuContext1"));
}

scenario::SharedCommands MainWindow::scenarioCommands() const
{
    scenario::SharedCommands shared;
    shared.newDocument = m_file->newDocument;
    shared.open = m_file->open;
    shared.close = m_file->close;
    shared.recentFiles = m_file->recentActions();
    shared.exit = m_file->exit;
    shared.window = {m_window->cascadeAction, m_window->tileHorizontal, m_window->tileVertical,
                     m_window->arrangeIconsAction};
    shared.contents = m_help->contents;
    shared.about = m_help->about;
    return shared;
}

void MainWindow::scenarioCreated(scenario::frmScenario *scenarioWindow)
{
    // Its menus are enabled by the same rules as the main window's.
    connect(scenarioWindow->fileMenu(), &QMenu::aboutToShow, m_file, &FileCommands::update);
    connect(scenarioWindow->windowMenu(), &QMenu::aboutToShow, m_window, &WindowCommands::update);
    connect(scenarioWindow->windowMenu(), &QMenu::aboutToShow, m_window,
            [this, menu = scenarioWindow->windowMenu()] { m_window->listWindows(*menu); });
}

void MainWindow::createToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("Toolbar"));
    m_toolBar->setMovable(false);
    // The buttons in order, each named by its key.
    std::vector<std::pair<QAction *, const char *>> buttons = {{m_file->newDocument, "New"},
                                                               {m_file->open, "Open"},
                                                               {m_file->save, "Save"},
                                                               {m_file->print, "Print"},
                                                               {m_file->printPreview, "PrintPreview"},
                                                               {m_file->exportPdf, "ExportPdf"},
                                                               {m_file->exportCsv, "ExportCsv"},
                                                               {m_edit->copyAction, "Copy"},
                                                               {m_format->alignLeft, "Left"},
                                                               {m_format->center, "Center"},
                                                               {m_format->alignRight, "Right"},
                                                               {m_view->details, "DetailedView"},
                                                               {m_view->summary, "SummaryView"}};
    if (m_debug)
        buttons.emplace_back(m_debug->toggleHiddenGrids, "DebugGrid");
    for (const auto &[button, key] : buttons) {
        button->setObjectName(QLatin1String(key));
        m_toolBar->addAction(button);
    }
    for (QAction *button : {m_file->exportPdf, m_file->exportCsv})
        m_toolBar->widgetForAction(button)->setAccessibleName(button->toolTip());
}

QMenu *MainWindow::createPopupMenu()
{
    auto *menu = new QMenu(this);
    menu->addActions({m_view->toolbar, m_view->statusBar});
    return menu;
}

void MainWindow::SetToolbar()
{
    // While the Scenario window is active there is no document for the buttons to act on; a comparison in front
    // offers only what acts on it.
    const bool any = !documents().isEmpty() && !m_scenarioActive;
    const bool comparison = activeComparison() != nullptr;
    m_edit->update(); // its shortcuts work without the menu being opened
    for (QAction *button : m_toolBar->actions()) {
        if (button != m_file->newDocument && button != m_file->open)
            button->setEnabled(any
                               && (!comparison || button == m_edit->copyAction || button == m_file->print
                                   || button == m_file->printPreview || button == m_file->exportPdf
                                   || button == m_file->exportCsv));
    }
    m_file->update();
    m_window->update();
}

ui::UserDialogs::Button MainWindow::message(const QString &text, int buttons, ui::UserDialogs::Icon icon)
{
    return m_dialogs.message(this, kSettingsName, text, buttons, icon);
}

int MainWindow::activeSlot() const
{
    return m_active ? m_active->slot() : 0;
}

QList<frmChild *> MainWindow::documents() const
{
    QList<frmChild *> list;
    for (QMdiSubWindow *window : m_mdi->subWindowList()) {
        if (auto *child = qobject_cast<frmChild *>(window->widget()))
            list << child;
    }
    return list;
}

QMdiSubWindow *MainWindow::addSubWindow(QWidget *content, const QIcon &windowIcon)
{
    QMdiSubWindow *window = m_mdi->addSubWindow(content);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // The frame's own Close keys would make File > Close's ambiguous, and an ambiguous key does nothing.
    if (QMenu *frameMenu = window->systemMenu()) {
        for (QAction *item : frameMenu->actions())
            item->setShortcuts({});
    }
    window->setWindowIcon(windowIcon);
    return window;
}

frmChild *MainWindow::openDocumentWindow(const QString &caption)
{
    return createDocumentWindow(m_slots.GetFreeDocSlot(), caption);
}

frmChild *MainWindow::createDocumentWindow(int slot, const QString &caption)
{
    auto *child = new frmChild(slot, m_numberFormat, *this, *this, m_state.gstrLastDirectory);
    child->view()->setPreferences(viewPreferences());
    connect(child->view(), &views::ScheduleView::contextMenuRequested, this, &MainWindow::showContextMenu);
    connect(child->view(), &views::ScheduleView::viewChanged, this, &MainWindow::CheckSelectedView);
    // Ctrl+Z and Ctrl+Y follow the stack, not only the state it had when the Edit menu was last opened.
    connect(child->undoStack(), &QUndoStack::indexChanged, m_edit, &EditCommands::update);
    connect(child, &frmChild::closing, this, [this, child](int windowState) { documentClosed(*child, windowState); });
    m_file->guardClosing(*child);
    m_slots.setWindow(slot, child);
    QMdiSubWindow *window = addSubWindow(child, icon(IconKind::DetailedView));
    setDocumentCaption(*child, caption);
    // The area placed the window by the size it came with: at its full size it could reach past the area's edges.
    std::optional<QRect> active;
    if (QMdiSubWindow *current = m_mdi->currentSubWindow(); current && current != window && !current->isMinimized())
        active = current->geometry();
    window->setGeometry(newDocumentPlacement(m_mdi->viewport()->size(), active, m_window->cascadeStep()));
    m_state.gintChildWinState = m_settings.intValue(kSettingsSection, kChildWinState, kStateNormal);
    switch (m_state.gintChildWinState) {
    case kStateMaximized:
        window->showMaximized();
        break;
    case kStateMinimized:
        window->showMinimized();
        break;
    default:
        window->show();
        break;
    }
    activateDocument(*child);
    CheckSelectedView();
    return child;
}

void MainWindow::setDocumentCaption(frmChild &window, const QString &caption)
{
    window.setWindowTitle(caption);
    // The frame marks a document with changes not saved, and hands the mark on to this window's title while it is
    // maximized.
    if (QWidget *frame = window.parentWidget()) {
        frame->setWindowTitle(caption + QStringLiteral("[*]"));
        frame->setWindowModified(window.isWindowModified());
    }
    // A loan without a title of its own is known by its file name wherever it is shown.
    emit window.scheduleShown();
}

void MainWindow::activateDocument(frmChild &window)
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(window.parentWidget())) {
        m_mdi->setActiveSubWindow(frame);
        subWindowActivated(frame);
    }
    m_active = &window;
}

LoanComparisonWindow *MainWindow::activeComparison() const
{
    QMdiSubWindow *window = m_mdi->currentSubWindow();
    return window ? qobject_cast<LoanComparisonWindow *>(window->widget()) : nullptr;
}

void MainWindow::subWindowActivated(QMdiSubWindow *window)
{
    QWidget *content = window ? window->widget() : nullptr;
    if (auto *child = qobject_cast<frmChild *>(content))
        m_active = child;
    else if (qobject_cast<LoanComparisonWindow *>(content))
        m_active = nullptr;
    // The first status panel speaks of the current cell of the document in front, and of nothing without one.
    if (window) {
        setCellStatus(QString());
        if (auto *child = qobject_cast<frmChild *>(content))
            child->view()->cellEditor()->showStatus();
    }
    // The area reports no active window when the program loses the focus too: what was active stays in charge then.
    if (window || !m_view->scenarioWindow()) {
        const bool scenarioShown = qobject_cast<scenario::frmScenario *>(content) != nullptr;
        if (scenarioShown)
            m_active = nullptr; // the document commands have nothing to act on
        if (scenarioShown != m_scenarioActive) {
            m_scenarioActive = scenarioShown;
            showMenus(scenarioShown ? qobject_cast<scenario::frmScenario *>(content)->menus() : QList<QMenu *>());
        }
    }
    CheckSelectedView();
    SetToolbar();
}

void MainWindow::showMenus(const QList<QMenu *> &scenarioMenus)
{
    for (QMenu *menu : scenarioMenus) {
        if (!menuBar()->actions().contains(menu->menuAction()))
            menuBar()->addMenu(menu);
    }
    for (QAction *title : menuBar()->actions()) {
        const bool own = std::any_of(m_menus.cbegin(), m_menus.cend(),
                                     [title](const QMenu *menu) { return menu->menuAction() == title; });
        title->setVisible(scenarioMenus.isEmpty() ? own : !own);
    }
}

void MainWindow::setCommandsWithdrawn(bool withdrawn)
{
    if (withdrawn)
        m_toolBarWasShown = m_toolBar->isVisible();
    menuBar()->setVisible(!withdrawn);
    // Hidden, they take their keys with them.
    m_toolBar->setVisible(!withdrawn && m_toolBarWasShown);
}

void MainWindow::CheckSelectedView()
{
    m_view->CheckSelectedView();
}

void MainWindow::showContextMenu(const QPoint &globalPosition)
{
    m_file->update();
    m_edit->update();
    m_view->update();
    m_format->update();
    // The document's pop-up menu: items of the menus above, each running its menu's command.
    m_context->clear();
    auto add = [this](QAction *command, const QString &text) {
        QAction *item = m_context->addAction(text);
        item->setEnabled(command->isEnabled());
        item->setCheckable(command->isCheckable());
        item->setChecked(command->isChecked());
        connect(item, &QAction::triggered, command, &QAction::trigger);
    };
    add(m_edit->undo, m_edit->undo->text());
    add(m_edit->redo, m_edit->redo->text());
    m_context->addSeparator();
    add(m_edit->cut, QStringLiteral("Cu&t"));
    add(m_edit->copyAction, QStringLiteral("&Copy"));
    add(m_edit->pasteAction, QStringLiteral("&Paste"));
    m_context->addSeparator();
    add(m_edit->lumpSums, QStringLiteral("&Lump Sum"));
    m_context->addSeparator();
    add(m_format->autoFitColumns, QStringLiteral("&AutoFit Columns"));
    m_context->addSeparator();
    add(m_view->timeLeft, QStringLiteral("&Time Left to Amortize"));
    add(m_view->scenario, QStringLiteral("Sce&nario"));
    m_context->addSeparator();
    add(m_view->details, QStringLiteral("&Detailed View"));
    add(m_view->summary, QStringLiteral("&Summary View"));
    m_context->addSeparator();
    add(m_file->properties, QStringLiteral("Propert&ies"));
    if (!globalPosition.isNull())
        m_context->popup(globalPosition);
}

views::ViewPreferences MainWindow::viewPreferences() const
{
    views::ViewPreferences preferences;
    preferences.rowInterval = m_state.gintRowInterval;
    preferences.rowIntervalColor = ui::colorFromBgr(m_state.glngRowIntervalColor);
    preferences.scrollTrack = m_state.gintScrollTrack != 0;
    return preferences;
}

engine::Preferences MainWindow::preferences() const
{
    engine::Preferences preferences;
    preferences.dateFormat = m_state.gstrDateFormat.toStdString();
    preferences.rowInterval = m_state.gintRowInterval;
    preferences.rowIntervalColor = m_state.glngRowIntervalColor;
    preferences.scrollTrack = m_state.gintScrollTrack != 0;
    return preferences;
}

void MainWindow::applyPreferences(const engine::Preferences &chosen)
{
    const engine::Preferences before = preferences();
    const QList<frmChild *> windows = documents();
    for (frmChild *window : windows)
        window->gridMain1()->setUpdatesEnabled(false);
    if (chosen.dateFormat != before.dateFormat) {
        m_state.gstrDateFormat = QString::fromStdString(chosen.dateFormat);
        m_settings.setValue(kSettingsSection, kDateFormatString, m_state.gstrDateFormat);
        m_numberFormat.setDatePattern(chosen.dateFormat);
        for (frmChild *window : windows)
            window->dateFormatChanged();
    }
    const bool shading = chosen.rowInterval != before.rowInterval || chosen.rowIntervalColor != before.rowIntervalColor;
    if (shading) {
        m_state.gintRowInterval = chosen.rowInterval;
        m_state.glngRowIntervalColor = chosen.rowIntervalColor;
        m_settings.setIntValue(kSettingsSection, kRowInterval, chosen.rowInterval);
        m_settings.setIntValue(kSettingsSection, kRowIntervalColor, chosen.rowIntervalColor);
    }
    const bool scrollTrack = chosen.scrollTrack != before.scrollTrack;
    if (scrollTrack) {
        m_state.gintScrollTrack = chosen.scrollTrack ? 1 : 0;
        m_settings.setIntValue(kSettingsSection, kScrollTrack, m_state.gintScrollTrack);
    }
    for (frmChild *window : windows) {
        if (shading || scrollTrack)
            window->view()->setPreferences(viewPreferences());
        window->gridMain1()->setUpdatesEnabled(true);
    }
}

void MainWindow::documentClosed(frmChild &window, int windowState)
{
    m_slots.release(window.slot());
    if (m_active == &window) {
        m_active = nullptr;
        for (frmChild *other : documents()) {
            if (other != &window)
                m_active = other;
        }
    }
    // Nothing is left to speak of a document that has gone.
    if (!m_active) {
        setCellStatus(QString());
        CheckSelectedView();
    }
    m_settings.setIntValue(kSettingsSection, kChildWinState, windowState);
    // The window leaves the area after this returns; update the buttons once it has.
    QTimer::singleShot(0, this, &MainWindow::SetToolbar);
}

void MainWindow::NewDocument()
{
    const int slot = m_slots.GetFreeDocSlot();
    const QString caption = QStringLiteral("Untitled%1").arg(slot);
    const QPointer<QMdiSubWindow> previous = m_mdi->activeSubWindow();
    frmChild *window = createDocumentWindow(slot, caption);
    window->setUntitled(true);
    // A new document is unsaved whatever is undone.
    window->setModified(true);
    window->data().columns.init(true);
    window->loan().gstrFileName = caption.toStdString();

    const bool accepted = m_runWizard ? m_runWizard(*this, *window) : true;
    if (!accepted) {
        window->discard();
        // The area would activate whichever window it lists next: the user goes back to the one they were on.
        if (previous && m_mdi->subWindowList().contains(previous)) {
            if (auto *before = qobject_cast<frmChild *>(previous->widget())) {
                activateDocument(*before);
            } else {
                m_mdi->setActiveSubWindow(previous);
                subWindowActivated(previous);
            }
        }
        return;
    }
    {
        // The schedule fills the bar to 80, fitting the columns the rest.
        ProgressShown progress(*this, 80);
        window->Calculate();
        progress.nextSegment(100);
        window->AutoSizeMainGrid();
    }
    SetToolbar();
    window->data().print.applyDefaults();
}

WizardResult MainWindow::runWizard(engine::LoanDocument &loan, bool propertiesMode)
{
    frmWizard wizard(loan, propertiesMode, m_settings, m_dialogs, m_numberFormat, m_clock, this);
    runDialog(wizard);
    const frmWizard::Result result = wizard.outcome();
    if (result.finished || result.documentChanged)
        loan = wizard.document();
    return result;
}

QDate MainWindow::today() const
{
    return m_clock ? m_clock() : QDate::currentDate();
}

int MainWindow::runDialog(QDialog &dialog)
{
    return m_runDialog(dialog);
}

void MainWindow::setDialogRunner(DialogRunner runner)
{
    m_runDialog = runner ? std::move(runner) : DialogRunner([](QDialog &dialog) { return dialog.exec(); });
}

} // namespace app
