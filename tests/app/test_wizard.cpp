#include "WizardTest.h"

#include "app/SettingsKeys.h"

#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "ui/DateField.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <map>

using namespace app;

TEST_F(WizardTest, ANewDocumentStartsAsAMortgageWithTheLastCompounding)
{
    struct Case
    {
        const char *stored; // the setting "Interest Compound", or null for none
        QString shown;
    };
    for (const Case &c : {Case {nullptr, QStringLiteral("Semi-Annually (Canada)")},
                          Case {"1", QStringLiteral("Monthly (United States)")}, Case {"2", QStringLiteral("Annually")},
                          Case {"3", QStringLiteral("Quarterly")}}) {
        SCOPED_TRACE(c.shown.toStdString());
        if (c.stored)
            m_settings->setValue(kSettingsSection, kInterestCompound, QLatin1String(c.stored));
        frmWizard &wizard = newWizard();
        EXPECT_TRUE(wizard.loanTypePage()->optMortgageLoan()->isChecked());
        EXPECT_FALSE(wizard.loanTypePage()->optPersonalLoan()->isChecked());
        EXPECT_EQ(wizard.loanTypePage()->cboCompounding()->currentText(), c.shown);
        EXPECT_EQ(wizard.terms().compounding(), c.stored ? QString::fromLatin1(c.stored).toInt() : 0);
    }

    frmWizard &wizard = newWizard();
    EXPECT_EQ(wizard.windowTitle(), kCaption1);
    EXPECT_EQ(wizard.step(), frmWizard::StepLoanType);
    EXPECT_FALSE(wizard.cmdBack()->isEnabled());
    EXPECT_TRUE(wizard.cmdNext()->isEnabled());
    EXPECT_EQ(wizard.cmdNext()->text(), QStringLiteral("&Next >"));
    EXPECT_EQ(wizard.cmdBack()->text(), QStringLiteral("< &Back"));
    EXPECT_EQ(wizard.cmdCancel()->text(), QStringLiteral("Cancel"));
    // Check boxes from their settings' defaults.
    EXPECT_FALSE(wizard.loanTypePage()->chkSkipOptional()->isChecked());
    EXPECT_TRUE(wizard.loanTypePage()->chkToolTip()->isChecked());
    // Amounts empty; monthly in years; the weekly year length list on its second entry, unused for now.
    for (QLineEdit *field : {wizard.optionalPage()->txtPurchasePrice(), wizard.optionalPage()->txtDownPaymentPercent(),
                             wizard.optionalPage()->txtDownPaymentDollars(), wizard.optionalPage()->txtCMHC(),
                             wizard.optionalPage()->txtAmountBorrowed(), wizard.loanDataPage()->txtLoanAmount(),
                             wizard.loanDataPage()->txtAnnualRate(), wizard.loanDataPage()->txtAmortization(),
                             wizard.loanDataPage()->txtBasicPayment()})
        EXPECT_TRUE(field->text().isEmpty()) << field->objectName().toStdString();
    EXPECT_EQ(wizard.loanDataPage()->cboFrequency()->currentText(), QStringLiteral("Monthly"));
    EXPECT_EQ(wizard.terms().frequency(), engine::kMonthly);
    EXPECT_EQ(wizard.loanDataPage()->cboAmortUnit()->currentText(), QStringLiteral("Years"));
    EXPECT_EQ(wizard.loanDataPage()->cboPeriodsPerYear()->currentText(), QStringLiteral("52.14 Weeks"));
    EXPECT_FALSE(wizard.loanDataPage()->cboPeriodsPerYear()->isEnabled());
    EXPECT_EQ(wizard.terms().calculatedField(), Field::BasicPayment);
    // The first payment today; the loan starts one installment earlier. "Start Payment" defaults to 0.
    EXPECT_EQ(wizard.terms().firstPaymentDue(), ymd(2026, 3, 15));
    EXPECT_EQ(wizard.terms().startDate(), ymd(2026, 2, 15));
    EXPECT_EQ(wizard.terms().startPaymentOption(), 0);
    EXPECT_TRUE(wizard.termPage()->optFirstPaymentOnDate()->isChecked());
    EXPECT_FALSE(wizard.terms().loanDataChanged());
}

