#include "WizardTest.h"

#include "engine/LoanDocument.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

using namespace app;

namespace {

// What the reader must give back of a loan the wizard wrote: its parameters (but the amount borrowed, which the file
// does not keep) and every text of its schedule.
struct Kept
{
    explicit Kept(const engine::LoanDocument &loan)
        : texts {loan.gstrTitle,
                 QString::fromStdString(loan.gstrComments)
                     .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                     .toStdString()}
        , optional {loan.gvarPurchasePrice, loan.gvarDownPayment, loan.gvarCMHC}
        , codes {loan.gintLoanType,   loan.gintCompounding,         loan.gintDownPaymentUnit, loan.gintAmortUnit,
                 loan.gintFreqOfInst, loan.gintPeriodsPerYearIndex, loan.gintStartPayment}
        , numbers {loan.gdblLoanAmount, loan.gdblAnnualRate, loan.glngAmortization, loan.gdblBasicPayment,
                   loan.mdblNperTerm}
        , dates {loan.gdtmStartDate, loan.gdtmFirstPaymentDue, loan.gdtmLastPaymentDue}
    {
        for (int row = 0; row < loan.gridMain0.rows(); ++row) {
            for (int column = 0; column < loan.gridMain0.cols(); ++column)
                schedule.push_back(loan.gridMain0.text(row, column));
        }
    }

    std::vector<std::string> texts; // the file keeps a line break as CR LF
    std::vector<std::optional<double>> optional;
    std::vector<int> codes;
    std::vector<double> numbers;
    std::vector<engine::Date> dates;
    std::vector<std::string> schedule;
};

} // namespace

