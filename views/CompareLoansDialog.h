#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QPushButton;
class QTreeWidget;

namespace views {

// Which of the open documents to compare: each listed by its title and file name with a check box; OK only while
// 2 to 4 are checked.
class CompareLoansDialog : public QDialog
{
    Q_OBJECT

public:
    struct Entry
    {
        QString title;
        QString fileName;
        QString path; // shown when the pointer rests on the file name
    };

    // The entries in the order listed; with no more than four, all start checked.
    explicit CompareLoansDialog(const QList<Entry> &entries, QWidget *parent = nullptr);

    // The positions of the checked entries, in list order.
    QList<int> chosen() const;
    void setChecked(int entry, bool checked);

    QTreeWidget *lstDocuments() const { return m_list; }
    QPushButton *cmdOK() const { return m_ok; }

private:
    void updateOk();

    QTreeWidget *m_list = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace views
