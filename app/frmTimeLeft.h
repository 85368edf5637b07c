#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace engine {
struct LoanDocument;
class NumberFormat;
} // namespace engine
namespace ui {
class UserDialogs;
}

namespace app {

// How long the loan still runs, from a chosen date of the schedule, if that row's payment stays in force.
// Reads the document's schedule and changes nothing in it.
class frmTimeLeft : public QDialog
{
    Q_OBJECT

public:
    // Opens on the date of the schedule grid's row `gridRow` (row 0 is the start row).
    frmTimeLeft(const engine::LoanDocument &loan, const engine::NumberFormat &format, int gridRow,
                ui::UserDialogs &dialogs, QWidget *parent = nullptr);

    QComboBox *cboDate() const { return m_cboDate; }
    QLineEdit *txtYears() const { return m_txtYears; }
    QLineEdit *txtPayments() const { return m_txtPayments; }
    QLineEdit *txtLastPayment() const { return m_txtLastPayment; }
    QPushButton *cmdClose() const { return m_cmdClose; }

public slots:
    void Form_Load();
    void cboDate_Click();
    void cmdClose_Click();

private:
    const engine::LoanDocument &m_loan;
    const engine::NumberFormat &m_format;
    ui::UserDialogs &m_dialogs;
    int m_gridRow;
    QComboBox *m_cboDate = nullptr;
    QLineEdit *m_txtYears = nullptr;
    QLineEdit *m_txtPayments = nullptr;
    QLineEdit *m_txtLastPayment = nullptr;
    QPushButton *m_cmdClose = nullptr;
    bool m_loading = false;
};

} // namespace app
