#pragma once

#include <QList>
#include <QObject>

class QAction;
class QActionGroup;
class QMenu;

namespace app {

class DialogHost;
class DocumentWindows;

// The Report menu: the year-end report of the active document for the closing month checked in Year End Month,
// closing it again, open loans compared side by side, and under the active document's prepayment terms the estimate
// of a break penalty and the privilege years.
class ReportCommands : public QObject
{
    Q_OBJECT

public:
    ReportCommands(DocumentWindows &windows, DialogHost &host, QObject *parent);

    void update();
    // The checked month, 1..12; December at start, not stored.
    int closingMonth() const;
    // Checks `month` (1..12); the active document's report, when shown, is made again for it.
    void chooseMonth(int month);
    void YearEndReport();
    void CloseYearEndReport();
    // Asks which open documents to compare (the active one listed first) and opens a Loan Comparison window on them.
    void compareLoans();
    // Report > Break Penalty and Prepayment Privileges, on the active document with prepayment terms.
    void showBreakPenalty();
    void showPrivileges();
    // Report > Renewal, on the active document whose term is shorter than its amortization.
    void showRenewal();

    QAction *yearEndReport = nullptr;
    QMenu *yearEndMonth = nullptr; // "&January" ... "&December"
    QList<QAction *> months;
    QAction *closeYearEndReport = nullptr;
    QAction *compareLoansAction = nullptr;
    QAction *breakPenalty = nullptr;
    QAction *privileges = nullptr;
    QAction *renewal = nullptr;

private:
    DocumentWindows &m_windows;
    DialogHost &m_host;
    QActionGroup *m_months = nullptr;
};

} // namespace app
