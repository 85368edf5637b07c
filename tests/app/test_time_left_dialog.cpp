#include "WizardTestSupport.h"

#include "app/FileCommands.h"
#include "app/frmTimeLeft.h"

#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"
#include "support/Dates.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

using namespace app;

namespace {

class TimeLeftDialogTest : public DataEntryTest
{
protected:
    // The car loan example: 32,000 over 60 monthly payments from 15 February 2026, no start date.
    frmChild &openCarLoan()
    {
        if (!m_window)
            start();
        const QString path = m_dir.filePath(QStringLiteral("car-loan.plr"));
        EXPECT_TRUE(QFile::copy(examplePath("car-loan.plr"), path));
        m_window->files().OpenPath(path);
        return *m_window->activeDocument();
    }
    // The same dates with round numbers: 1,200 at 0 % in twelve payments of 100, so that every row's answer is
    // its ending balance divided by 100.
    frmChild &openInterestFreeLoan()
    {
        frmChild &document = openCarLoan();
        engine::LoanDocument &loan = document.loan();
        loan.gdblLoanAmount = 1200;
        loan.gdblAnnualRate = 0;
        loan.gdblBasicPayment = 100;
        loan.mdblNperTerm = 12;
        document.Calculate();
        return document;
    }
    // The grid's current row, which the dialog opens on.
    static int currentRow(frmChild &document)
    {
        const QModelIndex current = document.gridMain1()->currentIndex();
        return current.isValid() ? current.row() : 0;
    }
    void selectGridRow(frmChild &document, int row)
    {
        QTableView *grid = document.gridMain1();
        grid->setCurrentIndex(grid->model()->index(row, 1));
    }
};

} // namespace

TEST_F(TimeLeftDialogTest, ShowsTheLabelsAndEveryDateOfTheSchedule)
{
    frmChild &document = openInterestFreeLoan();
    frmTimeLeft dialog(document.loan(), m_window->numberFormat(), currentRow(document), m_dialogs);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Number of Years/Payments Left"));
    QStringList labels;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        labels << label->text();
    EXPECT_EQ(labels,
              (QStringList {QStringLiteral("Number of years/payments Left to Amortize the Loan"),
                            QStringLiteral("Select the starting date:"), QStringLiteral("Years Left:"),
                            QStringLiteral("Payments Left:"), QStringLiteral("Last Payment Due:")}));
    EXPECT_EQ(dialog.cmdClose()->text(), QStringLiteral("Close"));
    // The start row and the twelve payments, in the program's date format.
    ASSERT_EQ(dialog.cboDate()->count(), 13);
    EXPECT_EQ(dialog.cboDate()->itemText(0), QStringLiteral("1/15/2026"));
    EXPECT_EQ(dialog.cboDate()->itemText(1), QStringLiteral("2/15/2026"));
    EXPECT_EQ(dialog.cboDate()->itemText(12), QStringLiteral("1/15/2027"));
    for (QLineEdit *field : {dialog.txtYears(), dialog.txtPayments(), dialog.txtLastPayment()})
        EXPECT_TRUE(field->isReadOnly());
}

// 1,200 at 0 % in payments of 100: after the payment of row r the balance is 1200 - 100 r, so (1200 - 100 r) / 100
// payments are left, the last one that many months after the row's date.
TEST_F(TimeLeftDialogTest, OpensOnTheGridsRowAndFollowsTheSelection)
{
    struct Case
    {
        int gridRow; // the grid's current row when the dialog opens; -1 for none
        int listIndex;
        QString years, payments, last;
    };
    frmChild &document = openInterestFreeLoan();
    for (const Case &c : {
             // The start row has no payment: the first payment row answers for it.
             Case {-1, 0, QStringLiteral("11 Months "), QStringLiteral("11"), QStringLiteral("1/15/2027")},
             Case {0, 0, QStringLiteral("11 Months "), QStringLiteral("11"), QStringLiteral("1/15/2027")},
             Case {3, 3, QStringLiteral("9 Months "), QStringLiteral("9"), QStringLiteral("1/15/2027")},
             // Paid off: nothing left, and the last payment is the row's own.
             Case {12, 12, QString(), QStringLiteral("0"), QStringLiteral("1/15/2027")},
         }) {
        SCOPED_TRACE(c.gridRow);
        if (c.gridRow >= 0)
            selectGridRow(document, c.gridRow);
        else
            document.gridMain1()->setCurrentIndex({});
        frmTimeLeft dialog(document.loan(), m_window->numberFormat(), currentRow(document), m_dialogs);
        EXPECT_EQ(dialog.cboDate()->currentIndex(), c.listIndex);
        EXPECT_EQ(dialog.txtYears()->text(), c.years);
        EXPECT_EQ(dialog.txtPayments()->text(), c.payments);
        EXPECT_EQ(dialog.txtLastPayment()->text(), c.last);
    }

    selectGridRow(document, 0);
    frmTimeLeft dialog(document.loan(), m_window->numberFormat(), currentRow(document), m_dialogs);
    dialog.cboDate()->setCurrentIndex(6);
    EXPECT_EQ(dialog.txtPayments()->text(), QStringLiteral("6"));
    EXPECT_EQ(dialog.txtYears()->text(), QStringLiteral("6 Months "));
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
    // The schedule is only read.
    EXPECT_EQ(document.loan().gridMain0.rows(), 14);
    EXPECT_FALSE(m_window->docSlots().window(document.slot())->isWindowModified());
}

