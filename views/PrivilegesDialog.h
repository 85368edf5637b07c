#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QPushButton;
class QTableWidget;

namespace engine {
struct LoanDocument;
class NumberFormat;
} // namespace engine

namespace views {

// The privilege years of a computed loan with prepayment terms, one row each: what it allowed, what was used, what
// was left and what was paid over. Read-only; Ctrl+C in the table and Copy copy it as tab-separated lines.
class PrivilegesDialog : public QDialog
{
    Q_OBJECT

public:
    PrivilegesDialog(const engine::LoanDocument &loan, const engine::NumberFormat &format, QWidget *parent = nullptr);

    // The table shown, its header first, as tab-separated lines.
    QString tableText() const;
    QTableWidget *table() const { return m_table; }
    QPushButton *copyButton() const { return m_copy; }

public slots:
    void copy();

private:
    std::vector<std::vector<std::string>> m_text;
    QTableWidget *m_table = nullptr;
    QPushButton *m_copy = nullptr;
};

} // namespace views