TEST_F(WizardTest, ListPositionsHoldTheirCodes)
{
    struct Case
    {
        int position;
        int code;
        QString text;
    };
    frmWizard &wizard = newWizard();
    EXPECT_EQ(items(wizard.loanTypePage()->cboCompounding()),
              (QStringList {QStringLiteral("Annually"), QStringLiteral("Semi-Annually (Canada)"),
                            QStringLiteral("Quarterly"), QStringLiteral("Monthly (United States)")}));
    for (const Case &c :
         {Case {0, 2, QStringLiteral("Annually")}, Case {1, 0, QStringLiteral("Semi-Annually (Canada)")},
          Case {2, 3, QStringLiteral("Quarterly")}, Case {3, 1, QStringLiteral("Monthly (United States)")}}) {
        SCOPED_TRACE(c.position);
        wizard.loanTypePage()->cboCompounding()->setCurrentIndex(c.position);
        EXPECT_EQ(wizard.terms().compounding(), c.code);
        EXPECT_EQ(wizard.loanTypePage()->cboCompounding()->currentText(), c.text);
        EXPECT_EQ(engine::compoundingPosition(engine::kMortgageLoan, c.code), c.position);
    }

    const QLabel *tip = wizard.loanTypePage()->findChild<QLabel *>(QStringLiteral("lblTip"));
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->text(),
              QStringLiteral("Tip: Mortgages in Canada are calculated on a\nsemi-annual base while in the "
                             "U.S., interest is\ncompounded each month."));

    // A personal loan offers only "Monthly" (code 0); a code the list does not hold selects nothing.
    wizard.loanTypePage()->optPersonalLoan()->setChecked(true);
    EXPECT_EQ(items(wizard.loanTypePage()->cboCompounding()), QStringList {QStringLiteral("Monthly")});
    EXPECT_EQ(wizard.loanTypePage()->cboCompounding()->currentIndex(), -1); // code 1 is still the compounding
    wizard.loanTypePage()->cboCompounding()->setCurrentIndex(0);
    EXPECT_EQ(wizard.terms().compounding(), 0);
    wizard.loanTypePage()->optMortgageLoan()->setChecked(true);
    EXPECT_EQ(wizard.loanTypePage()->cboCompounding()->currentText(), QStringLiteral("Semi-Annually (Canada)"));

    EXPECT_EQ(items(wizard.loanDataPage()->cboFrequency()),
              (QStringList {QStringLiteral("Annually"), QStringLiteral("Monthly"), QStringLiteral("Semi-Monthly"),
                            QStringLiteral("2 Weeks (accelerated)"), QStringLiteral("2 Weeks"),
                            QStringLiteral("Weekly (accelerated)"), QStringLiteral("Weekly")}));
    const std::array<int, 7> frequencyCodes = {6, 0, 1, 2, 3, 4, 5};
    for (int position = 0; position < 7; ++position) {
        SCOPED_TRACE(position);
        wizard.loanDataPage()->cboFrequency()->setCurrentIndex(position);
        EXPECT_EQ(wizard.terms().frequency(), frequencyCodes[size_t(position)]);
        EXPECT_EQ(engine::frequencyPosition(frequencyCodes[size_t(position)]), position);
        // The year length is a choice for the weekly and bi-weekly frequencies only.
        EXPECT_EQ(wizard.loanDataPage()->cboPeriodsPerYear()->isEnabled(), position >= 3);
    }
    EXPECT_EQ(items(wizard.loanDataPage()->cboPeriodsPerYear()),
              (QStringList {QStringLiteral("52.18 Weeks"), QStringLiteral("52.14 Weeks"), QStringLiteral("52 Weeks")}));
    EXPECT_EQ(items(wizard.loanDataPage()->cboAmortUnit()),
              (QStringList {QStringLiteral("Years"), QStringLiteral("Months")}));
}

