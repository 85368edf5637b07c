#include "ReportCommands.h"

#include "Command.h"
#include "MainWindow.h"
#include "frmChild.h"

#include <QActionGroup>
#include <QMenu>

namespace app {

ReportCommands::ReportCommands(MainWindow &shell)
    : QObject(&shell)
    , m_shell(shell)
{
    yearEndReport = command(this, QStringLiteral("&Year End Report"), [this] { YearEndReport(); });
    yearEndMonth = new QMenu(QStringLiteral("Year End &Month"), &shell);
    yearEndMonth->setObjectName(QStringLiteral("mnuReportYearEndMonths"));
    m_months = new QActionGroup(this);
    const char *names[] = {"&January", "&February", "&March",     "&April",   "Ma&y",      "Ju&ne",
                           "Ju&ly",    "Au&gust",   "&September", "&October", "&November", "&December"};
    for (int month = 1; month <= 12; ++month) {
        QAction *item = command(this, QLatin1String(names[month - 1]), [this, month] { chooseMonth(month); });
        item->setCheckable(true);
        m_months->addAction(item);
        yearEndMonth->addAction(item);
        months << item;
    }
    months.last()->setChecked(true);
    closeYearEndReport = command(this, QStringLiteral("&Close Year End Report"), [this] { CloseYearEndReport(); });
}

void ReportCommands::update()
{
    const frmChild *document = m_shell.activeDocument();
    const bool shown = document && document->reportShown();
    yearEndReport->setEnabled(document && !shown);
    yearEndMonth->menuAction()->setEnabled(document);
    closeYearEndReport->setEnabled(shown);
}

int ReportCommands::closingMonth() const
{
    return int(months.indexOf(m_months->checkedAction())) + 1;
}

void ReportCommands::chooseMonth(int month)
{
    if (month < 1 || month > 12)
        return;
    months[month - 1]->setChecked(true);
    frmChild *document = m_shell.activeDocument();
    if (document && document->reportShown())
        document->YearEndReport(month);
}

void ReportCommands::YearEndReport()
{
    if (frmChild *document = m_shell.activeDocument())
        document->YearEndReport(closingMonth());
}

void ReportCommands::CloseYearEndReport()
{
    if (frmChild *document = m_shell.activeDocument())
        document->CloseYearEndReport();
}

} // namespace app
