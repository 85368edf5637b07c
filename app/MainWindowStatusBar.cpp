// The status bar: the cell and page panels, the date and time, and the progress bar of a long calculation.
#include "MainWindow.h"
#include "ViewCommands.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace app {

void MainWindow::createStatusBar()
{
    m_cellPanel = new QLabel(this);
    m_pagePanel = new QLabel(this);
    m_datePanel = new QLabel(this);
    m_datePanel->setToolTip(QStringLiteral("Current Date"));
    m_timePanel = new QLabel(this);
    m_timePanel->setToolTip(QStringLiteral("Current Time"));
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(false);
    m_progress->hide();
    statusBar()->addWidget(m_cellPanel, 1);
    statusBar()->addWidget(m_pagePanel);
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

void MainWindow::setCellStatus(const QString &text)
{
    m_cellPanel->setText(text);
}

QString MainWindow::cellStatus() const
{
    return m_cellPanel->text();
}

void MainWindow::setPageStatus(const QString &text)
{
    m_pagePanel->setText(text);
}

QString MainWindow::pageStatus() const
{
    return m_pagePanel->text();
}

void MainWindow::ShowProgressBar(bool show)
{
    m_progress->setMaximum(100);
    m_progress->setValue(0);
    m_progress->setVisible(show);
    m_cellPanel->setVisible(!show);
    m_datePanel->setVisible(!show);
    m_timePanel->setVisible(!show);
    // A long computation shows its progress even to a user who has hidden the status bar.
    if (!m_view->statusBar->isChecked())
        statusBar()->setVisible(show);
    m_progressLow = 0;
    m_progressHigh = 100;
    m_progressRange = 100;
    if (show)
        m_busy.emplace();
    else
        m_busy.reset();
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

} // namespace app
