#pragma once

#include <array>
#include <optional>
#include <string>

namespace engine {

class NumberFormat;

// A value the user may leave empty.
using Blankable = std::optional<double>;

// How the payment on show stands against the payment the inputs give.
enum class PaymentState {
    Normal, // the computed payment, to the cent (or no payment at all)
    Differs, // another payment that still reduces the balance
    BelowMinimum, // a payment that does not even cover one period's interest
};

inline constexpr int kScenarioRows = 6; // one per frequency code 0..5
inline constexpr int kScenarioColumns = 6;

// The comparison table's columns, in order.
enum ScenarioColumn {
    scnPeriodicRate,
    scnPayment,
    scnAmortization,
    scnInterestForAmortization,
    scnInterestForTerm,
    scnTermEndingBalance,
};

inline constexpr const char *kScenarioTableTitle = "Comparison of Payment Frequencies";
inline constexpr const char *kScenarioRowHeading = "Payment Frequency";
inline constexpr std::array<const char *, kScenarioRows> kScenarioRowCaptions = {
    "Monthly", "Semi-Monthly", "Bi-Weekly(acc)", "Bi-Weekly", "Weekly(acc)", "Weekly"};
inline constexpr std::array<const char *, kScenarioColumns> kScenarioColumnCaptions = {
    "Periodic Rate:", "Payment Amount", "Amortization", "Int for Amortization", "Interest for Term", "Term Ending Bal"};
// The days-in-year list, by periods-per-year index.
inline constexpr std::array<const char *, 3> kDaysInYearTexts = {"365.25", "365", "364"};

// The table's texts, by frequency row and column; a blank result is an empty text.
using ScenarioTable = std::array<std::array<std::string, kScenarioColumns>, kScenarioRows>;

// The what-if calculator: the working values of a loan that belongs to no document, and what every payment
// frequency would make of it. Each input handler updates the derived values in a fixed order, so the payment
// on show is the one a user expects after that input. Calculation errors never escape: a result that
// cannot be computed is blank.
class Scenario
{
public:
    // Opens with 365.25 days a year, amortization in years, monthly payments and every input blank;
    // an unknown compounding code counts as semi-annual.
    explicit Scenario(int compounding = 0);

    // Input handlers. Codes outside their lists are ignored; a non-finite number counts as blank.
    void loanAmountChanged(Blankable amount);
    void annualRateChanged(Blankable percent); // the rate as typed, in percent
    void amortizationChanged(Blankable length);
    void amortizationUnitChanged(int unit);
    void compoundingChanged(int compounding);
    // Carries the payment over to the new frequency through its monthly equivalent.
    void frequencyChanged(int frequency);
    // A typed payment; an emptied field brings back the computed payment.
    void paymentChanged(Blankable payment);
    void daysInYearChanged(int index);
    void termChanged(Blankable term);
    void termUnitChanged(int unit);

    Blankable loanAmount() const { return m_loanAmount; }
    Blankable annualRate() const { return m_annualRate; } // a fraction
    int compounding() const { return m_compounding; }
    int frequency() const { return m_frequency; }
    Blankable amortization() const { return m_amortization; }
    int amortizationUnit() const { return m_amortizationUnit; }
    double numberOfPeriods() const { return m_numberOfPeriods; }
    double periodsPerYear() const { return m_periodsPerYear; }
    Blankable periodicRate() const { return m_periodicRate; }
    Blankable payment() const { return m_payment; }
    double minimumPayment() const { return m_minimumPayment; }
    PaymentState paymentState() const { return m_paymentState; }
    int daysInYearIndex() const { return m_daysInYearIndex; }
    Blankable term() const { return m_term; }
    int termUnit() const { return m_termUnit; }

    // The level payment of the inputs; blank without an amortization or a rate.
    Blankable computedPayment() const;

    ScenarioTable table(const NumberFormat &format) const;

private:
    void setAmortization(Blankable length);
    void refreshSelectedRate();
    void updatePayment(Blankable given);
    void classifyPayment();

    Blankable m_loanAmount;
    Blankable m_annualRate;
    int m_compounding = 0;
    int m_frequency = 0;
    Blankable m_amortization;
    int m_amortizationUnit = 0;
    double m_numberOfPeriods = 0;
    double m_periodsPerYear = 12;
    Blankable m_periodicRate;
    Blankable m_payment;
    double m_minimumPayment = 0;
    PaymentState m_paymentState = PaymentState::Normal;
    int m_daysInYearIndex = 0;
    Blankable m_term;
    int m_termUnit = 0;
};

// The amortization as whole years and months ("21 YR 7 MTH"), for `periods` payments of which
// `periodsPerYear` (whole) fall in a year.
std::string amortizationText(double periods, int periodsPerYear);

} // namespace engine
