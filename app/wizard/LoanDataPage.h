#pragma once

#include "WizardPage.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QToolButton;

namespace app {

// Step 3: the four main quantities, one of them calculated from the other three, with the frequency and the year
// length that turn them into periods, and whether each period's interest is rounded to the cent.
class LoanDataPage : public WizardPage
{
    Q_OBJECT

public:
    using CalculatedField = engine::CalculatedField;

    LoanDataPage(engine::LoanTerms &terms, const engine::NumberFormat &format, QWidget *parent = nullptr);

    void refresh(engine::LoanTerms::Fields fields) override;
    QWidget *firstControl() const override;

    QLineEdit *txtLoanAmount() const { return m_txtLoanAmount; }
    QLineEdit *txtAnnualRate() const { return m_txtAnnualRate; }
    QLineEdit *txtPeriodicRate() const { return m_txtPeriodicRate; }
    QLineEdit *txtAmortization() const { return m_txtAmortization; }
    QComboBox *cboAmortUnit() const { return m_cboAmortUnit; }
    QComboBox *cboFrequency() const { return m_cboFrequency; }
    QLineEdit *txtBasicPayment() const { return m_txtBasicPayment; }
    QComboBox *cboPeriodsPerYear() const { return m_cboPeriodsPerYear; }
    QToolButton *cmdCalculate(CalculatedField field) const;
    QLabel *lblCalculatedField() const { return m_lblCalculatedField; }
    QCheckBox *chkRoundInterest() const { return m_chkRoundInterest; }

public slots:
    void txtLoanAmount_Change();
    void txtAnnualRate_Change();
    void txtAmortization_Change();
    void txtBasicPayment_Change();
    void cboAmortUnit_Click();
    void cboFrequency_Click();
    void cboPeriodsPerYear_Click();
    void chkRoundInterest_Click();
    void cmdCalcLoanAmount_Click();
    void cmdCalcInterestRate_Click();
    void cmdCalcAmortization_Click();
    void cmdCalcBasicPayment_Click();

private:
    void calculate(CalculatedField field);
    void showChoices();

    QLineEdit *m_txtLoanAmount = nullptr;
    QLineEdit *m_txtAnnualRate = nullptr;
    QLineEdit *m_txtPeriodicRate = nullptr;
    QLineEdit *m_txtAmortization = nullptr;
    QComboBox *m_cboAmortUnit = nullptr;
    QComboBox *m_cboFrequency = nullptr;
    QLineEdit *m_txtBasicPayment = nullptr;
    QComboBox *m_cboPeriodsPerYear = nullptr;
    QButtonGroup *m_calculators = nullptr;
    QLabel *m_lblCalculatedField = nullptr;
    QCheckBox *m_chkRoundInterest = nullptr;
};

} // namespace app
