#pragma once

#include "engine/Dates.h"

#include <QDate>
#include <QDialog>
#include <QHash>

#include <functional>
#include <optional>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QToolButton;

namespace engine {
class NumberFormat;
}

namespace app {

class MainWindow;
class frmChild;

// The Loan Data Wizard: four steps through which a loan is entered (File > New) or changed (File > Properties).
// It keeps its fields consistent while they are typed and writes the document only on Finish.
//
// Every control has a getter and every handler is a public slot, so that the dialog can be driven without exec().
// Handlers of user edits are connected to the controls' change signals; changes the wizard makes itself are
// made while `m_updating` is held, so they never run the handlers again.
//
// How the fields follow each other:
// - Optional information: a price or down-payment edit first refreshes the other down-payment field (dollars
//   to the cent, percent to 4 decimals), then the premium (unless the user typed one), then the amount borrowed.
// - Loan data: the basic payment is the calculated field when the wizard opens. An edit of the loan amount, rate
//   or amortization refreshes the periodic rate and then the calculated field; amounts are rounded to the cent,
//   the amortization to 4 decimals, the rate as the rate conversion rounds it. A new frequency carries the payment
//   over first and then gives the amortization that payment needs; a new unit converts the length.
// - Term: the date the user fixes leads and the other follows through the calendar; the number of periods is
//   typed, and the term texts and the last payment follow it.
class frmWizard : public QDialog
{
    Q_OBJECT

public:
    // Today's date; replaceable so that a new document's dates do not depend on the day the tests run.
    using Clock = std::function<QDate()>;

    enum Step { StepLoanType = 1, StepOptional = 2, StepLoanData = 3, StepTerm = 4 };
    enum class CalculatedField { LoanAmount, InterestRate, Amortization, BasicPayment };

    // Upper limits of the numeric fields.
    static constexpr double kMaxWholeAmount = 9999999999.0; // purchase price, down payment, amount borrowed
    static constexpr double kMaxAmount = 9999999999.99; // loan amount, basic payment
    static constexpr double kMaxPercent = 1000; // interest rate, down payment in percent, CMHC premium
    static constexpr double kMaxAmortization = 9999;
    static constexpr double kMaxPeriods = 90000;

    // The list positions of the two coded lists, by code.
    static int compoundingCode(int loanType, int listPosition); // -1 for a position the list does not have
    static int compoundingPosition(int loanType, int code); // -1 when the list does not hold the code
    static int frequencyCode(int listPosition);
    static int frequencyPosition(int code);

    // Opens on `document`: a new one when the shell is not in properties mode, else the document's own values.
    frmWizard(MainWindow &shell, frmChild &document, Clock today = {}, QWidget *parent = nullptr);
    ~frmWizard() override;

    int step() const { return m_step; }
    CalculatedField calculatedField() const { return m_calculated; }
    int loanType() const { return m_loanType; }
    int compounding() const { return m_compounding; }
    int frequency() const { return m_frequency; }
    int startPaymentOption() const { return m_startPayment; }
    bool downPaymentInPercent() const { return m_downPaymentInPercent; }
    bool loanDataChanged() const { return m_loanDataChanged; }
    bool titleChanged() const { return m_titleChanged; }
    // True when closing removed lump sums that fall outside the loan's dates.
    bool lumpSumsRemoved() const { return m_lumpSumsRemoved; }
    engine::Date startDate() const;
    engine::Date firstPaymentDue() const;
    engine::Date lastPaymentDue() const { return m_lastPaymentDue; }
    // The number a numeric field holds; nothing when it is empty or does not hold a number.
    std::optional<double> value(const QLineEdit *field) const;

