#pragma once

#include "engine/Prepayment.h"

#include <QDate>
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace engine {
struct LoanDocument;
class NumberFormat;
} // namespace engine
namespace ui {
class DateField;
}

namespace views {

// What breaking the mortgage, or prepaying an amount, on a date would cost under the document's prepayment terms: the
// engine's estimate with each formula, computed again as the fields change. The dialog changes nothing.
class BreakPenaltyDialog : public QDialog
{
    Q_OBJECT

public:
    // `loan`: computed, with prepayment terms. The date starts at the first payment after `today` (the last payment
    // when none is after it), the amount at the balance owed then, the comparison rate at the contract rate.
    BreakPenaltyDialog(const engine::LoanDocument &loan, const QDate &today, const engine::NumberFormat &format,
                       QWidget *parent = nullptr);

    // The request the fields make and the estimate shown for it.
    const engine::PenaltyRequest &request() const { return m_request; }
    const engine::PenaltyEstimate &estimate() const { return m_estimate; }
    // The rows shown as label<TAB>value lines (Ctrl+C in the table, Copy).
    QString rowsText() const;

    ui::DateField *date() const { return m_date; }
    QLineEdit *amount() const { return m_amount; }
    QLineEdit *comparisonRate() const { return m_comparisonRate; }
    QLineEdit *postedRate() const { return m_postedRate; }
    QTableWidget *rows() const { return m_rows; }
    QLabel *problem() const { return m_problem; }
    QPushButton *copyButton() const { return m_copy; }

public slots:
    // Reads the fields and shows the estimate, or why there is none.
    void recalculate();
    // The date changed: an amount the user has not typed follows the balance owed on it.
    void dateChosen();
    void copy();

private:
    void showRows();

    const engine::LoanDocument &m_loan;
    const engine::NumberFormat &m_format;
    engine::PenaltyRequest m_request;
    engine::PenaltyEstimate m_estimate;
    bool m_amountTyped = false;
    bool m_filling = false;

    ui::DateField *m_date = nullptr;
    QLineEdit *m_amount = nullptr;
    QLineEdit *m_comparisonRate = nullptr;
    QLineEdit *m_postedRate = nullptr;
    QTableWidget *m_rows = nullptr;
    QLabel *m_problem = nullptr;
    QPushButton *m_copy = nullptr;
};

} // namespace views
