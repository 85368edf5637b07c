#include "TermPage.h"

#include "app/SettingsKeys.h"
#include "ui/DateField.h"
#include "ui/UserDialogs.h"

#include "engine/Limits.h"
#include "engine/NumberFormat.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QStyle>
#include <QVBoxLayout>

namespace app {

using Terms = engine::LoanTerms;

TermPage::TermPage(engine::LoanTerms &terms, const engine::NumberFormat &format, ui::UserDialogs &dialogs,
                   QWidget *parent)
    : WizardPage(terms, format, parent)
    , m_dialogs(dialogs)
{
    auto *options = new QGroupBox(QStringLiteral("Date Selection Options"));
    m_optAmountBorrowedOnDate = new QRadioButton(QStringLiteral("Amount Borrowed on selected Date"));
    m_optFirstPaymentOnDate = new QRadioButton(QStringLiteral("First Payment on Selected Date"));
    m_optAmountBorrowedOnDate->setObjectName(QStringLiteral("optAmountBorrowedOnDate"));
    m_optFirstPaymentOnDate->setObjectName(QStringLiteral("optFirstPaymentOnDate"));
    auto *optionsLayout = new QVBoxLayout(options);
    optionsLayout->setSpacing(4);
    optionsLayout->addWidget(m_optAmountBorrowedOnDate);
    optionsLayout->addWidget(m_optFirstPaymentOnDate);

    m_datesGrid = formGrid();
    const QString dateTip = QStringLiteral("tip: Use the Arrow keys to change the date");
    // Made on the page at once: laid out only when the option is known, they would otherwise join the dialog's tab
    // order after its buttons.
    m_dtpStartDate = new ui::DateField(m_format, this);
    m_dtpStartDate->setObjectName(QStringLiteral("dtpStartDate"));
    setTip(m_dtpStartDate, dateTip);
    m_dtpFirstPaymentDue = new ui::DateField(m_format, this);
    m_dtpFirstPaymentDue->setObjectName(QStringLiteral("dtpFirstPaymentDue"));
    setTip(m_dtpFirstPaymentDue, dateTip);
    m_lblStartDate = new QLabel(QStringLiteral("Amount Borrowed on:"));
    m_lblFirstPaymentDue = new QLabel(QStringLiteral("First Payment due on:"));
    for (QLabel *label : {m_lblStartDate, m_lblFirstPaymentDue})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblStartDate->setBuddy(m_dtpStartDate);
    m_lblFirstPaymentDue->setBuddy(m_dtpFirstPaymentDue);
    nameWith(m_dtpStartDate, m_lblStartDate);
    nameWith(m_dtpFirstPaymentDue, m_lblFirstPaymentDue);
    m_datesGrid->setColumnStretch(2, 1);

    auto *term = new QGroupBox(QStringLiteral("Term:"));
    auto *termGrid = formGrid();
    term->setLayout(termGrid);
    const QString widest = QStringLiteral("9999 Years 11 Months");
    m_txtTermYearsMonths = readOnlyField("txtTermYearsMonths", widest);
    m_txtTermMonths = readOnlyField("txtTermMonths", widest);
    m_txtNumberOfPeriods = numberField("txtNumberOfPeriods", engine::kMaxPeriods, 0);
    m_txtLastPaymentDue = readOnlyField("txtLastPaymentDue", widest);
    addRow(termGrid, 0, QStringLiteral("Term Length:"), m_txtTermYearsMonths);
    addRow(termGrid, 1, QStringLiteral("Term Length:"), m_txtTermMonths);
    addRow(termGrid, 2, QStringLiteral("Number of Periods:"), m_txtNumberOfPeriods);
    addRow(termGrid, 3, QStringLiteral("Last Payment Due:"), m_txtLastPaymentDue);
    termGrid->setColumnStretch(2, 1);
    // The date labels line up with the term's labels inside their frame.
    int labelWidth = 0;
    for (QLabel *label : term->findChildren<QLabel *>())
        labelWidth = std::max(labelWidth, label->sizeHint().width());
    for (QLabel *label : {m_lblStartDate, m_lblFirstPaymentDue})
        labelWidth =
            std::max(labelWidth, label->fontMetrics().horizontalAdvance(QStringLiteral("First Payment due on:")));
    termGrid->setColumnMinimumWidth(0, labelWidth);
    m_datesGrid->setColumnMinimumWidth(0, labelWidth);
    const int inset = termGrid->contentsMargins().left() + term->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    m_datesGrid->setContentsMargins(inset, 0, 0, 0);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 14, 24, 12);
    layout->addWidget(options);
    layout->addSpacing(6);
    layout->addLayout(m_datesGrid);
    layout->addSpacing(6);
    layout->addWidget(term);
    layout->addStretch(1);
    // The dates first (their own order follows the option), then the options and the number of periods.
    chainTabs({m_dtpStartDate, m_dtpFirstPaymentDue, m_optAmountBorrowedOnDate, m_optFirstPaymentOnDate,
               m_txtNumberOfPeriods});