TEST_F(WizardTest, SkippingTheOptionalStepBothWays)
{
    frmWizard &wizard = newWizard();
    wizard.loanTypePage()->chkSkipOptional()->setChecked(true);
    EXPECT_EQ(m_settings->value(kSettingsSection, app::kStep2), QStringLiteral("1"));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption3);
    EXPECT_TRUE(wizard.cmdBack()->isEnabled());
    wizard.cmdBack_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption1);
    EXPECT_FALSE(wizard.cmdBack()->isEnabled());

    wizard.loanTypePage()->chkSkipOptional()->setChecked(false);
    EXPECT_EQ(m_settings->value(kSettingsSection, app::kStep2), QStringLiteral("0"));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption2);
    EXPECT_TRUE(wizard.cmdBack()->isEnabled());
    EXPECT_TRUE(wizard.cmdNext()->isEnabled());
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption3);
    wizard.cmdBack_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption2);
    wizard.cmdBack_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption1);

    // The next wizard starts with the stored choice.
    frmWizard &next = newWizard();
    EXPECT_FALSE(next.loanTypePage()->chkSkipOptional()->isChecked());
    m_settings->setValue(kSettingsSection, app::kStep2, QStringLiteral("1"));
    EXPECT_TRUE(newWizard().loanTypePage()->chkSkipOptional()->isChecked());
}

TEST_F(WizardTest, NextWaitsForTheFourMainFieldsAndFinishForThePeriods)
{
    frmWizard &wizard = newWizard();
    wizard.cmdNext_Click();
    wizard.cmdNext_Click();
    ASSERT_EQ(wizard.step(), frmWizard::StepLoanData);
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    wizard.loanDataPage()->txtLoanAmount()->setText(QStringLiteral("100000"));
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    wizard.loanDataPage()->txtAnnualRate()->setText(QStringLiteral("6"));
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    wizard.loanDataPage()->txtAmortization()->setText(QStringLiteral("25"));
    EXPECT_TRUE(wizard.cmdNext()->isEnabled()); // the payment is calculated
    wizard.loanDataPage()->txtAmortization()->clear();
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    EXPECT_TRUE(wizard.loanDataPage()->txtBasicPayment()->text().isEmpty());
    // Next on a disabled button does nothing.
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.step(), frmWizard::StepLoanData);

    wizard.loanDataPage()->txtAmortization()->setText(QStringLiteral("25"));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption4);
    EXPECT_EQ(wizard.cmdNext()->text(), QStringLiteral("Finish"));
    EXPECT_TRUE(wizard.cmdNext()->isEnabled());
    wizard.termPage()->txtNumberOfPeriods()->clear();
    EXPECT_FALSE(wizard.cmdNext()->isEnabled());
    wizard.termPage()->txtNumberOfPeriods()->setText(QStringLiteral("12"));
    EXPECT_TRUE(wizard.cmdNext()->isEnabled());
    wizard.cmdBack_Click();
    EXPECT_EQ(wizard.windowTitle(), kCaption3);
    EXPECT_EQ(wizard.cmdNext()->text(), QStringLiteral("&Next >"));
}

