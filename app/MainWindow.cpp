#include "MainWindow.h"

#include "DataEntryCommands.h"
#include "FileCommands.h"
#include "Icons.h"
#include "LocaleFormat.h"
#include "SettingsKeys.h"
#include "SettingsStore.h"
#include "ViewCommands.h"
#include "WindowPlacement.h"
#include "frmChild.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include <cmath>

namespace app {

namespace {

const QString kNoHelpMessage =
    QStringLiteral("Unable to display Help Contents. There is no Help associated with this project.");

} // namespace

MainWindow::MainWindow(SettingsStore &settings, UserDialogs &dialogs, bool debug, QWidget *parent)
    : QMainWindow(parent)
    , m_settings(settings)
    , m_dialogs(dialogs)
    , m_files(std::make_unique<FileCommands>(*this))
{
    setWindowTitle(QStringLiteral("Pellandra"));
    m_mdi = new QMdiArea(this);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &MainWindow::subWindowActivated);

    createActions(debug);
    createMenus(debug);
    m_views = new ViewCommands(*this);
    m_views->install();
    createStatusBar();
    installDataEntryCommands(*this);
    restorePlacement();
    loadPreferences();
    m_files->LoadRecentFilesMenu();
    SetToolbar();
    m_loading = false;
}

MainWindow::~MainWindow()
{
    // The document windows go with the area; their activation must not reach a half-destroyed frame.
    disconnect(m_mdi, nullptr, this, nullptr);
}

void MainWindow::loadPreferences()
{
    m_state.gstrDateFormat =
        m_settings.value(kSettingsSection, kDateFormatString, QString::fromLatin1(engine::kDefaultDatePattern));
    m_state.gintRowInterval = m_settings.intValue(kSettingsSection, kRowInterval, kDefaultRowInterval);
    m_state.glngRowIntervalColor = m_settings.intValue(kSettingsSection, kRowIntervalColor, kDefaultRowIntervalColor);
    m_state.gintScrollTrack = m_settings.intValue(kSettingsSection, kScrollTrack, kDefaultScrollTrack);
    m_format = numberFormatFor(QLocale());
    m_format.setDatePattern(m_state.gstrDateFormat.toStdString());
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
        placement =
            placementOnScreens(QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, std::max(width / kTwipsPerPixel, 200),
                                     std::max(height / kTwipsPerPixel, 150)),
                               areas);
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
        m_settings.setIntValue(kSettingsSection, kMainLeft, x() * kTwipsPerPixel);
        m_settings.setIntValue(kSettingsSection, kMainTop, y() * kTwipsPerPixel);
        m_settings.setIntValue(kSettingsSection, kMainWidth, width() * kTwipsPerPixel);
        m_settings.setIntValue(kSettingsSection, kMainHeight, height() * kTwipsPerPixel);
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
    // Every document window gets its save prompt; one Cancel keeps the program running.
    for (QMdiSubWindow *window : m_mdi->subWindowList(QMdiArea::StackingOrder)) {
        if (!window->close()) {
            event->ignore();
            return;
        }
    }
    savePlacement();
    event->accept();
}

QAction *MainWindow::addAction(const QString &name, const QString &text, void (MainWindow::*slot)())
{
    auto *action = new QAction(text, this);
    action->setObjectName(name);
    if (slot)
        connect(action, &QAction::triggered, this, slot);
    return action;
}

QAction *MainWindow::action(const QString &name) const
{
    return findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}