    connect(m_optAmountBorrowedOnDate, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optAmountBorrowedOnDate_Click();
    });
    connect(m_optFirstPaymentOnDate, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optFirstPaymentOnDate_Click();
    });
    connect(m_dtpStartDate, &ui::DateField::dateChanged, this, &TermPage::dtpStartDate_Change);
    connect(m_dtpFirstPaymentDue, &ui::DateField::dateChanged, this, &TermPage::dtpFirstPaymentDue_Change);
    // A refused date is said and set back, as a start date after the first payment is.
    for (ui::DateField *field : {m_dtpStartDate, m_dtpFirstPaymentDue})
        connect(field, &ui::DateField::dateRefused, this, [this](const QString &message) {
            m_dialogs.message(window(), kSettingsName, message, ui::UserDialogs::Ok,
                              ui::UserDialogs::Icon::Information);
            emit edited(0);
        });
    connect(m_txtNumberOfPeriods, &QLineEdit::textChanged, this, &TermPage::txtNumberOfPeriods_Change);
}

QWidget *TermPage::firstControl() const
{
    return m_terms.startPaymentOption() != 0 ? m_dtpStartDate : m_dtpFirstPaymentDue;
}

void TermPage::refresh(engine::LoanTerms::Fields fields)
{
    if (fields & Terms::NumberOfPeriods)
        showNumber(m_txtNumberOfPeriods, Terms::NumberOfPeriods);
    showDates();
    const Terms::Term term = m_terms.term();
    setFieldText(m_txtTermYearsMonths, QString::fromStdString(term.yearsAndMonths));
    setFieldText(m_txtTermMonths, QString::fromStdString(term.months));
    setFieldText(m_txtLastPaymentDue,
                 term.lastPaymentDue != engine::kNoDate
                     ? QString::fromStdString(m_format.formatDate(term.lastPaymentDue))
                     : QString());
}

void TermPage::showDates()
{
    const QScopedValueRollback guard(m_updating, m_updating + 1);
    const bool borrowedFirst = m_terms.startPaymentOption() != 0;
    (borrowedFirst ? m_optAmountBorrowedOnDate : m_optFirstPaymentOnDate)->setChecked(true);
    // Tab reaches the option in force, not its neighbour.
    for (QRadioButton *option : {m_optAmountBorrowedOnDate, m_optFirstPaymentOnDate})
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    m_dtpStartDate->setDate(ui::toQDate(m_terms.startDate()));
    m_dtpFirstPaymentDue->setDate(ui::toQDate(m_terms.firstPaymentDue()));
    if (m_arrangedFor != m_terms.startPaymentOption())
        arrangeDates();
}

// The date the user fixes comes first, under the label the option gives it.
void TermPage::arrangeDates()
{
    m_arrangedFor = m_terms.startPaymentOption();
    for (QWidget *widget : {static_cast<QWidget *>(m_lblStartDate), static_cast<QWidget *>(m_dtpStartDate),
                            static_cast<QWidget *>(m_lblFirstPaymentDue), static_cast<QWidget *>(m_dtpFirstPaymentDue)})
        m_datesGrid->removeWidget(widget);
    const bool borrowedFirst = m_arrangedFor != 0;
    const int startRow = borrowedFirst ? 0 : 1;
    m_datesGrid->addWidget(m_lblStartDate, startRow, 0);
    m_datesGrid->addWidget(m_dtpStartDate, startRow, 1);
    m_datesGrid->addWidget(m_lblFirstPaymentDue, 1 - startRow, 0);
    m_datesGrid->addWidget(m_dtpFirstPaymentDue, 1 - startRow, 1);
    m_lblFirstPaymentDue->setText(borrowedFirst ? QStringLiteral("First Payment due on:")
                                                : QStringLiteral("First Payment on:"));
    if (borrowedFirst)
        setTabOrder(m_dtpStartDate, m_dtpFirstPaymentDue);
    else
        setTabOrder(m_dtpFirstPaymentDue, m_dtpStartDate);
}

void TermPage::setStartPaymentOption(int option)
{
    if (m_updating)
        return;
    m_terms.setStartPaymentOption(option);
    emit edited(0);
}

void TermPage::optAmountBorrowedOnDate_Click()
{
    setStartPaymentOption(1);
}

void TermPage::optFirstPaymentOnDate_Click()
{
    setStartPaymentOption(0);
}

void TermPage::dtpStartDate_Change()
{
    if (m_updating)
        return;
    if (!m_terms.setStartDate(ui::toSerial(m_dtpStartDate->date())))
        m_dialogs.message(window(), kSettingsName, QString::fromLatin1(engine::kStartDateMessage), ui::UserDialogs::Ok,
                          ui::UserDialogs::Icon::Information);
    emit edited(0);
}

void TermPage::dtpFirstPaymentDue_Change()
{
    if (m_updating)
        return;
    m_terms.setFirstPaymentDue(ui::toSerial(m_dtpFirstPaymentDue->date()));
    emit edited(0);
}

void TermPage::txtNumberOfPeriods_Change()
{
    if (m_updating)
        return;
    m_terms.setNumberOfPeriods(value(m_txtNumberOfPeriods));
    emit edited(0);
}

} // namespace app
