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
// closing it again, and open loans compared side by side.
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

    QAction *yearEndReport = nullptr;
    QMenu *yearEndMonth = nullptr; // "&January" ... "&December"
    QList<QAction *> months;
    QAction *closeYearEndReport = nullptr;
    QAction *compareLoansAction = nullptr;

private:
    DocumentWindows &m_windows;
    DialogHost &m_host;
    QActionGroup *m_months = nullptr;
};

} // namespace app