void MainWindow::createActions(bool debug)
{
    QAction *newAction = addAction(QStringLiteral("New"), QStringLiteral("&New"), &MainWindow::NewDocument);
    newAction->setIcon(icon(IconKind::New));
    newAction->setToolTip(QStringLiteral("New"));
    newAction->setShortcut(QKeySequence::New);
    QAction *open = addAction(QStringLiteral("Open"), QStringLiteral("&Open"), nullptr);
    open->setIcon(icon(IconKind::Open));
    open->setToolTip(QStringLiteral("Open"));
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, [this] { m_files->OpenWithDialog(); });
    QAction *close = addAction(QStringLiteral("Close"), QStringLiteral("&Close"), nullptr);
    close->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::CTRL | Qt::Key_F4)});
    connect(close, &QAction::triggered, this, [this] {
        if (QMdiSubWindow *window = m_mdi->currentSubWindow())
            window->close();
    });
    QAction *save = addAction(QStringLiteral("Save"), QStringLiteral("&Save"), nullptr);
    save->setIcon(icon(IconKind::Save));
    save->setToolTip(QStringLiteral("Save"));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, [this] { m_files->SaveDocument(); });
    QAction *saveAs = addAction(QStringLiteral("SaveAs"), QStringLiteral("Save &As..."), nullptr);
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(saveAs, &QAction::triggered, this, [this] { m_files->SaveDocumentAs(); });
    addAction(QStringLiteral("Exit"), QStringLiteral("E&xit"), nullptr)->setMenuRole(QAction::QuitRole);
    connect(action(QStringLiteral("Exit")), &QAction::triggered, this, &QWidget::close);

    addAction(QStringLiteral("Undo"), QStringLiteral("&Undo"), nullptr);
    addAction(QStringLiteral("Cut"), QStringLiteral("Cu&t"), nullptr);

    for (const auto &[name, text] : {std::pair {"Toolbar", "&Toolbar"}, std::pair {"StatusBar", "Status &Bar"}}) {
        QAction *toggle = addAction(QLatin1String(name), QLatin1String(text), nullptr);
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    connect(action(QStringLiteral("Toolbar")), &QAction::toggled, this, [this](bool on) { m_toolBar->setVisible(on); });
    connect(action(QStringLiteral("StatusBar")), &QAction::toggled, this,
            [this](bool on) { statusBar()->setVisible(on); });

    QAction *cascade = addAction(QStringLiteral("Cascade"), QStringLiteral("&Cascade"), nullptr);
    connect(cascade, &QAction::triggered, this, &MainWindow::cascade);
    QAction *tileH = addAction(QStringLiteral("TileHorizontal"), QStringLiteral("Tile &Horizontal"), nullptr);
    connect(tileH, &QAction::triggered, this, [this] { tileEvenly(Qt::Vertical); });
    QAction *tileV = addAction(QStringLiteral("TileVertical"), QStringLiteral("Tile &Vertical"), nullptr);
    connect(tileV, &QAction::triggered, this, [this] { tileEvenly(Qt::Horizontal); });
    QAction *arrange = addAction(QStringLiteral("ArrangeIcons"), QStringLiteral("&Arrange Icons"), nullptr);
    connect(arrange, &QAction::triggered, this, [this] {
        // The minimised windows in a row along the bottom of the area, left to right.
        const int bottom = m_mdi->viewport()->height();
        int x = 0;
        for (QMdiSubWindow *window : m_mdi->subWindowList()) {
            if (!window->isMinimized())
                continue;
            window->move(x, bottom - window->height());
            x += window->width();
        }
    });

    addAction(QStringLiteral("Contents"), QStringLiteral("&Contents"), &MainWindow::showHelpContents)
        ->setShortcut(QKeySequence::HelpContents);
    addAction(QStringLiteral("About"), QStringLiteral("&About Pellandra..."), &MainWindow::showAbout);

    if (debug) {
        QAction *toggle = addAction(QStringLiteral("DebugGrid"), QStringLiteral("Toggle Hidden Grids"), nullptr);
        toggle->setIcon(icon(IconKind::Debug));
        toggle->setToolTip(QStringLiteral("Toggle Hidden Grids"));
        connect(toggle, &QAction::triggered, this, [this] {
            if (m_active)
                m_active->toggleHiddenGrids();
        });
    }
}

void MainWindow::tileEvenly(Qt::Orientation direction)
{
    // Windows one after the other in `direction` (vertical: one above the other), sharing the area evenly.
    const QList<QMdiSubWindow *> windows = m_mdi->subWindowList();
    const QSize area = m_mdi->viewport()->size();
    const int length = direction == Qt::Vertical ? area.height() : area.width();
    int at = 0;
    for (int i = 0; i < windows.size(); ++i) {
        const int size = (length - at) / int(windows.size() - i);
        windows[i]->showNormal();
        if (direction == Qt::Vertical)
            windows[i]->setGeometry(0, at, area.width(), size);
        else
            windows[i]->setGeometry(at, 0, size, area.height());
        at += size;
    }
}

int MainWindow::cascadeStep() const
{
    // One title bar: each window's caption shows below the one before.
    return m_mdi->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, m_mdi);
}

void MainWindow::cascade()
{
    // The area's own cascade sizes each window by the size it prefers, which leaves a document window a bare title
    // bar. Minimised windows keep their places.
    QList<QMdiSubWindow *> windows = m_mdi->subWindowList(QMdiArea::StackingOrder);
    windows.removeIf([](const QMdiSubWindow *window) { return window->isMinimized(); });
    const QList<QRect> placements = cascadePlacements(m_mdi->viewport()->size(), int(windows.size()), cascadeStep());
    for (qsizetype i = 0; i < windows.size(); ++i) {
        windows[i]->showNormal();
        windows[i]->setGeometry(placements[i]);
        windows[i]->raise();
    }
}

