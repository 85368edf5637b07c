#pragma once

#include "WizardPage.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace app {

class SettingsStore;

// Step 1: the loan type and its compounding, and the wizard's two options (skip the optional step, tooltips), which
// are stored as they change.
class LoanTypePage : public WizardPage
{
    Q_OBJECT

public:
    LoanTypePage(engine::LoanTerms &terms, const engine::NumberFormat &format, SettingsStore &settings,
                 QWidget *parent = nullptr);

    void refresh(engine::LoanTerms::Fields fields) override;
    QWidget *firstControl() const override;

    QRadioButton *optPersonalLoan() const { return m_optPersonalLoan; }
    QRadioButton *optMortgageLoan() const { return m_optMortgageLoan; }
    QComboBox *cboCompounding() const { return m_cboCompounding; }
    QCheckBox *chkSkipOptional() const { return m_chkSkipOptional; }
    QCheckBox *chkToolTip() const { return m_chkToolTip; }

public slots:
    void optPersonalLoan_Click();
    void optMortgageLoan_Click();
    void cboCompounding_Click();
    void chkSkipOptional_Click();
    void chkToolTip_Click();

signals:
    void toolTipsSwitched(bool shown);

private:
    void setLoanType(int loanType);
    void showLoanType();

    SettingsStore &m_settings;
    int m_shownLoanType = -1; // the loan type the compounding list was filled for
    QRadioButton *m_optPersonalLoan = nullptr;
    QRadioButton *m_optMortgageLoan = nullptr;
    QComboBox *m_cboCompounding = nullptr;
    QCheckBox *m_chkSkipOptional = nullptr;
    QCheckBox *m_chkToolTip = nullptr;
};

} // namespace app