// A loan entered in the wizard, saved, closed and opened again is the same loan with the same schedule; and the
// wizard on the reopened document finds nothing changed.
TEST_F(WizardTest, AWizardLoanSurvivesSavingAndOpeningAgain)
{
    struct Case
    {
        const char *what;
        std::function<void(frmWizard &)> enter;
    };
    const Case cases[] = {
        {"a personal loan",
         [](frmWizard &wizard) {
             wizard.loanTypePage()->optPersonalLoan()->setChecked(true);
             loanData(wizard, QStringLiteral("24000"), QStringLiteral("7.5"), QStringLiteral("4"));
         }},
        {"a mortgage with its optional information, paid weekly from the day it is lent",
         [](frmWizard &wizard) {
             wizard.loanTypePage()->cboCompounding()->setCurrentIndex(3);
             wizard.cmdNext_Click();
             wizard.optionalPage()->txtTitle()->setText(QStringLiteral("Maple, \"upstairs\""));
             wizard.optionalPage()->txtComments()->setPlainText(QStringLiteral("first line\nsecond, with a comma"));
             wizard.optionalPage()->txtPurchasePrice()->setText(QStringLiteral("450000"));
             wizard.optionalPage()->txtDownPaymentPercent()->setText(QStringLiteral("12.5"));
             loanData(wizard, {}, QStringLiteral("5.24"), QStringLiteral("25"));
             wizard.loanDataPage()->cboFrequency()->setCurrentIndex(5);
             wizard.loanDataPage()->cboPeriodsPerYear()->setCurrentIndex(2);
             wizard.cmdNext_Click();
             wizard.termPage()->optAmountBorrowedOnDate()->setChecked(true);
             wizard.termPage()->txtNumberOfPeriods()->setText(QStringLiteral("260"));
         }},
        {"an annual loan in months whose rate is solved",
         [](frmWizard &wizard) {
             wizard.loanTypePage()->chkSkipOptional()->setChecked(true);
             loanData(wizard, QStringLiteral("80000"), {}, QStringLiteral("120"), QStringLiteral("11000"));
             wizard.loanDataPage()->cboAmortUnit()->setCurrentIndex(1);
             wizard.loanDataPage()->cboFrequency()->setCurrentIndex(0);
             wizard.loanDataPage()->cmdCalcInterestRate_Click();
             wizard.loanDataPage()->txtBasicPayment()->setText(QStringLiteral("11000"));
         }},
    };
    int saved = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        if (!m_window)
            start();
        m_onDialog = [&](QDialog &dialog) {
            auto &wizard = dynamic_cast<frmWizard &>(dialog);
            c.enter(wizard);
            while (wizard.step() < frmWizard::StepTerm)
                wizard.cmdNext_Click();
            ASSERT_TRUE(wizard.cmdNext()->isEnabled());
            wizard.cmdNext_Click();
        };
        m_window->files().newDocument->trigger();
        ASSERT_NE(m_window->activeDocument(), nullptr);
        const Kept entered(m_window->activeDocument()->loan());
        ASSERT_GT(entered.schedule.size(), 100u);

        const QString path = m_dir.filePath(QStringLiteral("loan%1.plr").arg(++saved));
        m_dialogs.saveAnswers = {path};
        m_window->files().SaveDocumentAs();
        m_window->files().close->trigger();
        ASSERT_TRUE(m_window->documents().isEmpty());
        EXPECT_TRUE(m_dialogs.messages.isEmpty());

        m_window->files().OpenPath(path);
        ASSERT_NE(m_window->activeDocument(), nullptr);
        frmChild &reopened = *m_window->activeDocument();
        const Kept read(reopened.loan());
        EXPECT_EQ(read.texts, entered.texts);
        EXPECT_EQ(read.optional, entered.optional);
        EXPECT_EQ(read.codes, entered.codes);
        EXPECT_EQ(read.dates, entered.dates);
        EXPECT_EQ(read.schedule, entered.schedule);
        // The file keeps 15 significant digits.
        for (size_t i = 0; i < entered.numbers.size(); ++i)
            EXPECT_NEAR(read.numbers[i], entered.numbers[i], 1e-12 * entered.numbers[i]) << i;

        m_onDialog = [](QDialog &dialog) {
            auto &wizard = dynamic_cast<frmWizard &>(dialog);
            while (wizard.step() < frmWizard::StepTerm)
                wizard.cmdNext_Click();
            EXPECT_FALSE(wizard.terms().loanDataChanged());
            // Shown again from the price, the down payment and the premium.
            EXPECT_EQ(wizard.optionalPage()->txtAmountBorrowed()->text().isEmpty(),
                      !wizard.terms().value(engine::LoanTerms::PurchasePrice));
            wizard.cmdNext_Click();
        };
        m_window->files().properties->trigger();
        EXPECT_FALSE(m_window->docSlots().window(reopened.slot())->isWindowModified());
        stop();
    }
}

// Properties shows the document's rounding of interest; checked there, the document rounds and is computed again,
// and Properties then shows it checked.
TEST_F(WizardTest, PropertiesTurnsTheRoundingOfInterestOn)
{
    frmChild &document = openExample("canadian-mortgage-25y.plr");
    ASSERT_FALSE(document.loan().roundInterestEachPeriod);
    auto answer = [](bool shown, bool chosen) {
        return [shown, chosen](QDialog &dialog) {
            auto &wizard = dynamic_cast<frmWizard &>(dialog);
            while (wizard.step() < frmWizard::StepLoanData)
                wizard.cmdNext_Click();
            QCheckBox *round = wizard.loanDataPage()->chkRoundInterest();
            EXPECT_EQ(round->isChecked(), shown);
            EXPECT_EQ(round->accessibleName(), QStringLiteral("Round interest to the cent each period"));
            round->setChecked(chosen);
            while (wizard.step() < frmWizard::StepTerm)
                wizard.cmdNext_Click();
            wizard.cmdNext_Click();
        };
    };
    m_onDialog = answer(false, true);
    m_window->files().properties->trigger();
    EXPECT_TRUE(document.loan().roundInterestEachPeriod);
    m_onDialog = answer(true, true);
    m_window->files().properties->trigger();
}