    QPushButton *cmdBack() const { return m_cmdBack; }
    QPushButton *cmdNext() const { return m_cmdNext; }
    QPushButton *cmdCancel() const { return m_cmdCancel; }
    QStackedWidget *pages() const { return m_pages; }
    // Step 1.
    QRadioButton *optPersonalLoan() const { return m_optPersonalLoan; }
    QRadioButton *optMortgageLoan() const { return m_optMortgageLoan; }
    QComboBox *cboCompounding() const { return m_cboCompounding; }
    QCheckBox *chkSkipOptional() const { return m_chkSkipOptional; }
    QCheckBox *chkToolTip() const { return m_chkToolTip; }
    // Step 2.
    QLineEdit *txtTitle() const { return m_txtTitle; }
    QPlainTextEdit *txtComments() const { return m_txtComments; }
    QLineEdit *txtPurchasePrice() const { return m_txtPurchasePrice; }
    QLineEdit *txtDownPaymentPercent() const { return m_txtDownPaymentPercent; }
    QLineEdit *txtDownPaymentDollars() const { return m_txtDownPaymentDollars; }
    QLineEdit *txtCMHC() const { return m_txtCMHC; }
    QLineEdit *txtAmountBorrowed() const { return m_txtAmountBorrowed; }
    // Step 3.
    QLineEdit *txtLoanAmount() const { return m_txtLoanAmount; }
    QLineEdit *txtAnnualRate() const { return m_txtAnnualRate; }
    QLineEdit *txtPeriodicRate() const { return m_txtPeriodicRate; }
    QLineEdit *txtAmortization() const { return m_txtAmortization; }
    QComboBox *cboAmortUnit() const { return m_cboAmortUnit; }
    QComboBox *cboFrequency() const { return m_cboFrequency; }
    QLineEdit *txtBasicPayment() const { return m_txtBasicPayment; }
    QComboBox *cboPeriodsPerYear() const { return m_cboPeriodsPerYear; }
    QToolButton *cmdCalculate(CalculatedField field) const;
    QLabel *lblCalculatedField() const { return m_lblCalculatedField; }
    // Step 4.
    QRadioButton *optAmountBorrowedOnDate() const { return m_optAmountBorrowedOnDate; }
    QRadioButton *optFirstPaymentOnDate() const { return m_optFirstPaymentOnDate; }
    QLabel *lblStartDate() const { return m_lblStartDate; }
    QLabel *lblFirstPaymentDue() const { return m_lblFirstPaymentDue; }
    QDateEdit *dtpStartDate() const { return m_dtpStartDate; }
    QDateEdit *dtpFirstPaymentDue() const { return m_dtpFirstPaymentDue; }
    QLineEdit *txtTermYearsMonths() const { return m_txtTermYearsMonths; }
    QLineEdit *txtTermMonths() const { return m_txtTermMonths; }
    QLineEdit *txtNumberOfPeriods() const { return m_txtNumberOfPeriods; }
    QLineEdit *txtLastPaymentDue() const { return m_txtLastPaymentDue; }

    // The label that names a control, as the dialog shows it (for tests of layout and texts).
    QLabel *labelFor(const QWidget *control) const;

public slots:
    void cmdNext_Click();
    void cmdBack_Click();
    void cmdCancel_Click();

    void optPersonalLoan_Click();
    void optMortgageLoan_Click();
    void cboCompounding_Click();
    void chkSkipOptional_Click();
    void chkToolTip_Click();

    void txtTitle_Change();
    void txtComments_Change();
    void txtPurchasePrice_Change();
    void txtDownPaymentPercent_Change();
    void txtDownPaymentDollars_Change();
    void txtCMHC_Change();
    void txtAmountBorrowed_Change();

    void txtLoanAmount_Change();
    void txtAnnualRate_Change();
    void txtAmortization_Change();
    void cboAmortUnit_Click();
    void cboFrequency_Click();
    void txtBasicPayment_Change();
    void cboPeriodsPerYear_Click();
    void cmdCalcLoanAmount_Click();
    void cmdCalcInterestRate_Click();
    void cmdCalcAmortization_Click();
    void cmdCalcBasicPayment_Click();

    void optAmountBorrowedOnDate_Click();
    void optFirstPaymentOnDate_Click();
    void dtpStartDate_Change();
    void dtpFirstPaymentDue_Change();
    void txtNumberOfPeriods_Change();

    // Escape and the window's close button cancel, as the Cancel button does.
    void reject() override;
    void done(int result) override;

private:
    void buildLoanTypePage();
    void buildOptionalPage();
    void buildLoanDataPage();
    void buildTermPage();
    QLineEdit *numberField(double maximum, int decimals);
    QDateEdit *dateField();
    QLabel *addRow(QGridLayout *grid, int row, const QString &label, QWidget *field, int span = 1);
    void setTip(QWidget *control, const QString &tip);
    void applyToolTips();

    void loadNewDocument();
    void loadDocument();
    void showStep(int step);
    void updateButtons();
    bool filled(const QLineEdit *field) const;

    void setLoanType(int loanType);
    void fillCompoundingList();
    void setMoney(QLineEdit *field, std::optional<double> amount);
    void setNumber(QLineEdit *field, std::optional<double> number, int decimals);
    void setFieldText(QLineEdit *field, const QString &text);