TEST_F(WizardTest, FinishWritesTheDocumentAndTheSettings)
{
    m_settings->setValue(kSettingsSection, kStartPayment, QStringLiteral("1"));
    frmWizard &wizard = newWizard();
    EXPECT_EQ(wizard.terms().startPaymentOption(), 1);
    wizard.loanTypePage()->cboCompounding()->setCurrentIndex(3);
    wizard.cmdNext_Click();
    wizard.optionalPage()->txtTitle()->setText(QStringLiteral("Elm Street"));
    wizard.optionalPage()->txtComments()->setPlainText(QStringLiteral("First line\nSecond line"));
    wizard.optionalPage()->txtPurchasePrice()->setText(QStringLiteral("250000"));
    wizard.optionalPage()->txtDownPaymentDollars()->setText(QStringLiteral("37500"));
    wizard.cmdNext_Click();
    wizard.loanDataPage()->txtAnnualRate()->setText(QStringLiteral("5.25"));
    wizard.loanDataPage()->txtAmortization()->setText(QStringLiteral("30"));
    wizard.cmdNext_Click();
    wizard.termPage()->dtpStartDate()->setDate(QDate(2026, 4, 1));
    wizard.termPage()->txtNumberOfPeriods()->setText(QStringLiteral("60"));
    wizard.cmdNext_Click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);

    const engine::LoanDocument &loan = m_wizard->document();
    EXPECT_EQ(loan.gintLoanType, engine::kMortgageLoan);
    EXPECT_EQ(loan.gintCompounding, 1);
    EXPECT_EQ(loan.gstrTitle, "Elm Street");
    EXPECT_EQ(loan.gstrComments, "First line\nSecond line");
    EXPECT_EQ(loan.gvarPurchasePrice, 250000);
    EXPECT_EQ(loan.gintDownPaymentUnit, 0);
    EXPECT_EQ(loan.gvarDownPayment, 37500);
    EXPECT_EQ(loan.gvarCMHC, 2.8);
    EXPECT_EQ(loan.gdblLoanAmount, 218450);
    EXPECT_EQ(loan.gdblBasicPayment, 1206.29);
    // The money is lent on 1 April: that is the calendar's anchor, and the first payment falls on 1 May.
    EXPECT_EQ(loan.gintStartPayment, 1);
    EXPECT_EQ(loan.gdtmStartDate, ymd(2026, 4, 1));
    EXPECT_EQ(loan.gdtmFirstPaymentDue, ymd(2026, 4, 1));
    EXPECT_EQ(wizard.terms().firstPaymentDue(), ymd(2026, 5, 1));
    EXPECT_EQ(loan.mdblNperTerm, 60);
    EXPECT_EQ(loan.gdtmLastPaymentDue, ymd(2031, 4, 1));

    EXPECT_TRUE(wizard.outcome().finished);
    EXPECT_TRUE(wizard.outcome().scheduleChanged);
    EXPECT_EQ(m_settings->value(kSettingsSection, kInterestCompound), QStringLiteral("1"));
    EXPECT_EQ(m_settings->value(kSettingsSection, kStartPayment), QStringLiteral("1"));
}

TEST_F(WizardTest, CancelWritesNothing)
{
    frmWizard &wizard = newWizard();
    const engine::LoanDocument before = m_wizard->document();
    wizard.loanTypePage()->cboCompounding()->setCurrentIndex(3);
    wizard.termPage()->optAmountBorrowedOnDate()->setChecked(true);
    loanData(wizard, QStringLiteral("100000"), QStringLiteral("6"), QStringLiteral("25"));
    wizard.cmdNext_Click();
    wizard.cmdCancel_Click();
    EXPECT_EQ(wizard.result(), QDialog::Rejected);
    EXPECT_FALSE(wizard.outcome().finished);
    EXPECT_FALSE(wizard.outcome().documentChanged);
    const engine::LoanDocument &after = m_wizard->document();
    EXPECT_EQ(after.gdblLoanAmount, before.gdblLoanAmount);
    EXPECT_EQ(after.gintCompounding, before.gintCompounding);
    EXPECT_EQ(after.gdtmFirstPaymentDue, before.gdtmFirstPaymentDue);
    EXPECT_EQ(after.mdblNperTerm, before.mdblNperTerm);
    EXPECT_TRUE(m_settings->value(kSettingsSection, kInterestCompound).isEmpty());
    EXPECT_TRUE(m_settings->value(kSettingsSection, kStartPayment).isEmpty());

    // Escape or the window's close button cancel too.
    frmWizard &other = newWizard();
    other.reject();
    EXPECT_EQ(other.result(), QDialog::Rejected);
    EXPECT_FALSE(other.outcome().finished);
}

