#pragma once

#include "engine/LoanDocument.h"
#include "engine/LoanTerms.h"

#include <QDate>
#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace engine {
class NumberFormat;
}
namespace ui {
class UserDialogs;
}

namespace app {

class LoanDataPage;
class LoanTypePage;
class OptionalInformationPage;
class SettingsStore;
class TermPage;
class WizardPage;

// What closing the wizard did to its copy of the document.
struct WizardResult
{
    bool finished = false; // Finish wrote the loan
    bool documentChanged = false; // the title, the loan or its lump sums changed
    bool scheduleChanged = false; // the loan or its lump sums changed: the schedule is computed again
};

// The Loan Data Wizard: four steps through which a loan is entered (File > New) or changed (File > Properties). The
// rules live in the loan terms it holds; this frame moves between the steps and, on Finish, writes the terms into
// its copy of the document, which the caller takes back.
//
// Every control has a getter on its page and every handler is a public slot, so that the dialog can be driven
// without exec().
class frmWizard : public QDialog
{
    Q_OBJECT

public:
    // Today's date; replaceable so that a new document's dates do not depend on the day the tests run.
    using Clock = std::function<QDate()>;

    enum Step { StepLoanType = 1, StepOptional = 2, StepLoanData = 3, StepTerm = 4 };

    using Result = WizardResult;

    // Opens on a copy of `loan`: its own values in properties mode, else a new loan.
    frmWizard(const engine::LoanDocument &loan, bool propertiesMode, SettingsStore &settings, ui::UserDialogs &dialogs,
              const engine::NumberFormat &format, const Clock &today, QWidget *parent = nullptr);
    ~frmWizard() override;

    int step() const { return m_step; }
    const engine::LoanTerms &terms() const { return m_terms; }
    // The document as closing left it.
    const engine::LoanDocument &document() const { return m_document; }
    Result outcome() const { return m_result; }

    QPushButton *cmdBack() const { return m_cmdBack; }
    QPushButton *cmdNext() const { return m_cmdNext; }
    QPushButton *cmdCancel() const { return m_cmdCancel; }
    QStackedWidget *pages() const { return m_pages; }
    LoanTypePage *loanTypePage() const { return m_loanType; }
    OptionalInformationPage *optionalPage() const { return m_optional; }
    LoanDataPage *loanDataPage() const { return m_loanData; }
    TermPage *termPage() const { return m_term; }
    // The label that names a control, as the dialog shows it (for tests of layout and texts).
    QLabel *labelFor(const QWidget *control) const;

public slots:
    void cmdNext_Click();
    void cmdBack_Click();
    void cmdCancel_Click();

    // Closing, whichever way: Finish, Cancel, Escape or the window's close button.
    void done(int result) override;

private:
    void refresh(engine::LoanTerms::Fields fields);
    void showStep(int step);
    void updateButtons();
    void Finish();

    engine::LoanDocument m_document;
    const bool m_propertiesMode;
    SettingsStore &m_settings;
    engine::LoanTerms m_terms;
    // The terms as the dialog opened: what bounds the lump sums when the user's changes are not taken.
    engine::LoanTerms m_opened;
    int m_step = StepLoanType;
    Result m_result;
    bool m_closed = false;

    QLabel *m_banner = nullptr;
    QStackedWidget *m_pages = nullptr;
    QList<WizardPage *> m_steps;
    LoanTypePage *m_loanType = nullptr;
    OptionalInformationPage *m_optional = nullptr;
    LoanDataPage *m_loanData = nullptr;
    TermPage *m_term = nullptr;
    QPushButton *m_cmdBack = nullptr;
    QPushButton *m_cmdNext = nullptr;
    QPushButton *m_cmdCancel = nullptr;
};

} // namespace app
