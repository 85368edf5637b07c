#include "WizardTestSupport.h"
#include "support/QtPrinters.h"

#include "app/LocaleFormat.h"
#include "app/wizard/LoanDataPage.h"
#include "app/wizard/TermPage.h"
#include "app/wizard/frmWizard.h"
#include "ui/DateField.h"

#include <QApplication>
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
    // `format`: the conventions of the user's numbers, the main window's when none is given.
    frmWizard &onLoanData(const engine::NumberFormat *format = nullptr)
    {
        start();
        m_wizard = std::make_unique<frmWizard>(newWindow().loan(), false, *m_settings, m_dialogs,
                                               format ? *format : m_window->numberFormat(), &DataEntryTest::today,
                                               m_window.get());
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

    // Then the lists (Periods per Year waits for a weekly frequency), the rounding of interest, and only then a
    // calculator button.
    QStringList visited;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited.mid(0, 3),
              (QStringList {QStringLiteral("cboAmortUnit"), QStringLiteral("cboFrequency"),
                            QStringLiteral("chkRoundInterest")}));
    EXPECT_TRUE(visited.value(3).startsWith(QLatin1String("cmdCalc"))) << visited.value(3).toStdString();
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

// Typed key by key in the user's own locale, a figure with the other convention's separators stays as typed and gives
// no number; the keypad's decimal key types the locale's separator.
TEST_F(WizardKeyboardTest, FiguresAreTakenAsTheLocaleWritesThem)
{
    const engine::NumberFormat french = app::numberFormatFor(QLocale(QLocale::French, QLocale::Canada));
    const engine::NumberFormat german = app::numberFormatFor(QLocale(QLocale::German, QLocale::Germany));
    const engine::NumberFormat english = app::numberFormatFor(QLocale(QLocale::English, QLocale::UnitedStates));
    struct Case
    {
        const engine::NumberFormat &format;
        const char *amount;
        const char *rate;
        std::optional<double> amountValue, rateValue;
    };
    for (const Case &c : {
             Case {french, "250000.5", "5.25", std::nullopt, std::nullopt},
             Case {french, "250000,5", "5,25", 250000.5, 5.25},
             Case {french, "250 000,5", "5,25", 250000.5, 5.25}, // a plain space groups as the no-break one does
             Case {german, "250.000,5", "5,25", 250000.5, 5.25},
             Case {german, "1,234.56", "5.25", std::nullopt, std::nullopt},
             Case {english, "1234,56", "5,25", std::nullopt, std::nullopt},
             Case {english, "250,000.5", "5.25", 250000.5, 5.25},
         }) {
        SCOPED_TRACE(c.amount);
        frmWizard &wizard = onLoanData(&c.format);
        LoanDataPage *page = wizard.loanDataPage();
        QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(c.amount));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(c.rate));
        EXPECT_EQ(page->txtLoanAmount()->text(), QString::fromUtf8(c.amount));
        EXPECT_EQ(page->txtAnnualRate()->text(), QString::fromUtf8(c.rate));
        EXPECT_EQ(page->value(page->txtLoanAmount()), c.amountValue);
        EXPECT_EQ(page->value(page->txtAnnualRate()), c.rateValue);
        m_wizard.reset();
        stop();
    }
    frmWizard &wizard = onLoanData(&french);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("250000"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
    EXPECT_EQ(wizard.loanDataPage()->txtLoanAmount()->text(), QStringLiteral("250000,5"));
    EXPECT_EQ(wizard.loanDataPage()->value(wizard.loanDataPage()->txtLoanAmount()), 250000.5);
}