TEST_F(WizardTest, NewThenCancelLeavesNoWindowAndNoPrompt)
{
    MainWindow &window = start();
    int shown = 0;
    m_onDialog = [&](QDialog &dialog) {
        auto &wizard = dynamic_cast<frmWizard &>(dialog);
        ++shown;
        EXPECT_EQ(wizard.windowTitle(), kCaption1);
        wizard.cmdNext_Click();
        wizard.cmdCancel_Click();
    };
    window.files().newDocument->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(window.documents().isEmpty());
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
    EXPECT_TRUE(window.docSlots().state(1).blnFree);
    EXPECT_EQ(window.activeDocument(), nullptr);
}

// New, the four steps and Finish: the schedule of the loan the wizard wrote, N + 1 rows, totals as computed.

TEST_F(WizardTest, NewLoanEndToEnd)
{
    MainWindow &window = start();
    m_onDialog = [&](QDialog &dialog) {
        auto &wizard = dynamic_cast<frmWizard &>(dialog);
        wizard.loanTypePage()->optPersonalLoan()->setChecked(true);
        wizard.cmdNext_Click();
        wizard.optionalPage()->txtTitle()->setText(QStringLiteral("Boat"));
        wizard.cmdNext_Click();
        wizard.loanDataPage()->txtLoanAmount()->setText(QStringLiteral("24000"));
        wizard.loanDataPage()->txtAnnualRate()->setText(QStringLiteral("7.5"));
        wizard.loanDataPage()->txtAmortization()->setText(QStringLiteral("4"));
        wizard.cmdNext_Click();
        EXPECT_EQ(wizard.termPage()->txtNumberOfPeriods()->text(), QStringLiteral("48"));
        wizard.cmdNext_Click();
    };
    window.files().newDocument->trigger();
    ASSERT_EQ(window.documents().size(), 1);
    frmChild &document = *window.activeDocument();
    EXPECT_EQ(document.windowTitle(), QStringLiteral("Untitled1"));
    const engine::LoanDocument &loan = document.loan();
    // 24,000 at 7.5 % over 48 months: 24000 x 0.00625 / (1 - 1.00625^-48) = 580.29.
    EXPECT_EQ(loan.gdblBasicPayment, 580.29);
    EXPECT_EQ(loan.gridMain0.rows(), 48 + 2);
    EXPECT_EQ(document.gridMain1()->model()->rowCount(), 48 + 1);
    EXPECT_EQ(loan.gdblNumberOfPeriods, 48);

    engine::LoanDocument copy = loan;
    ASSERT_TRUE(engine::Calculate(copy, window.numberFormat()));
    EXPECT_EQ(loan.gdblTotalPayments, copy.gdblTotalPayments);
    EXPECT_EQ(loan.gdblInterestPaid, copy.gdblInterestPaid);
    EXPECT_NEAR(loan.gdblTotalPayments, 48 * 580.29, 1.0);
    EXPECT_EQ(loan.gridMain0.text(48 + 1, engine::colDate), "2/15/2030");
    EXPECT_FALSE(window.progressShown());
    EXPECT_TRUE(window.docSlots().window(document.slot())->isWindowModified());
    EXPECT_TRUE(window.docSlots().window(document.slot())->isUntitled());
}