void MainWindow::createMenus(bool debug)
{
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    m_fileMenu->setObjectName(QStringLiteral("mnuFile"));
    m_fileMenu->addAction(action(QStringLiteral("New")));
    m_fileMenu->addAction(action(QStringLiteral("Open")));
    m_fileMenu->addAction(action(QStringLiteral("Close")));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(action(QStringLiteral("Save")));
    m_fileMenu->addAction(action(QStringLiteral("SaveAs")));
    m_files->createRecentFilesMenu(m_fileMenu);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(action(QStringLiteral("Exit")));
    connect(m_fileMenu, &QMenu::aboutToShow, this, &MainWindow::updateFileMenu);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    edit->addAction(action(QStringLiteral("Undo")));
    edit->addSeparator();
    edit->addAction(action(QStringLiteral("Cut")));
    // Undo and Cut have nothing to act on in a computed schedule.
    connect(edit, &QMenu::aboutToShow, this, [this] {
        action(QStringLiteral("Undo"))->setEnabled(false);
        action(QStringLiteral("Cut"))->setEnabled(false);
    });

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    view->addAction(action(QStringLiteral("Toolbar")));
    view->addAction(action(QStringLiteral("StatusBar")));

    m_windowMenu = menuBar()->addMenu(QStringLiteral("&Window"));
    m_windowMenu->setObjectName(QStringLiteral("mnuWindow"));
    for (const char *name : {"Cascade", "TileHorizontal", "TileVertical", "ArrangeIcons"})
        m_windowMenu->addAction(action(QLatin1String(name)));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &MainWindow::updateWindowMenu);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->addAction(action(QStringLiteral("Contents")));
    help->addSeparator();
    help->addAction(action(QStringLiteral("About")));

    if (debug) {
        QMenu *debugMenu = menuBar()->addMenu(QStringLiteral("Debug"));
        debugMenu->setObjectName(QStringLiteral("mnuDebug"));
        debugMenu->addAction(action(QStringLiteral("DebugGrid")));
    }

    m_toolBar = addToolBar(QStringLiteral("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("Toolbar"));
    m_toolBar->setMovable(false);
    for (const char *name : {"New", "Open", "Save"})
        m_toolBar->addAction(action(QLatin1String(name)));
    if (debug)
        m_toolBar->addAction(action(QStringLiteral("DebugGrid")));
}

void MainWindow::createStatusBar()
{
    m_cellPanel = new QLabel(this);
    m_datePanel = new QLabel(this);
    m_datePanel->setToolTip(QStringLiteral("Current Date"));
    m_timePanel = new QLabel(this);
    m_timePanel->setToolTip(QStringLiteral("Current Time"));
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(false);
    m_progress->hide();
    statusBar()->addWidget(m_cellPanel, 1);
    statusBar()->addWidget(m_progress, 1);
    statusBar()->addPermanentWidget(m_datePanel);
    statusBar()->addPermanentWidget(m_timePanel);
    auto refresh = [this] {
        const QDateTime now = QDateTime::currentDateTime();
        m_datePanel->setText(QLocale().toString(now.date(), QLocale::ShortFormat));
        m_timePanel->setText(QLocale().toString(now.time(), QLocale::ShortFormat));
    };
    refresh();
    auto *clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, refresh);
    clock->start(1000);
}

void MainWindow::updateFileMenu()
{
    const bool any = !documents().isEmpty();
    for (const char *name : {"Close", "Save", "SaveAs"})
        action(QLatin1String(name))->setEnabled(any);
}

void MainWindow::updateWindowMenu()
{
    const bool any = !documents().isEmpty();
    for (const char *name : {"Cascade", "TileHorizontal", "TileVertical", "ArrangeIcons"})
        action(QLatin1String(name))->setEnabled(any);
}

void MainWindow::SetToolbar()
{
    const bool any = !documents().isEmpty();
    for (QAction *button : m_toolBar->actions()) {
        const QString name = button->objectName();
        if (name != QLatin1String("New") && name != QLatin1String("Open"))
            button->setEnabled(any);
    }
    updateFileMenu();
    updateWindowMenu();
}

UserDialogs::Button MainWindow::message(const QString &text, int buttons, UserDialogs::Icon icon)
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

frmChild *MainWindow::createDocumentWindow(int slot, const QString &caption)
{
    auto *child = new frmChild(*this, slot);
    m_slots.setWindow(slot, child);
    QMdiSubWindow *window = m_mdi->addSubWindow(child);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // The frame's own Close keys would make File > Close's ambiguous, and an ambiguous key does nothing.
    if (QMenu *frameMenu = window->systemMenu()) {
        for (QAction *item : frameMenu->actions())
            item->setShortcuts({});
    }
    window->setWindowIcon(icon(IconKind::DetailedView));
    setDocumentCaption(*child, caption);
    // The area placed the window by the size it came with: at its full size it could reach past the area's edges.
    std::optional<QRect> active;
    if (QMdiSubWindow *current = m_mdi->currentSubWindow(); current && current != window && !current->isMinimized())
        active = current->geometry();
    window->setGeometry(newDocumentPlacement(m_mdi->viewport()->size(), active, cascadeStep()));
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
    if (QWidget *frame = window.parentWidget())
        frame->setWindowTitle(caption);
}

