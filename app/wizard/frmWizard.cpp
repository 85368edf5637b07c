#include "frmWizard.h"

#include "LoanDataPage.h"
#include "LoanTypePage.h"
#include "OptionalInformationPage.h"
#include "TermPage.h"

#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "ui/DateField.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <array>

namespace app {

namespace {

const std::array<QString, 5> kCaptions = {QString(), QStringLiteral("Loan Data Wizard - Loan Type"),
                                          QStringLiteral("Loan Data Wizard - Optional Information"),
                                          QStringLiteral("Loan Data Wizard - Loan Data"),
                                          QStringLiteral("Loan Data Wizard - Term Information")};

QFrame *line(QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setFrameShape(QFrame::HLine);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

} // namespace

frmWizard::frmWizard(const engine::LoanDocument &loan, bool propertiesMode, SettingsStore &settings,
                     ui::UserDialogs &dialogs, const engine::NumberFormat &format, const Clock &today, QWidget *parent)
    : QDialog(parent)
    , m_document(loan)
    , m_propertiesMode(propertiesMode)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("frmWizard"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    const engine::Date day = ui::toSerial(today ? today() : QDate::currentDate());
    m_terms = m_propertiesMode
        ? engine::LoanTerms::fromDocument(m_document, day)
        : engine::LoanTerms::forNewDocument(settings.intValue(kSettingsSection, kInterestCompound, 0),
                                            settings.intValue(kSettingsSection, kStartPayment, 0), day);
    m_opened = m_terms;

    m_banner = new QLabel(this);
    QFont bannerFont = m_banner->font();
    bannerFont.setBold(true);
    bannerFont.setPointSizeF(bannerFont.pointSizeF() * 1.25);
    m_banner->setFont(bannerFont);
    m_banner->setContentsMargins(14, 10, 14, 10);
    m_banner->setAutoFillBackground(true);
    m_banner->setBackgroundRole(QPalette::Base);

    m_pages = new QStackedWidget(this);
    m_loanType = new LoanTypePage(m_terms, format, settings);
    m_optional = new OptionalInformationPage(m_terms, format);
    m_loanData = new LoanDataPage(m_terms, format);
    m_term = new TermPage(m_terms, format, dialogs);
    m_steps = {m_loanType, m_optional, m_loanData, m_term};
    for (WizardPage *page : m_steps) {
        m_pages->addWidget(page);
        connect(page, &WizardPage::edited, this, &frmWizard::refresh);
    }
    connect(m_loanType, &LoanTypePage::toolTipsSwitched, this, [this](bool shown) {
        for (WizardPage *page : m_steps)
            page->showToolTips(shown);
    });

    m_cmdBack = new QPushButton(QStringLiteral("< &Back"), this);
    m_cmdNext = new QPushButton(QStringLiteral("&Next >"), this);
    m_cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cmdBack->setObjectName(QStringLiteral("cmdBack"));
    m_cmdNext->setObjectName(QStringLiteral("cmdNext"));
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdNext->setDefault(true);
    // Wide enough for either caption, so the buttons keep their places when Next becomes Finish.
    const int buttonWidth = std::max(m_cmdNext->sizeHint().width(), m_cmdBack->sizeHint().width()) + 8;
    for (QPushButton *button : {m_cmdBack, m_cmdNext, m_cmdCancel})
        button->setMinimumWidth(buttonWidth);
    connect(m_cmdBack, &QPushButton::clicked, this, &frmWizard::cmdBack_Click);
    connect(m_cmdNext, &QPushButton::clicked, this, &frmWizard::cmdNext_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmWizard::cmdCancel_Click);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 8, 12, 12);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdBack);
    buttons->addWidget(m_cmdNext);
    buttons->addSpacing(10);
    buttons->addWidget(m_cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_banner);
    layout->addWidget(line(this));
    layout->addWidget(m_pages, 1);
    layout->addWidget(line(this));
    layout->addLayout(buttons);