TEST_F(WizardTest, PropertiesLoadsTheDocument)
{
    openExample("car-loan.plr");
    int shown = 0;
    m_onDialog = [&](QDialog &dialog) {
        auto &wizard = dynamic_cast<frmWizard &>(dialog);
        ++shown;
        EXPECT_TRUE(wizard.loanTypePage()->optPersonalLoan()->isChecked());
        EXPECT_EQ(wizard.loanTypePage()->cboCompounding()->currentText(), QStringLiteral("Monthly"));
        EXPECT_EQ(wizard.optionalPage()->txtTitle()->text(), QStringLiteral("Car loan, 5 years"));
        EXPECT_EQ(number(wizard, wizard.loanDataPage()->txtLoanAmount()), 32000);
        EXPECT_EQ(number(wizard, wizard.loanDataPage()->txtAnnualRate()), 7.9);
        EXPECT_EQ(number(wizard, wizard.loanDataPage()->txtAmortization()), 5);
        EXPECT_EQ(number(wizard, wizard.loanDataPage()->txtBasicPayment()), 647.31);
        EXPECT_EQ(wizard.loanDataPage()->cboFrequency()->currentText(), QStringLiteral("Monthly"));
        EXPECT_EQ(wizard.terms().firstPaymentDue(), ymd(2026, 2, 15));
        // The document has no start date: the natural one, a month before the first payment.
        EXPECT_EQ(wizard.terms().startDate(), ymd(2026, 1, 15));
        EXPECT_EQ(wizard.termPage()->txtNumberOfPeriods()->text(), QStringLiteral("60"));
        EXPECT_EQ(wizard.termPage()->txtLastPaymentDue()->text(), QStringLiteral("1/15/2031"));
        EXPECT_FALSE(wizard.terms().loanDataChanged());
        wizard.cmdCancel_Click();
    };
    m_window->files().properties->trigger();
    EXPECT_EQ(shown, 1);
}

TEST_F(WizardTest, PropertiesRecalculatesOnlyWhenTheLoanChanged)
{
    frmChild &document = openExample("car-loan.plr");
    engine::LoanDocument &loan = document.loan();
    // A mark in the schedule's texts that only a new calculation removes.
    loan.gridMain0.setFormat(markedFormat());
    ASSERT_FALSE(m_window->docSlots().window(document.slot())->isWindowModified());

    // Every step and Finish without a change; a look at another frequency and back; then a new title only.
    enum Visit { Through, OtherFrequency, Retitle };
    for (const Visit visit : {Through, OtherFrequency, Retitle}) {
        const bool retitle = visit == Retitle;
        m_onDialog = [&](QDialog &dialog) {
            auto &wizard = dynamic_cast<frmWizard &>(dialog);
            wizard.cmdNext_Click();
            if (retitle)
                wizard.optionalPage()->txtTitle()->setText(QStringLiteral("Red car"));
            wizard.cmdNext_Click();
            if (visit == OtherFrequency) {
                QComboBox *frequency = wizard.loanDataPage()->cboFrequency();
                frequency->setCurrentIndex(engine::frequencyPosition(engine::kBiWeekly));
                frequency->setCurrentIndex(engine::frequencyPosition(engine::kMonthly));
            }
            wizard.cmdNext_Click();
            EXPECT_EQ(wizard.termPage()->txtNumberOfPeriods()->text(), QStringLiteral("60"));
            wizard.cmdNext_Click();
        };
        m_window->files().properties->trigger();
        EXPECT_TRUE(loan.gridMain0.text(5, engine::colPayment).starts_with("untouched"));
        EXPECT_EQ(m_window->docSlots().window(document.slot())->isWindowModified(), retitle);
    }
    EXPECT_EQ(loan.gstrTitle, "Red car");

    // A new rate: a new schedule, the grid's cursor kept, and the normal cursor back.
    document.gridMain1()->setCurrentIndex(document.gridMain1()->model()->index(7, 2));
    m_onDialog = [&](QDialog &dialog) {
        auto &wizard = dynamic_cast<frmWizard &>(dialog);
        loanData(wizard, {}, QStringLiteral("6.9"), {});
        wizard.cmdNext_Click();
        wizard.cmdNext_Click();
    };
    m_window->files().properties->trigger();
    EXPECT_FALSE(loan.gridMain0.text(5, engine::colPayment).starts_with("untouched"));
    EXPECT_DOUBLE_EQ(loan.gdblAnnualRate, 0.069);
    EXPECT_EQ(document.gridMain1()->currentIndex().row(), 7);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(m_window->progressShown());
}