void MainWindow::activateDocument(frmChild &window)
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(window.parentWidget()))
        m_mdi->setActiveSubWindow(frame);
    m_active = &window;
}

void MainWindow::subWindowActivated(QMdiSubWindow *window)
{
    if (auto *child = window ? qobject_cast<frmChild *>(window->widget()) : nullptr)
        m_active = child;
    CheckSelectedView();
}

void MainWindow::setCellStatus(const QString &text)
{
    m_cellPanel->setText(text);
}

QString MainWindow::cellStatus() const
{
    return m_cellPanel->text();
}

void MainWindow::CheckSelectedView()
{
    m_views->CheckSelectedView();
}

void MainWindow::showContextMenu(const QPoint &globalPosition)
{
    m_views->showContextMenu(globalPosition);
}

views::ViewPreferences MainWindow::viewPreferences() const
{
    views::ViewPreferences preferences;
    preferences.rowInterval = m_state.gintRowInterval;
    // Colours are stored with blue in the high byte.
    const int bgr = m_state.glngRowIntervalColor;
    preferences.rowIntervalColor = QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    preferences.scrollTrack = m_state.gintScrollTrack != 0;
    return preferences;
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
    m_state.gblnWizardCancelled = false;
    // The window leaves the area after this returns; update the buttons once it has.
    QTimer::singleShot(0, this, &MainWindow::SetToolbar);
}

void MainWindow::NewDocument()
{
    const int slot = m_slots.GetFreeDocSlot();
    m_slots.state(slot).blnModified = true;
    m_slots.state(slot).blnUntitled = true;
    const QString caption = QStringLiteral("Untitled%1").arg(slot);
    const QPointer<QMdiSubWindow> previous = m_mdi->activeSubWindow();
    frmChild *window = createDocumentWindow(slot, caption);
    window->data().columns.init(true);
    window->loan().gstrFileName = caption.toStdString();

    m_state.gblnWizardCancelled = false;
    m_state.gblnPropertiesMode = false;
    const bool accepted = m_runWizard ? m_runWizard(*this, *window) : true;
    if (!accepted) {
        m_state.gblnWizardCancelled = true;
        if (auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget()))
            frame->close();
        // The area would activate whichever window it lists next: the user goes back to the one they were on.
        if (previous && m_mdi->subWindowList().contains(previous)) {
            if (auto *before = qobject_cast<frmChild *>(previous->widget()))
                activateDocument(*before);
        }
        return;
    }
    ShowProgressBar(true);
    SetProgressBarUbound(80);
    window->Calculate();
    SetProgressBarUbound(100);
    window->AutoSizeMainGrid();
    ShowProgressBar(false);
    SetToolbar();
    window->data().print.applyDefaults();
}

void MainWindow::ShowProgressBar(bool show)
{
    m_progress->setMaximum(100);
    m_progress->setValue(0);
    m_progress->setVisible(show);
    m_cellPanel->setVisible(!show);
    m_datePanel->setVisible(!show);
    m_timePanel->setVisible(!show);
    m_progressLow = 0;
    m_progressHigh = 100;
    m_progressRange = 100;
    if (show)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void MainWindow::SetProgressBarUbound(int upper)
{
    m_progressLow = m_progress->value();
    m_progressHigh = upper;
    m_progressRange = upper - m_progressLow;
}

void MainWindow::SetProgressBar(int done, int total)
{
    if (total <= 0)
        return;
    const int value = int(std::trunc(m_progressLow + done / (double(total) / m_progressRange)));
    const int clamped = std::clamp(value, 0, 100);
    if (clamped != m_progress->value()) {
        m_progress->setValue(clamped);
        m_progress->repaint();
    }
}

int MainWindow::progressValue() const
{
    return m_progress->value();
}

bool MainWindow::progressShown() const
{
    return !m_progress->isHidden();
}

void MainWindow::showHelpContents()
{
    message(kNoHelpMessage, UserDialogs::Ok, UserDialogs::Icon::Information);
}

void MainWindow::showAbout()
{
    m_dialogs.about(this, QStringLiteral("About Pellandra"),
                    QStringLiteral("<h3>Pellandra %1</h3><p>Loan amortization schedules: mortgages with Canadian or "
                                   "U.S. compounding, personal loans, rate and payment changes and lump-sum "
                                   "prepayments.</p>")
                        .arg(QLatin1String(PELLANDRA_VERSION)));
}

} // namespace app
