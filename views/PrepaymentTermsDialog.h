#pragma once

#include "engine/Dates.h"
#include "engine/PrepaymentTerms.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace engine {
class NumberFormat;
}
namespace ui {
class DateField;
class UserDialogs;
} // namespace ui

namespace views {

// The prepayment terms of a document: the mortgage kind (or none), its privileges, the term's maturity and how its
// penalty is charged. The dialog changes nothing: OK accepts it with the terms chosen, for the caller to give the
// document; terms the engine refuses get its message and the dialog stays open.
class PrepaymentTermsDialog : public QDialog
{
    Q_OBJECT

public:
    // `terms`: the document's, none when it has none. `lastPaymentDate`: the schedule's, shown as the maturity of
    // terms that follow it. Messages are titled `title`.
    PrepaymentTermsDialog(const std::optional<engine::PrepaymentTerms> &terms, engine::Date lastPaymentDate,
                          const engine::NumberFormat &format, ui::UserDialogs &dialogs, const QString &title,
                          QWidget *parent = nullptr);

    // What OK accepted the dialog with: none when the terms are off.
    const std::optional<engine::PrepaymentTerms> &chosen() const { return m_chosen; }

    // The combo boxes' entries hold their engine values as item data (the kind: -1 for off).
    QComboBox *kind() const { return m_kind; }
    QLineEdit *lumpSumPercent() const { return m_lumpSumPercent; }
    QLineEdit *minimumLumpSum() const { return m_minimumLumpSum; }
    QLineEdit *paymentIncreasePercent() const { return m_increasePercent; }
    QComboBox *increaseOf() const { return m_increaseOf; }
    QComboBox *caps() const { return m_caps; }
    QComboBox *privilegeYear() const { return m_privilegeYear; }
    ui::DateField *maturity() const { return m_maturity; }
    QComboBox *method() const { return m_method; }
    QLineEdit *percentByLoanYear() const { return m_percentByYear; }
    QComboBox *comparison() const { return m_comparison; }
    QLineEdit *originalPostedRate() const { return m_postedRate; }
    QComboBox *chargeOn() const { return m_chargeOn; }
    QLineEdit *flatFee() const { return m_flatFee; }
    QPushButton *okButton() const { return m_ok; }

public slots:
    // Takes the fields as terms; accepts the dialog when they are sound, otherwise says why.
    void accept() override;

private:
    void showTerms(const engine::PrepaymentTerms &terms);
    void kindChosen();
    void enableFields();
    std::optional<engine::PrepaymentTerms> read(QString &problem) const;

    const engine::NumberFormat &m_format;
    ui::UserDialogs &m_dialogs;
    QString m_title;
    engine::Date m_lastPaymentDate;
    engine::Date m_storedMaturity; // the document's own, kNoDate when its terms follow the schedule
    std::optional<engine::PrepaymentTerms> m_chosen;
    bool m_wasOff = true; // the kind shown before the last choice was off

    QComboBox *m_kind = nullptr;
    QLineEdit *m_lumpSumPercent = nullptr;
    QLineEdit *m_minimumLumpSum = nullptr;
    QLineEdit *m_increasePercent = nullptr;
    QComboBox *m_increaseOf = nullptr;
    QComboBox *m_caps = nullptr;
    QComboBox *m_privilegeYear = nullptr;
    ui::DateField *m_maturity = nullptr;
    QComboBox *m_method = nullptr;
    QLineEdit *m_percentByYear = nullptr;
    QComboBox *m_comparison = nullptr;
    QLineEdit *m_postedRate = nullptr;
    QComboBox *m_chargeOn = nullptr;
    QLineEdit *m_flatFee = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace views
