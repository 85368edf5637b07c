#pragma once

#include "Codes.h"
#include "Limits.h"
#include "LoanDates.h"

#include <array>
#include <bit>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

namespace engine {

struct LoanDocument;

inline constexpr const char *kStartDateMessage = "Start Date must be less than First Payment Due";

// The four main quantities of a loan: one of them is derived from the other three.
enum class CalculatedField { LoanAmount, InterestRate, Amortization, BasicPayment };

// The loan as the Loan Data Wizard holds it while it is entered: every number as its field shows it (nothing for an
// empty field), and the rules that keep the fields consistent with one another.
//
// Each edit stores the user's value and returns the fields it then derived, so that a window shows exactly those
// again. How the fields follow each other:
// - Optional information: a price or down-payment edit first refreshes the other down-payment field (dollars to
//   the cent, percent to 4 decimals), then the premium (unless the user gave one), then the amount borrowed.
// - Loan data: an edit of the loan amount, rate or amortization refreshes the calculated field; amounts are rounded
//   to the cent, the amortization to 4 decimals; a solved rate is kept as precise as its payment needs. A new frequency
//   solves the calculated field again from the other three; to or from an accelerated frequency the payment is carried
//   over instead, and the amortization follows it. Frequencies looked at one after the other all start from the loan as
//   it was before the first, and coming back to its frequency gives that loan back. A new unit converts the length.
// - Term: the date the user fixes leads and the other follows through the calendar; the number of periods is typed,
//   and the term and the last payment follow it.
class LoanTerms
{
public:
    using Amount = std::optional<double>;

    // The numeric fields, as bits of the set an operation returns.
    enum Field : unsigned {
        PurchasePrice = 1u << 0,
        DownPaymentPercent = 1u << 1,
        DownPaymentDollars = 1u << 2,
        Cmhc = 1u << 3,
        AmountBorrowed = 1u << 4,
        LoanAmount = 1u << 5,
        AnnualRate = 1u << 6,
        Amortization = 1u << 7,
        BasicPayment = 1u << 8,
        NumberOfPeriods = 1u << 9,
    };
    using Fields = unsigned;
    static constexpr int kFieldCount = 10;
    static constexpr Fields kAllFields = (1u << kFieldCount) - 1;
    // How many decimals a field takes.
    static constexpr int decimals(Field field)
    {
        return field == AnnualRate                                                  ? 5
            : field == DownPaymentPercent || field == Cmhc || field == Amortization ? 4
            : field == NumberOfPeriods                                              ? 0
                                                                                    : 2;
    }
    // How many decimals of a field's number are kept: a solved or stored rate keeps what its payment needs to repay
    // the loan to the cent, far more than anybody types.
    static constexpr int keptDecimals(Field field) { return field == AnnualRate ? 12 : decimals(field); }
    // How many decimals a field shows: a rate with more decimals than can be typed shows four, as the schedule does.
    int shownDecimals(Field field) const;

    // A new loan: a mortgage with the compounding and the start-payment option last chosen, its first payment
    // today and its start one installment period earlier.
    static LoanTerms forNewDocument(int compounding, int startPaymentOption, Date today);
    // An existing loan's values; `today` stands in for a first payment the document does not have.
    static LoanTerms fromDocument(const LoanDocument &doc, Date today);

    int loanType() const { return m_loanType; }
    int compounding() const { return m_compounding; }
    const std::string &title() const { return m_title; }
    const std::string &comments() const { return m_comments; }
    Amount value(Field field) const { return m_values[at(field)]; }
    bool downPaymentInPercent() const { return m_downPaymentInPercent; }
    int amortUnit() const { return m_amortUnit; }
    int frequency() const { return m_frequency; }
    // Whether each period's interest is rounded to the cent, as lenders do.
    bool roundInterestEachPeriod() const { return m_roundInterestEachPeriod; }
    // The year-length list's choice, kept while a frequency without that choice is chosen.
    int yearLengthChoice() const { return m_yearLengthChoice; }
    CalculatedField calculatedField() const { return m_calculated; }
    const LoanDates &dates() const { return m_dates; }
    int startPaymentOption() const { return m_dates.option(); }
    Date startDate() const { return m_dates.start(); }
    Date firstPaymentDue() const { return m_dates.firstPaymentDue(); }

    bool titleChanged() const { return m_titleChanged; }
    bool loanDataChanged() const { return m_loanDataChanged; }

    // Step 1. False when the value was already the current one.
    bool setLoanType(int loanType);
    bool setCompounding(int code);

    // Step 2.
    void setTitle(std::string title);
    void setComments(std::string comments);
    Fields setPurchasePrice(Amount price);
    Fields setDownPaymentPercent(Amount percent);
    Fields setDownPaymentDollars(Amount dollars);
    // `given`: the user typed a premium; it then no longer follows the down payment. Clearing it hands it back.
    Fields setCmhc(Amount premium, bool given);
    Fields setAmountBorrowed(Amount amount);