    void deriveDownPayment();
    void deriveCMHC();
    void deriveAmountBorrowed();

    void enterLoanData();
    void enterTerm();
    double periodsPerYear() const;
    int periodsPerYearIndex() const;
    int effectiveCompounding() const;
    double periodicRate() const;
    void refreshPeriodicRate();
    void setCalculatedField(CalculatedField field);
    void recalculate();
    void recomputeBasicPayment();
    void carryPaymentOver(int fromFrequency);
    void amortizationFromPayment();

    void setStartPayment(int option, bool follow);
    void arrangeDates();
    void followDates(bool fromStartDate);
    void setDates(engine::Date start, engine::Date first);
    engine::Date anchorDate() const;
    void refreshTerm();

    void markLoanData() { m_loanDataChanged = true; }
    void Finish();
    void removeLumpSumsOutsideTerm();

    MainWindow &m_shell;
    frmChild &m_document;
    const engine::NumberFormat &m_format;
    Clock m_today;
    bool m_propertiesMode = false;
    int m_updating = 0;
    int m_step = StepLoanType;

    int m_loanType = 1;
    int m_compounding = 0;
    int m_frequency = 0;
    int m_startPayment = 1;
    bool m_downPaymentInPercent = false;
    bool m_cmhcGiven = false; // the user typed a premium: it is no longer derived from the down payment
    CalculatedField m_calculated = CalculatedField::BasicPayment;

    bool m_titleChanged = false;
    bool m_loanDataChanged = false;
    bool m_amountBorrowedChanged = false;
    bool m_compoundingChanged = false;
    bool m_loanInputsChanged = false;
    bool m_lumpSumsRemoved = false;
    bool m_closed = false;

    engine::Date m_previousStartDate = engine::kNoDate;
    engine::Date m_lastPaymentDue = engine::kNoDate;

    QHash<QWidget *, QString> m_toolTips;
    QHash<const QWidget *, QLabel *> m_labels;

    QLabel *m_banner = nullptr;
    QStackedWidget *m_pages = nullptr;
    QPushButton *m_cmdBack = nullptr;
    QPushButton *m_cmdNext = nullptr;
    QPushButton *m_cmdCancel = nullptr;

    QRadioButton *m_optPersonalLoan = nullptr;
    QRadioButton *m_optMortgageLoan = nullptr;
    QComboBox *m_cboCompounding = nullptr;
    QCheckBox *m_chkSkipOptional = nullptr;
    QCheckBox *m_chkToolTip = nullptr;

    QLineEdit *m_txtTitle = nullptr;
    QPlainTextEdit *m_txtComments = nullptr;
    QLineEdit *m_txtPurchasePrice = nullptr;
    QLineEdit *m_txtDownPaymentPercent = nullptr;
    QLineEdit *m_txtDownPaymentDollars = nullptr;
    QLineEdit *m_txtCMHC = nullptr;
    QLineEdit *m_txtAmountBorrowed = nullptr;

    QLineEdit *m_txtLoanAmount = nullptr;
    QLineEdit *m_txtAnnualRate = nullptr;
    QLineEdit *m_txtPeriodicRate = nullptr;
    QLineEdit *m_txtAmortization = nullptr;
    QComboBox *m_cboAmortUnit = nullptr;
    QComboBox *m_cboFrequency = nullptr;
    QLineEdit *m_txtBasicPayment = nullptr;
    QComboBox *m_cboPeriodsPerYear = nullptr;
    QButtonGroup *m_calculators = nullptr;
    QLabel *m_lblCalculatedField = nullptr;

    QRadioButton *m_optAmountBorrowedOnDate = nullptr;
    QRadioButton *m_optFirstPaymentOnDate = nullptr;
    QGridLayout *m_datesGrid = nullptr;
    QLabel *m_lblStartDate = nullptr;
    QLabel *m_lblFirstPaymentDue = nullptr;
    QDateEdit *m_dtpStartDate = nullptr;
    QDateEdit *m_dtpFirstPaymentDue = nullptr;
    QLineEdit *m_txtTermYearsMonths = nullptr;
    QLineEdit *m_txtTermMonths = nullptr;
    QLineEdit *m_txtNumberOfPeriods = nullptr;
    QLineEdit *m_txtLastPaymentDue = nullptr;
};

} // namespace app
