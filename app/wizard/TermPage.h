#pragma once

#include "WizardPage.h"

class QGridLayout;
class QRadioButton;

namespace ui {
class DateField;
class UserDialogs;
} // namespace ui

namespace app {

// Step 4: the loan's first dates, the one the user fixes first, and the number of periods with the term and the last
// payment that follow from it.
class TermPage : public WizardPage
{
    Q_OBJECT

public:
    TermPage(engine::LoanTerms &terms, const engine::NumberFormat &format, ui::UserDialogs &dialogs,
             QWidget *parent = nullptr);

    void refresh(engine::LoanTerms::Fields fields) override;
    QWidget *firstControl() const override;

    QRadioButton *optAmountBorrowedOnDate() const { return m_optAmountBorrowedOnDate; }
    QRadioButton *optFirstPaymentOnDate() const { return m_optFirstPaymentOnDate; }
    QLabel *lblStartDate() const { return m_lblStartDate; }
    QLabel *lblFirstPaymentDue() const { return m_lblFirstPaymentDue; }
    ui::DateField *dtpStartDate() const { return m_dtpStartDate; }
    ui::DateField *dtpFirstPaymentDue() const { return m_dtpFirstPaymentDue; }
    QLineEdit *txtTermYearsMonths() const { return m_txtTermYearsMonths; }
    QLineEdit *txtTermMonths() const { return m_txtTermMonths; }
    QLineEdit *txtNumberOfPeriods() const { return m_txtNumberOfPeriods; }
    QLineEdit *txtLastPaymentDue() const { return m_txtLastPaymentDue; }

public slots:
    void optAmountBorrowedOnDate_Click();
    void optFirstPaymentOnDate_Click();
    void dtpStartDate_Change();
    void dtpFirstPaymentDue_Change();
    void txtNumberOfPeriods_Change();

private:
    void setStartPaymentOption(int option);
    void arrangeDates();
    void showDates();

    ui::UserDialogs &m_dialogs;
    int m_arrangedFor = -1; // the start-payment option the dates are arranged for
    QRadioButton *m_optAmountBorrowedOnDate = nullptr;
    QRadioButton *m_optFirstPaymentOnDate = nullptr;
    QGridLayout *m_datesGrid = nullptr;
    QLabel *m_lblStartDate = nullptr;
    QLabel *m_lblFirstPaymentDue = nullptr;
    ui::DateField *m_dtpStartDate = nullptr;
    ui::DateField *m_dtpFirstPaymentDue = nullptr;
    QLineEdit *m_txtTermYearsMonths = nullptr;
    QLineEdit *m_txtTermMonths = nullptr;
    QLineEdit *m_txtNumberOfPeriods = nullptr;
    QLineEdit *m_txtLastPaymentDue = nullptr;
};

} // namespace app