    // Step 3.
    Fields setLoanAmount(Amount amount);
    Fields setAnnualRate(Amount percent);
    Fields setAmortization(Amount length);
    Fields setBasicPayment(Amount payment);
    Fields setAmortUnit(int unit);
    Fields setFrequency(int code);
    Fields setYearLengthChoice(int index);
    Fields setCalculatedField(CalculatedField field);
    // Changes how the schedule is computed, not the fields: false when it was already so.
    bool setRoundInterestEachPeriod(bool round);

    // Step 4.
    void setStartPaymentOption(int option);
    // False when the start date is not before the first payment: the previous start date is then restored.
    bool setStartDate(Date date);
    void setFirstPaymentDue(Date date);
    void setNumberOfPeriods(Amount periods);

    // Moving on to the loan data: the amount borrowed and a changed compounding are carried over.
    Fields enterLoanData();
    // Moving on to the term: changed loan data give the number of periods that covers the amortization.
    Fields enterTerm();
    // The four main fields are filled.
    bool loanDataComplete() const;
    // At least one payment, and a last payment the calendar can still date.
    bool termComplete() const;

    // The periods per year of the frequency and the year length, and the rate per installment period.
    int periodsPerYearIndex() const;
    double periodsPerYear() const;
    std::optional<double> periodicRate() const;
    // The calendar's anchor: the day the money was lent, or the first payment.
    Date anchorDate() const { return m_dates.anchor(); }

    using Term = LoanDates::Term;
    // The term of the number of periods; empty when there is none.
    Term term() const;

    enum class Outcome {
        Incomplete, // a main field or the term is missing: nothing was written
        Unchanged, // an existing loan whose loan data did not change: nothing to recompute
        Written, // the loan was written into the document
    };
    struct FinishResult
    {
        Outcome outcome = Outcome::Incomplete;
        bool titleWritten = false; // the title and comments changed and were written
    };
    // Finish: writes the loan into `doc` (an existing document when `existing`), clearing its change tables when
    // the first payment moved, or cropping them to a new term.
    FinishResult writeTo(LoanDocument &doc, bool existing) const;
    // Lump sums dated on or before the start, or after the last payment, can never be paid; true when any went.
    bool removeLumpSumsOutsideTerm(LoanDocument &doc) const;

private:
    static size_t at(Field field) { return size_t(std::countr_zero(unsigned(field))); }
    Amount read(Field field) const;
    void set(Field field, Amount value);
    double ratePerPeriod() const;

    // Everything the wizard holds but the frequencies looked at.
    auto held() const
    {
        return std::tie(m_loanType, m_compounding, m_title, m_comments, m_values, m_downPaymentInPercent, m_cmhcGiven,
                        m_amortUnit, m_frequency, m_yearLengthChoice, m_calculated, m_roundInterestEachPeriod, m_dates,
                        m_titleChanged, m_loanDataChanged, m_amountBorrowedChanged, m_compoundingChanged,
                        m_loanInputsChanged);
    }

    // A copy without the frequencies looked at.
    std::shared_ptr<const LoanTerms> snapshot() const;

    Fields solve();
    Fields recomputeBasicPayment();
    Fields carryPaymentOver(int fromFrequency);
    Fields amortizationFromPayment();
    Fields deriveDownPayment();
    Fields deriveCmhc();
    Fields deriveAmountBorrowed();
    Fields deriveOptionalInformation();

    int m_loanType = kMortgageLoan;
    int m_compounding = 0;
    std::string m_title;
    std::string m_comments;
    std::array<Amount, kFieldCount> m_values; // by field, as each shows its number; m_values[at(AnnualRate)] in percent
    bool m_downPaymentInPercent = false;
    bool m_cmhcGiven = false;
    int m_amortUnit = kYears;
    int m_frequency = kMonthly;
    int m_yearLengthChoice = 1;
    CalculatedField m_calculated = CalculatedField::BasicPayment;
    bool m_roundInterestEachPeriod = false;
    LoanDates m_dates;

    bool m_titleChanged = false;
    bool m_loanDataChanged = false;
    bool m_amountBorrowedChanged = false;
    bool m_compoundingChanged = false;
    bool m_loanInputsChanged = false;

    // While the user only looks at other frequencies: the loan before the first of them, and as the last one left it.
    std::shared_ptr<const LoanTerms> m_lookedFrom;
    std::shared_ptr<const LoanTerms> m_lookedAt;
};

// The insurance premium offered, in percent, for a down payment in percent (the user may give another).
double cmhcPremium(double downPaymentPercent);

} // namespace engine
