#include "LoanTypePage.h"

#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace app {

LoanTypePage::LoanTypePage(engine::LoanTerms &terms, const engine::NumberFormat &format, SettingsStore &settings,
                           QWidget *parent)
    : WizardPage(terms, format, parent)
    , m_settings(settings)
{
    QGridLayout *grid = formGrid();
    m_optPersonalLoan = new QRadioButton(QStringLiteral("Personal Loan"));
    m_optMortgageLoan = new QRadioButton(QStringLiteral("Mortgage Loan"));
    m_optPersonalLoan->setObjectName(QStringLiteral("optPersonalLoan"));
    m_optMortgageLoan->setObjectName(QStringLiteral("optMortgageLoan"));
    auto *types = new QButtonGroup(this);
    types->addButton(m_optPersonalLoan);
    types->addButton(m_optMortgageLoan);
    auto *typeBox = new QVBoxLayout;
    typeBox->setSpacing(4);
    typeBox->addWidget(m_optPersonalLoan);
    typeBox->addWidget(m_optMortgageLoan);
    auto *typeLabel = new QLabel(QStringLiteral("Loan Type:"));
    typeLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    typeLabel->setContentsMargins(0, 2, 0, 0);
    grid->addWidget(typeLabel, 0, 0);
    grid->addLayout(typeBox, 0, 1);
    nameWith(m_optPersonalLoan, typeLabel);
    nameWith(m_optMortgageLoan, typeLabel);

    m_cboCompounding = new QComboBox;
    m_cboCompounding->setObjectName(QStringLiteral("cboCompounding"));
    m_cboCompounding->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_cboCompounding->setMinimumContentsLength(24);
    addRow(grid, 1, QStringLiteral("Interest Compounded:"), m_cboCompounding);
    grid->setColumnStretch(2, 1);

    auto *tip = new QLabel(QStringLiteral("Tip: Mortgages in Canada are calculated on a\n"
                                          "semi-annual base while in the U.S., interest is\n"
                                          "compounded each month."));
    tip->setObjectName(QStringLiteral("lblTip"));
    tip->setFrameShape(QFrame::StyledPanel);
    tip->setContentsMargins(8, 6, 8, 6);

    m_chkSkipOptional = new QCheckBox(QStringLiteral("Skip Optional Information"));
    m_chkToolTip = new QCheckBox(QStringLiteral("Tool Tip"));
    m_chkSkipOptional->setObjectName(QStringLiteral("chkSkipOptional"));
    m_chkToolTip->setObjectName(QStringLiteral("chkToolTip"));
    m_chkSkipOptional->setChecked(m_settings.intValue(kSettingsSection, kStep2, 0) != 0);
    m_chkToolTip->setChecked(m_settings.intValue(kSettingsSection, kToolTip, 1) != 0);
    auto *checks = new QHBoxLayout;
    checks->addWidget(m_chkSkipOptional);
    checks->addSpacing(16);
    checks->addWidget(m_chkToolTip);
    checks->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 12);
    layout->addLayout(grid);
    layout->addSpacing(14);
    layout->addWidget(tip, 0, Qt::AlignLeft);
    layout->addStretch(1);
    layout->addLayout(checks);

    showLoanType();
    connect(m_optPersonalLoan, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optPersonalLoan_Click();
    });
    connect(m_optMortgageLoan, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optMortgageLoan_Click();
    });
    connect(m_cboCompounding, &QComboBox::currentIndexChanged, this, &LoanTypePage::cboCompounding_Click);
    connect(m_chkSkipOptional, &QCheckBox::toggled, this, &LoanTypePage::chkSkipOptional_Click);
    connect(m_chkToolTip, &QCheckBox::toggled, this, &LoanTypePage::chkToolTip_Click);
}

QWidget *LoanTypePage::firstControl() const
{
    return m_terms.loanType() == engine::kPersonalLoan ? m_optPersonalLoan : m_optMortgageLoan;
}

void LoanTypePage::refresh(engine::LoanTerms::Fields)
{
    showLoanType();
}

// The option of the loan type, and the compounding list of that type with the current code selected (none when the
// list does not hold the code).
void LoanTypePage::showLoanType()
{
    const QScopedValueRollback guard(m_updating, m_updating + 1);
    const int loanType = m_terms.loanType();
    (loanType == engine::kPersonalLoan ? m_optPersonalLoan : m_optMortgageLoan)->setChecked(true);
    if (loanType != m_shownLoanType) {
        m_shownLoanType = loanType;
        m_cboCompounding->clear();
        for (const std::string &text : engine::compoundingListTexts(loanType))
            m_cboCompounding->addItem(QString::fromStdString(text));
    }
    m_cboCompounding->setCurrentIndex(engine::compoundingPosition(loanType, m_terms.compounding()));
}

void LoanTypePage::setLoanType(int loanType)
{
    if (m_updating || !m_terms.setLoanType(loanType))
        return;
    showLoanType();
    emit edited(0);
}

void LoanTypePage::optPersonalLoan_Click()
{
    setLoanType(engine::kPersonalLoan);
}

void LoanTypePage::optMortgageLoan_Click()
{
    setLoanType(engine::kMortgageLoan);
}

void LoanTypePage::cboCompounding_Click()
{
    if (m_updating)
        return;
    if (m_terms.setCompounding(engine::compoundingCodeAt(m_terms.loanType(), m_cboCompounding->currentIndex())))
        emit edited(0);
}

void LoanTypePage::chkSkipOptional_Click()
{
    m_settings.setValue(kSettingsSection, kStep2,
                        m_chkSkipOptional->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

void LoanTypePage::chkToolTip_Click()
{
    m_settings.setValue(kSettingsSection, kToolTip,
                        m_chkToolTip->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    emit toolTipsSwitched(m_chkToolTip->isChecked());
}

} // namespace app
