#pragma once

#include "engine/LoanTerms.h"

#include <QHash>
#include <QWidget>

#include <optional>

class QGridLayout;
class QLabel;
class QLineEdit;

namespace engine {
class NumberFormat;
}

namespace app {

// One step of the Loan Data Wizard: its controls over the wizard's loan terms. A handler sets the value the user
// gave in the terms and reports the fields the terms derived from it (`edited`); the wizard then shows them again on
// every page (`refresh`). Changes a page makes to its own controls are made while its handlers are held off, so
// they never run a handler again.
class WizardPage : public QWidget
{
    Q_OBJECT

public:
    WizardPage(engine::LoanTerms &terms, const engine::NumberFormat &format, QWidget *parent = nullptr);

    // Shows the terms' numbers of `fields`, and everything derived that the page shows.
    virtual void refresh(engine::LoanTerms::Fields fields) = 0;
    // The control that takes the focus when the page is shown.
    virtual QWidget *firstControl() const = 0;

    // The label that names a control, as the page shows it.
    QLabel *labelFor(const QWidget *control) const;
    void showToolTips(bool shown);
    // The number a numeric field holds; nothing when it is empty or does not hold a number.
    std::optional<double> value(const QLineEdit *field) const;

signals:
    void edited(engine::LoanTerms::Fields fields);

protected:
    // A number field that takes at most `decimals` decimals and nothing above `maximum`.
    QLineEdit *numberField(const char *name, double maximum, int decimals);
    // A field that shows what the wizard derives.
    QLineEdit *readOnlyField(const char *name, const QString &widest);
    QGridLayout *formGrid();
    QLabel *addRow(QGridLayout *grid, int row, const QString &label, QWidget *field, int span = 1);
    void nameWith(QWidget *control, QLabel *label) { m_labels.insert(control, label); }
    void setTip(QWidget *control, const QString &tip) { m_tips.insert(control, tip); }
    // Tab goes through `controls` in this order.
    static void chainTabs(const QList<QWidget *> &controls);

    // Shows a number of the terms in its field: amounts with their two decimals, other numbers with the decimals
    // that matter (3.75, not 3.7500).
    void showNumber(QLineEdit *field, engine::LoanTerms::Field which);
    void setFieldText(QLineEdit *field, const QString &text);

    engine::LoanTerms &m_terms;
    const engine::NumberFormat &m_format;
    // Held (above 0) while the page changes its own controls: the handlers then do nothing.
    int m_updating = 0;

private:
    QHash<QWidget *, QString> m_tips;
    QHash<const QWidget *, QLabel *> m_labels;
};

} // namespace app