    refresh(engine::LoanTerms::kAllFields);
    for (WizardPage *page : m_steps)
        page->showToolTips(m_loanType->chkToolTip()->isChecked());
    showStep(StepLoanType);
    // Every page gets the size of the largest, so the dialog does not jump from step to step.
    setFixedSize(sizeHint().expandedTo(QSize(500, 0)));
}

frmWizard::~frmWizard() = default;

QLabel *frmWizard::labelFor(const QWidget *control) const
{
    for (WizardPage *page : m_steps) {
        if (QLabel *label = page->labelFor(control))
            return label;
    }
    return nullptr;
}

// What the terms derived is shown on every page, and the buttons follow.
void frmWizard::refresh(engine::LoanTerms::Fields fields)
{
    for (WizardPage *page : m_steps)
        page->refresh(fields);
    updateButtons();
}

void frmWizard::showStep(int step)
{
    m_step = step;
    m_pages->setCurrentIndex(step - 1);
    setWindowTitle(kCaptions[size_t(step)]);
    m_banner->setText(kCaptions[size_t(step)].section(QStringLiteral(" - "), 1));
    updateButtons();
    if (!isVisible())
        return;
    if (QWidget *first = m_steps[step - 1]->firstControl())
        first->setFocus();
}

void frmWizard::updateButtons()
{
    m_cmdBack->setEnabled(m_step > StepLoanType);
    m_cmdNext->setText(m_step == StepTerm ? QStringLiteral("Finish") : QStringLiteral("&Next >"));
    m_cmdNext->setEnabled(m_step == StepLoanData   ? m_terms.loanDataComplete()
                              : m_step == StepTerm ? m_terms.termComplete()
                                                   : true);
}

void frmWizard::cmdNext_Click()
{
    if (!m_cmdNext->isEnabled())
        return;
    switch (m_step) {
    case StepLoanType:
        if (!m_loanType->chkSkipOptional()->isChecked()) {
            showStep(StepOptional);
            break;
        }
        [[fallthrough]];
    case StepOptional:
        refresh(m_terms.enterLoanData());
        showStep(StepLoanData);
        break;
    case StepLoanData:
        refresh(m_terms.enterTerm());
        showStep(StepTerm);
        break;
    default:
        Finish();
        break;
    }
}

void frmWizard::cmdBack_Click()
{
    switch (m_step) {
    case StepOptional:
        showStep(StepLoanType);
        break;
    case StepLoanData:
        showStep(m_loanType->chkSkipOptional()->isChecked() ? StepLoanType : StepOptional);
        break;
    case StepTerm:
        showStep(StepLoanData);
        break;
    default:
        break;
    }
}

void frmWizard::cmdCancel_Click()
{
    reject();
}

void frmWizard::done(int result)
{
    // Lump sums that the loan's dates leave out can never be paid: they go whichever way the wizard closes, but by
    // the dates the document keeps; dates the user typed and then cancelled take nothing away.
    const engine::LoanTerms &kept = result == Accepted ? m_terms : m_opened;
    if (!m_closed && kept.removeLumpSumsOutsideTerm(m_document)) {
        m_result.documentChanged = true;
        m_result.scheduleChanged = true;
    }
    m_closed = true;
    QDialog::done(result);
}

void frmWizard::Finish()
{
    const engine::LoanTerms::FinishResult written = m_terms.writeTo(m_document, m_propertiesMode);
    if (written.outcome == engine::LoanTerms::Outcome::Incomplete)
        return;
    m_result.documentChanged = written.titleWritten;
    if (written.outcome == engine::LoanTerms::Outcome::Unchanged) {
        // Nothing that the schedule depends on changed: the caller has nothing to recompute.
        QDialog::reject();
        return;
    }
    m_settings.setIntValue(kSettingsSection, kInterestCompound, m_terms.compounding());
    m_settings.setIntValue(kSettingsSection, kStartPayment, m_terms.startPaymentOption());
    m_result = {true, true, true};
    accept();
}

} // namespace app