// The term step's dates typed from the keyboard are taken as typed; one that does not exist is refused with a message
// and the date it had comes back.
TEST_F(WizardKeyboardTest, TypedDatesAreTakenAsTyped)
{
    frmWizard &wizard = onLoanData();
    wizard.loanDataPage()->txtLoanAmount()->setText(QStringLiteral("100000"));
    wizard.loanDataPage()->txtAnnualRate()->setText(QStringLiteral("6"));
    wizard.loanDataPage()->txtAmortization()->setText(QStringLiteral("25"));
    wizard.cmdNext_Click();
    ASSERT_EQ(wizard.step(), frmWizard::StepTerm);
    TermPage *term = wizard.termPage();
    auto clickInto = [](QWidget *field) {
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(10, field->height() / 2));
        EXPECT_TRUE(field->hasFocus());
    };
    clickInto(term->dtpFirstPaymentDue());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1/31/2027"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(term->dtpFirstPaymentDue()->date(), QDate(2027, 1, 31));
    EXPECT_EQ(term->dtpFirstPaymentDue()->text(), QStringLiteral("1/31/2027"));
    EXPECT_TRUE(m_dialogs.texts().isEmpty());

    clickInto(term->dtpStartDate());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12/15/2026"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(term->dtpStartDate()->date(), QDate(2026, 12, 15));
    EXPECT_TRUE(m_dialogs.texts().isEmpty());

    const QDate start = term->dtpStartDate()->date();
    clickInto(term->dtpStartDate());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2/30/2026"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(m_dialogs.texts(),
              QStringList {
                  QStringLiteral("\"2/30/2026\" is not a date. Type the date as M/d/yyyy: 12/15/2026, for example.")});
    EXPECT_EQ(term->dtpStartDate()->date(), start);
    EXPECT_EQ(term->dtpStartDate()->text(), QStringLiteral("12/15/2026"));
    EXPECT_EQ(term->dtpFirstPaymentDue()->date(), QDate(2027, 1, 31));
}

// On the term step Tab goes through the two dates, the one the user fixes first, then the option chosen, the number of
// periods and the buttons, and comes back to the dates; the dialog's tab order is that one.
TEST_F(WizardKeyboardTest, TabOnTheTermStepStartsWithTheDates)
{
    struct Case
    {
        const char *name;
        const char *choose; // the option clicked, none for the one the wizard opens with
        QStringList order;
    };
    const QStringList rest = {QStringLiteral("txtNumberOfPeriods"), QStringLiteral("cmdBack"),
                              QStringLiteral("cmdNext"), QStringLiteral("cmdCancel")};
    for (const Case &c : {Case {"as the wizard opens", nullptr,
                                QStringList {QStringLiteral("dtpFirstPaymentDue"), QStringLiteral("dtpStartDate"),
                                             QStringLiteral("optFirstPaymentOnDate")}
                                    + rest},
                          Case {"the day the money is lent chosen", "optAmountBorrowedOnDate",
                                QStringList {QStringLiteral("dtpStartDate"), QStringLiteral("dtpFirstPaymentDue"),
                                             QStringLiteral("optAmountBorrowedOnDate")}
                                    + rest}}) {
        SCOPED_TRACE(c.name);
        frmWizard &wizard = onLoanData();
        wizard.loanDataPage()->txtLoanAmount()->setText(QStringLiteral("100000"));
        wizard.loanDataPage()->txtAnnualRate()->setText(QStringLiteral("6"));
        wizard.loanDataPage()->txtAmortization()->setText(QStringLiteral("25"));
        QTest::keyClick(wizard.cmdNext(), Qt::Key_Space);
        ASSERT_EQ(wizard.step(), frmWizard::StepTerm);
        if (c.choose) {
            wizard.termPage()->findChild<QRadioButton *>(QLatin1String(c.choose))->click();
            wizard.termPage()->firstControl()->setFocus();
        }

        QStringList chain;
        for (QWidget *w = wizard.nextInFocusChain(); w != &wizard; w = w->nextInFocusChain()) {
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
                chain << w->objectName();
        }
        EXPECT_EQ(chain.join(QLatin1Char(' ')).toStdString(), c.order.join(QLatin1Char(' ')).toStdString());

        QStringList visited {QApplication::focusWidget()->objectName()};
        for (qsizetype i = 0; i < c.order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        EXPECT_EQ(visited.join(QLatin1Char(' ')).toStdString(),
                  (c.order + QStringList {c.order.first()}).join(QLatin1Char(' ')).toStdString());
        m_wizard.reset();
        stop();
    }
}
