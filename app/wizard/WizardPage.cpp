#include "WizardPage.h"

#include "ui/NumberField.h"

#include "engine/NumberFormat.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace app {

WizardPage::WizardPage(engine::LoanTerms &terms, const engine::NumberFormat &format, QWidget *parent)
    : QWidget(parent)
    , m_terms(terms)
    , m_format(format)
{ }

QLabel *WizardPage::labelFor(const QWidget *control) const
{
    return m_labels.value(control, nullptr);
}

void WizardPage::showToolTips(bool shown)
{
    for (auto it = m_tips.cbegin(); it != m_tips.cend(); ++it)
        it.key()->setToolTip(shown ? it.value() : QString());
}

std::optional<double> WizardPage::value(const QLineEdit *field) const
{
    return ui::numberFieldValue(field, m_format);
}

QLineEdit *WizardPage::numberField(const char *name, double maximum, int decimals)
{
    return ui::numberField(name, maximum, decimals, m_format);
}

QLineEdit *WizardPage::readOnlyField(const char *name, const QString &widest)
{
    auto *field = new QLineEdit;
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    // Shown on the dialog's own background, as read-only fields are, so that nobody tries to type in it.
    QPalette look = field->palette();
    look.setColor(QPalette::Base, look.color(QPalette::Window));
    field->setPalette(look);
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(widest) + 16);
    return field;
}

QGridLayout *WizardPage::formGrid()
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    return grid;
}

QLabel *WizardPage::addRow(QGridLayout *grid, int row, const QString &label, QWidget *field, int span)
{
    auto *caption = new QLabel(label);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caption->setBuddy(field);
    grid->addWidget(caption, row, 0);
    grid->addWidget(field, row, 1, 1, span);
    m_labels.insert(field, caption);
    return caption;
}

void WizardPage::setFieldText(QLineEdit *field, const QString &text)
{
    if (field->text() == text)
        return;
    const QScopedValueRollback guard(m_updating, m_updating + 1);
    field->setText(text);
    field->setCursorPosition(0);
}

void WizardPage::chainTabs(const QList<QWidget *> &controls)
{
    for (qsizetype i = 1; i < controls.size(); ++i)
        setTabOrder(controls[i - 1], controls[i]);
}

void WizardPage::showNumber(QLineEdit *field, engine::LoanTerms::Field which)
{
    const std::optional<double> number = m_terms.value(which);
    setFieldText(field, number ? ui::numberFieldText(*number, m_terms.shownDecimals(which), m_format) : QString());
}

} // namespace app