TEST_F(WizardTest, LumpSumsOutsideTheLoanGoWhenTheDialogCloses)
{
    frmChild &document = openExample("canadian-mortgage-25y.plr");
    engine::LoanDocument &loan = document.loan();
    // Start 1 January 2026, last payment 1 January 2051.
    const engine::NumberFormat &format = m_window->numberFormat();
    loan.gridLumpSum.setRows(6);
    engine::setChangeEntry(loan.gridLumpSum, 3, ymd(2025, 12, 31), 100, format); // the day before the start
    engine::setChangeEntry(loan.gridLumpSum, 4, ymd(2051, 1, 1), 200, format);
    engine::setChangeEntry(loan.gridLumpSum, 5, ymd(2051, 1, 2), 300, format);
    loan.gridLumpSum.sortRowsBy(engine::chgDateSerial);
    ASSERT_FALSE(m_window->docSlots().window(document.slot())->isWindowModified());
    loan.gridMain0.setFormat(markedFormat());

    m_onDialog = [](QDialog &dialog) { dynamic_cast<frmWizard &>(dialog).cmdCancel_Click(); };
    m_window->files().properties->trigger();
    std::vector<engine::Date> left;
    for (int row = 1; row < loan.gridLumpSum.rows(); ++row)
        left.push_back(loan.GetLumpSumDate(row));
    EXPECT_EQ(left, (std::vector<engine::Date> {ymd(2027, 2, 1), ymd(2028, 6, 15), ymd(2051, 1, 1)}));
    // The document changed, and its schedule with it.
    EXPECT_TRUE(m_window->docSlots().window(document.slot())->isWindowModified());
    EXPECT_FALSE(loan.gridMain0.text(5, engine::colPayment).starts_with("untouched"));

    // With the only entry outside, the table keeps its heading.
    loan.gridLumpSum.setRows(2);
    engine::setChangeEntry(loan.gridLumpSum, 1, ymd(2060, 1, 1), 100, format);
    m_window->files().properties->trigger();
    EXPECT_EQ(loan.gridLumpSum.rows(), 1);
    EXPECT_EQ(loan.gridLumpSum.text(0, engine::chgDateText), "Date");
}

// A term typed and then cancelled takes no lump sum away; finished, it does.
TEST_F(WizardTest, OnlyFinishedDatesTakeLumpSumsAway)
{
    for (const bool finish : {false, true}) {
        SCOPED_TRACE(finish ? "finished" : "cancelled");
        frmChild &document = openExample("canadian-mortgage-25y.plr");
        engine::LoanDocument &loan = document.loan();
        ASSERT_EQ(loan.gridLumpSum.rows(), 3); // 1 February 2027 and 15 June 2028
        m_onDialog = [&](QDialog &dialog) {
            auto &wizard = dynamic_cast<frmWizard &>(dialog);
            for (int step = 1; step < frmWizard::StepTerm; ++step)
                wizard.cmdNext_Click();
            // Twelve payments: the last on 1 January 2027, before either lump sum.
            wizard.termPage()->txtNumberOfPeriods()->setText(QStringLiteral("12"));
            ASSERT_EQ(wizard.terms().term().lastPaymentDue, ymd(2027, 1, 1));
            if (finish)
                wizard.cmdNext_Click();
            else
                wizard.cmdCancel_Click();
        };
        m_window->files().properties->trigger();
        EXPECT_EQ(loan.gridLumpSum.rows(), finish ? 1 : 3);
        EXPECT_EQ(m_window->docSlots().window(document.slot())->isWindowModified(), finish);
        m_dialogs.answers = {ui::UserDialogs::No};
        document.parentWidget()->close();
    }
}

