#pragma once

#include "engine/Renewal.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace engine {
struct LoanDocument;
class NumberFormat;
} // namespace engine

namespace views {

// What renewing a loan at the last payment of its term costs: the balance and amortization left, and for each rate
// of a list the payment that repays the balance over the amortization left, its change and the interest over a new
// term as long. The rates start at the engine's choice around the rate in force; the dialog changes nothing.
class RenewalDialog : public QDialog
{
    Q_OBJECT

public:
    // `loan`: computed, with a term shorter than its amortization.
    RenewalDialog(const engine::LoanDocument &loan, const engine::NumberFormat &format, QWidget *parent = nullptr);

    // The rates typed, as fractions; none when a rate does not read as a percent from 0 to 1000.
    std::optional<std::vector<double>> ratesTyped() const;
    const engine::Renewal &renewal() const { return m_renewal; }
    // The table shown, its header first, as tab-separated lines.
    QString tableText() const;

    QLineEdit *rates() const { return m_rates; }
    QLabel *facts() const { return m_facts; }
    QLabel *problem() const { return m_problem; }
    QTableWidget *table() const { return m_table; }
    QPushButton *copyButton() const { return m_copy; }

public slots:
    // Reads the rates and shows the renewal at them, or why there is none.
    void recalculate();
    void copy();

private:
    void showTable();
    // How the rates are separated: a semicolon where the locale's decimal separator is a comma.
    QString separator() const;

    const engine::LoanDocument &m_loan;
    const engine::NumberFormat &m_format;
    engine::Renewal m_renewal;
    std::vector<std::vector<std::string>> m_text;
    QLineEdit *m_rates = nullptr;
    QLabel *m_facts = nullptr;
    QLabel *m_problem = nullptr;
    QTableWidget *m_table = nullptr;
    QPushButton *m_copy = nullptr;
};

} // namespace views
