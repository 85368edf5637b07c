#include "ReportCommands.h"

#include "Command.h"
#include "DialogHost.h"
#include "DocumentWindows.h"
#include "Icons.h"
#include "LoanComparisonWindow.h"
#include "frmChild.h"

#include "engine/LoanComparison.h"
#include "engine/Schedule.h"
#include "views/BreakPenaltyDialog.h"
#include "views/CompareLoansDialog.h"
#include "views/PrivilegesDialog.h"
#include "views/RenewalDialog.h"

#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace app {

namespace {

// A loan whose term ends before its amortization does has a balance to renew.
bool renewable(const engine::LoanDocument &loan)
{
    return loan.glngAmortization > 0 && !engine::termCoversAmortization(loan);
}

} // namespace

ReportCommands::ReportCommands(DocumentWindows &windows, DialogHost &host, QObject *parent)
    : QObject(parent)
    , m_windows(windows)
    , m_host(host)
{
    yearEndReport = command(this, QStringLiteral("&Year End Report"), [this] { YearEndReport(); });
    yearEndMonth = new QMenu(QStringLiteral("Year End &Month"), m_host.dialogParent());
    yearEndMonth->setObjectName(QStringLiteral("mnuReportYearEndMonths"));
    m_months = new QActionGroup(this);
    // June's access key is its "u": "n" is November's.
    const char *names[] = {"&January", "&February", "&March",     "&April",   "Ma&y",      "J&une",
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
    compareLoansAction = command(this, QStringLiteral("Compare &Loans..."), [this] { compareLoans(); });
    breakPenalty = command(this, tr("&Break Penalty..."), [this] { showBreakPenalty(); });
    privileges = command(this, tr("Prepayment &Privileges"), [this] { showPrivileges(); });
    renewal = command(this, tr("&Renewal..."), [this] { showRenewal(); });
}

void ReportCommands::update()
{
    const frmChild *document = m_windows.activeDocument();
    const bool shown = document && document->reportShown();
    yearEndReport->setEnabled(document && !shown);
    yearEndMonth->menuAction()->setEnabled(document);
    closeYearEndReport->setEnabled(shown);
    compareLoansAction->setEnabled(m_windows.documents().size() >= qsizetype(engine::kFewestComparedLoans));
    const bool terms = document && document->loan().prepaymentTerms;
    breakPenalty->setEnabled(terms);
    privileges->setEnabled(terms);
    renewal->setEnabled(document && renewable(document->loan()));
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
    frmChild *document = m_windows.activeDocument();
    if (document && document->reportShown())
        document->YearEndReport(month);
}

void ReportCommands::YearEndReport()
{
    if (frmChild *document = m_windows.activeDocument())
        document->YearEndReport(closingMonth());
}

void ReportCommands::CloseYearEndReport()
{
    if (frmChild *document = m_windows.activeDocument())
        document->CloseYearEndReport();
}

void ReportCommands::compareLoans()
{
    QList<frmChild *> documents = m_windows.documents();
    if (frmChild *active = m_windows.activeDocument()) {
        documents.removeOne(active);
        documents.prepend(active);
    }
    QList<views::CompareLoansDialog::Entry> entries;
    for (const frmChild *document : documents) {
        const QString path = QString::fromStdString(document->loan().gstrFileName);
        entries.append({QString::fromStdString(document->loan().gstrTitle), document->windowTitle(), path});
    }
    views::CompareLoansDialog dialog(entries, m_host.dialogParent());
    if (m_host.runDialog(dialog) != QDialog::Accepted)
        return;
    QList<frmChild *> chosen;
    for (int entry : dialog.chosen())
        chosen << documents.value(entry);
    if (!engine::canCompare(std::size_t(chosen.size())))
        return;

    auto *comparison = new LoanComparisonWindow(chosen, m_windows.numberFormat());
    QMdiSubWindow *frame = m_windows.addSubWindow(comparison, icon(IconKind::SummaryView));
    const QSize room = m_windows.mdiArea()->viewport()->size();
    const QSize wanted = comparison->sizeHint() + (frame->size() - frame->contentsRect().size());
    frame->resize(wanted.boundedTo(room));
    frame->show();
    // Where the area put it, the table might reach past its edges.
    if (!QRect(QPoint(0, 0), room).contains(frame->geometry()))
        frame->move(0, 0);
    m_windows.mdiArea()->setActiveSubWindow(frame);
}

void ReportCommands::showBreakPenalty()
{
    const frmChild *document = m_windows.activeDocument();
    if (!document || !document->loan().prepaymentTerms)
        return;
    views::BreakPenaltyDialog dialog(document->loan(), m_host.today(), m_windows.numberFormat(), m_host.dialogParent());
    m_host.runDialog(dialog);
}

void ReportCommands::showPrivileges()
{
    const frmChild *document = m_windows.activeDocument();
    if (!document || !document->loan().prepaymentTerms)
        return;
    views::PrivilegesDialog dialog(document->loan(), m_windows.numberFormat(), m_host.dialogParent());
    m_host.runDialog(dialog);
}

void ReportCommands::showRenewal()
{
    const frmChild *document = m_windows.activeDocument();
    if (!document || !renewable(document->loan()))
        return;
    views::RenewalDialog dialog(document->loan(), m_windows.numberFormat(), m_host.dialogParent());
    m_host.runDialog(dialog);
}

} // namespace app