TEST_F(WizardTest, MenuItemsNeedADocument)
{
    MainWindow &window = start();
    const QList<QAction *> file = window.fileMenu()->actions();
    const qsizetype saveAs = file.indexOf(window.files().saveAs);
    ASSERT_GE(saveAs, 0);
    EXPECT_TRUE(file.at(saveAs + 1)->isSeparator());
    EXPECT_EQ(file.at(saveAs + 2)->text(), QStringLiteral("Propert&ies"));
    EXPECT_EQ(file.at(saveAs + 2), window.files().properties);

    auto *view = window.findChild<QMenu *>(QStringLiteral("mnuView"));
    const QList<QAction *> items = view->actions();
    const qsizetype timeLeft = items.indexOf(window.viewCommands().timeLeft);
    ASSERT_GE(timeLeft, 1);
    EXPECT_TRUE(items.at(timeLeft - 1)->isSeparator());
    EXPECT_EQ(items.at(timeLeft)->text(), QStringLiteral("T&ime Left to Amortize..."));

    for (QMenu *menu : {window.fileMenu(), view})
        emit menu->aboutToShow();
    EXPECT_FALSE(window.files().properties->isEnabled());
    EXPECT_FALSE(window.viewCommands().timeLeft->isEnabled());
    int shown = 0;
    m_onDialog = [&](QDialog &) { ++shown; };
    window.files().properties->trigger();
    EXPECT_EQ(shown, 0);

    openExample("car-loan.plr");
    for (QMenu *menu : {window.fileMenu(), view})
        emit menu->aboutToShow();
    EXPECT_TRUE(window.files().properties->isEnabled());
    EXPECT_TRUE(window.viewCommands().timeLeft->isEnabled());
}

TEST_F(WizardTest, EveryStepFitsItsControls)
{
    frmWizard &wizard = newWizard();
    wizard.show();
    const QStringList names = {QStringLiteral("wizard-1-loan-type"), QStringLiteral("wizard-2-optional"),
                               QStringLiteral("wizard-3-loan-data"), QStringLiteral("wizard-4-term")};
    for (int step = 1; step <= 4; ++step) {
        SCOPED_TRACE(step);
        if (step == 2) {
            wizard.optionalPage()->txtPurchasePrice()->setText(QStringLiteral("450000"));
            wizard.optionalPage()->txtDownPaymentPercent()->setText(QStringLiteral("5"));
        } else if (step == 3) {
            wizard.loanDataPage()->txtAnnualRate()->setText(QStringLiteral("5.24"));
            wizard.loanDataPage()->txtAmortization()->setText(QStringLiteral("25"));
        }
        ASSERT_EQ(wizard.step(), step);
        // Every label, button and field of the page is shown whole, inside the dialog.
        const QRect inside = wizard.rect();
        for (QWidget *widget : wizard.pages()->currentWidget()->findChildren<QWidget *>()) {
            if (!widget->isVisibleTo(&wizard))
                continue;
            const QRect area(widget->mapTo(&wizard, QPoint(0, 0)), widget->size());
            EXPECT_TRUE(inside.contains(area)) << widget->metaObject()->className();
            if (qobject_cast<QLabel *>(widget) || qobject_cast<QAbstractButton *>(widget)
                || qobject_cast<QComboBox *>(widget) || qobject_cast<ui::DateField *>(widget)) {
                EXPECT_GE(widget->width(), widget->minimumSizeHint().width())
                    << widget->metaObject()->className() << " " << widget->objectName().toStdString();
            }
        }
        screenshot(wizard, names[step - 1]);
        wizard.cmdNext_Click();
    }
}
