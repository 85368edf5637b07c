#pragma once

#include "WizardTestSupport.h"

#include "app/FileCommands.h"
#include "app/wizard/LoanDataPage.h"
#include "app/wizard/LoanTypePage.h"
#include "app/wizard/OptionalInformationPage.h"
#include "app/wizard/TermPage.h"
#include "app/wizard/frmWizard.h"

#include "engine/NumberFormat.h"
#include "support/Dates.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>

using Field = engine::CalculatedField;

inline const QString kCaption1 = QStringLiteral("Loan Data Wizard - Loan Type");
inline const QString kCaption2 = QStringLiteral("Loan Data Wizard - Optional Information");
inline const QString kCaption3 = QStringLiteral("Loan Data Wizard - Loan Data");
inline const QString kCaption4 = QStringLiteral("Loan Data Wizard - Term Information");

// A format that marks every amount of a schedule's texts, until a new calculation gives the schedule its own.
inline engine::NumberFormat markedFormat()
{
    engine::NumberFormat format;
    format.currencyPrefix = "untouched $";
    return format;
}

inline QStringList items(const QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

class WizardTest : public DataEntryTest
{
protected:
    void TearDown() override
    {
        m_wizard.reset(); // before the window that owns it
        DataEntryTest::TearDown();
    }

    // The wizard on a new, empty document window.
    app::frmWizard &newWizard()
    {
        if (!m_window)
            start();
        m_document = &newWindow();
        m_wizard.reset();
        m_wizard = std::make_unique<app::frmWizard>(m_document->loan(), false, *m_settings, m_dialogs,
                                                    m_window->numberFormat(), &DataEntryTest::today, m_window.get());
        return *m_wizard;
    }
    // Opens a copy of an example document; its schedule is computed on opening.
    app::frmChild &openExample(const char *name)
    {
        if (!m_window)
            start();
        const QString path = m_dir.filePath(QLatin1String(name));
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(examplePath(name), path));
        m_window->files().OpenPath(path);
        EXPECT_NE(m_window->activeDocument(), nullptr);
        return *m_window->activeDocument();
    }
    // To the loan data step with the main fields set (an empty text leaves a field alone).
    static void loanData(app::frmWizard &wizard, const QString &amount, const QString &rate, const QString &length,
                         const QString &payment = {})
    {
        while (wizard.step() < app::frmWizard::StepLoanData)
            wizard.cmdNext_Click();
        if (!amount.isEmpty())
            wizard.loanDataPage()->txtLoanAmount()->setText(amount);
        if (!rate.isEmpty())
            wizard.loanDataPage()->txtAnnualRate()->setText(rate);
        if (!length.isEmpty())
            wizard.loanDataPage()->txtAmortization()->setText(length);
        if (!payment.isEmpty())
            wizard.loanDataPage()->txtBasicPayment()->setText(payment);
    }
    static double number(const app::frmWizard &wizard, const QLineEdit *field)
    {
        return wizard.loanDataPage()->value(field).value_or(-1);
    }

    app::frmChild *m_document = nullptr;
    std::unique_ptr<app::frmWizard> m_wizard;
};
