#include "WizardTestSupport.h"
#include "support/QtPrinters.h"

#include "app/wizard/LoanDataPage.h"
#include "app/wizard/frmWizard.h"

#include <QApplication>
#include <QLineEdit>
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