// The car loan: 647.31 a month at 7.9 %, compounded monthly. From the first payment (balance 31,563.36) the payments
// never quite catch up with the rounding of the payment, so the 59.0004 payments left count as 60, the last on
// 15 February 2031, 5 years after the row.
TEST_F(TimeLeftDialogTest, AnswersForAComputedExample)
{
    frmChild &document = openCarLoan();
    selectGridRow(document, 1);
    frmTimeLeft dialog(document.loan(), m_window->numberFormat(), currentRow(document), m_dialogs);
    EXPECT_EQ(dialog.cboDate()->currentText(), QStringLiteral("2/15/2026"));
    EXPECT_EQ(dialog.txtPayments()->text(), QStringLiteral("60"));
    EXPECT_EQ(dialog.txtLastPayment()->text(), QStringLiteral("2/15/2031"));
    EXPECT_EQ(dialog.txtYears()->text(), QStringLiteral("5 Years "));
    // Two years later, two years less.
    dialog.cboDate()->setCurrentIndex(25);
    EXPECT_EQ(dialog.cboDate()->currentText(), QStringLiteral("2/15/2028"));
    EXPECT_EQ(dialog.txtYears()->text(), QStringLiteral("3 Years "));
    EXPECT_EQ(dialog.txtPayments()->text(), QStringLiteral("36"));
}

TEST_F(TimeLeftDialogTest, APaymentTooLowIsReportedAndTheResultsStay)
{
    frmChild &document = openCarLoan();
    // From 15 February 2027 the payment is 1, far below the month's interest.
    engine::LoanDocument &loan = document.loan();
    loan.gridBasicPayment.setRows(2);
    engine::setChangeEntry(loan.gridBasicPayment, 1, ymd(2027, 2, 15), 1, m_window->numberFormat());
    document.Calculate();

    selectGridRow(document, 5);
    frmTimeLeft dialog(document.loan(), m_window->numberFormat(), currentRow(document), m_dialogs);
    ASSERT_TRUE(m_dialogs.messages.isEmpty());
    const QString years = dialog.txtYears()->text();
    const QString payments = dialog.txtPayments()->text();
    ASSERT_FALSE(payments.isEmpty());
    dialog.cboDate()->setCurrentIndex(13);
    ASSERT_EQ(m_dialogs.texts(),
              QStringList {QStringLiteral("Basic Payment is too low. This amount will never be Amortize.")});
    EXPECT_EQ(m_dialogs.messages[0].buttons, ui::UserDialogs::Ok);
    EXPECT_EQ(m_dialogs.messages[0].title, QStringLiteral("Pellandra 3.0"));
    EXPECT_EQ(dialog.txtYears()->text(), years);
    EXPECT_EQ(dialog.txtPayments()->text(), payments);
}

TEST_F(TimeLeftDialogTest, TheViewMenuOpensItOnTheActiveDocument)
{
    MainWindow &window = start();
    QAction *timeLeft = window.viewCommands().timeLeft;
    ASSERT_NE(timeLeft, nullptr);
    int shown = 0;
    m_onDialog = [&](QDialog &dialog) {
        ++shown;
        auto &timeLeftDialog = dynamic_cast<frmTimeLeft &>(dialog);
        EXPECT_EQ(timeLeftDialog.cboDate()->currentIndex(), 3);
        EXPECT_EQ(timeLeftDialog.txtPayments()->text(), QStringLiteral("9"));
        screenshot(dialog, QStringLiteral("time-left"));
        timeLeftDialog.cmdClose_Click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    };
    // Nothing to show without a document.
    window.viewCommands().showTimeLeft();
    EXPECT_EQ(shown, 0);

    frmChild &document = openInterestFreeLoan();
    selectGridRow(document, 3);
    timeLeft->trigger();
    EXPECT_EQ(shown, 1);
    // The entry point for the document's pop-up menu.
    window.viewCommands().showTimeLeft();
    EXPECT_EQ(shown, 2);
}

TEST_F(TimeLeftDialogTest, AnEmptyScheduleShowsNothing)
{
    frmChild &document = openCarLoan();
    document.loan().gdblLoanAmount = 0;
    document.Calculate();
    ASSERT_EQ(document.loan().gridMain0.rows(), 1);
    frmTimeLeft dialog(document.loan(), m_window->numberFormat(), currentRow(document), m_dialogs);
    EXPECT_EQ(dialog.cboDate()->count(), 0);
    EXPECT_TRUE(dialog.txtPayments()->text().isEmpty());
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
}
