#include "WizardTestSupport.h"
#include "support/QtPrinters.h"

#include "app/wizard/LoanDataPage.h"
#include "app/wizard/TermPage.h"
#include "app/wizard/frmWizard.h"
#include "ui/DateField.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace app;

namespace {

class WizardKeyboardTest : public DataEntryTest
{
protected:
    void TearDown() override
    {
        m_wizard.reset();
        DataEntryTest::TearDown();
    }
    // The wizard of a new document on its loan data step, shown and active as a user has it.
    frmWizard &onLoanData()
    {
        start();
        m_wizard = std::make_unique<frmWizard>(newWindow().loan(), false, *m_settings, m_dialogs,
                                               m_window->numberFormat(), &DataEntryTest::today, m_window.get());
        m_wizard->show();
        QApplication::setActiveWindow(m_wizard.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_wizard.get()));
        while (m_wizard->step() < frmWizard::StepLoanData)
            m_wizard->cmdNext_Click();
        return *m_wizard;
    }

    std::unique_ptr<frmWizard> m_wizard;
};

} // namespace

// Tab goes from field to field; the calculator buttons come after the fields.
TEST_F(WizardKeyboardTest, TabGoesFieldToField)
{
    frmWizard &wizard = onLoanData();
    ASSERT_EQ(QApplication::focusWidget(), wizard.loanDataPage()->txtLoanAmount());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("10000"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("25"));
    EXPECT_EQ(wizard.loanDataPage()->txtLoanAmount()->text(), QStringLiteral("10000"));
    EXPECT_EQ(wizard.loanDataPage()->txtAnnualRate()->text(), QStringLiteral("5"));
    EXPECT_EQ(wizard.loanDataPage()->txtAmortization()->text(), QStringLiteral("25"));

    // Then the lists (Periods per Year waits for a weekly frequency), and only then a calculator button.
    QStringList visited;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited.mid(0, 2), (QStringList {QStringLiteral("cboAmortUnit"), QStringLiteral("cboFrequency")}));
    EXPECT_TRUE(visited.value(2).startsWith(QLatin1String("cmdCalc"))) << visited.value(2).toStdString();
}

// The periodic rate takes no typing, and looks it.
TEST_F(WizardKeyboardTest, PeriodicRateLooksReadOnly)
{
    frmWizard &wizard = onLoanData();
    const QPalette shown = wizard.loanDataPage()->txtPeriodicRate()->palette();
    EXPECT_EQ(shown.color(QPalette::Base), wizard.palette().color(QPalette::Window));
    EXPECT_NE(wizard.loanDataPage()->txtLoanAmount()->palette().color(QPalette::Base), shown.color(QPalette::Base));
}

// Enter in a date field finishes with the dates the page shows, as clicking Finish does: a first payment that only
// follows the day the money was lent is not taken as one the user chose.
TEST_F(WizardKeyboardTest, EnterInADateFieldKeepsTheDatesShown)
{
    for (const bool enter : {false, true}) {
        SCOPED_TRACE(enter ? "Enter in the first payment" : "Finish clicked");
        frmWizard &wizard = onLoanData();
        wizard.loanDataPage()->txtLoanAmount()->setText(QStringLiteral("50000"));
        wizard.loanDataPage()->txtAnnualRate()->setText(QStringLiteral("10"));
        wizard.loanDataPage()->txtAmortization()->setText(QStringLiteral("5"));
        wizard.cmdNext_Click();
        TermPage &page = *wizard.termPage();
        page.optAmountBorrowedOnDate()->setChecked(true);
        page.dtpStartDate()->setDate(QDate(2027, 1, 31));
        ASSERT_EQ(page.dtpFirstPaymentDue()->date(), QDate(2027, 2, 28));
        if (enter) {
            page.dtpFirstPaymentDue()->setFocus();
            QTest::keyClick(page.dtpFirstPaymentDue(), Qt::Key_Return);
        } else {
            QTest::mouseClick(wizard.cmdNext(), Qt::LeftButton);
        }
        ASSERT_TRUE(wizard.outcome().finished);
        EXPECT_EQ(wizard.document().gdtmStartDate, ui::toSerial(QDate(2027, 1, 31)));
        EXPECT_EQ(wizard.document().gdtmFirstPaymentDue, ui::toSerial(QDate(2027, 1, 31)));
        m_wizard.reset();
        stop();
    }
}
