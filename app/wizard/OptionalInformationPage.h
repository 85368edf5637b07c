#pragma once

#include "WizardPage.h"

class QPlainTextEdit;

namespace app {

// Step 2: the title and comments, and how a mortgage is financed: purchase price, down payment in percent or in
// dollars, the insurance premium and the amount borrowed.
class OptionalInformationPage : public WizardPage
{
    Q_OBJECT

public:
    OptionalInformationPage(engine::LoanTerms &terms, const engine::NumberFormat &format, QWidget *parent = nullptr);

    void refresh(engine::LoanTerms::Fields fields) override;
    QWidget *firstControl() const override;

    QLineEdit *txtTitle() const { return m_txtTitle; }
    QPlainTextEdit *txtComments() const { return m_txtComments; }
    QLineEdit *txtPurchasePrice() const { return m_txtPurchasePrice; }
    QLineEdit *txtDownPaymentPercent() const { return m_txtDownPaymentPercent; }
    QLineEdit *txtDownPaymentDollars() const { return m_txtDownPaymentDollars; }
    QLineEdit *txtCMHC() const { return m_txtCMHC; }
    QLineEdit *txtAmountBorrowed() const { return m_txtAmountBorrowed; }

public slots:
    void txtTitle_Change();
    void txtComments_Change();
    void txtPurchasePrice_Change();
    void txtDownPaymentPercent_Change();
    void txtDownPaymentDollars_Change();
    void txtCMHC_Change();
    void txtAmountBorrowed_Change();

private:
    QWidget *withUnit(QLineEdit *field, const QString &unit, QLineEdit *second = nullptr,
                      const QString &secondUnit = {});

    QLineEdit *m_txtTitle = nullptr;
    QPlainTextEdit *m_txtComments = nullptr;
    QLineEdit *m_txtPurchasePrice = nullptr;
    QLineEdit *m_txtDownPaymentPercent = nullptr;
    QLineEdit *m_txtDownPaymentDollars = nullptr;
    QLineEdit *m_txtCMHC = nullptr;
    QLineEdit *m_txtAmountBorrowed = nullptr;
};

} // namespace app
