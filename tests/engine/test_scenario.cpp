#include "engine/Arithmetic.h"
#include "engine/Codes.h"
#include "engine/NumberFormat.h"
#include "engine/Scenario.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace engine;

namespace {

const NumberFormat kFormat = NumberFormat::englishUS();

// 100,000 at 6 %, compounded semi-annually, repaid monthly over 25 years: 639.81 a month.
Scenario canadianMortgage()
{
    Scenario s(0);
    s.loanAmountChanged(100000);
    s.annualRateChanged(6);
    s.amortizationChanged(25);
    return s;
}

} // namespace

TEST(ScenarioTest, UnknownCompoundingIsRefused)
{
    // A damaged "Interest Compound" setting must not reach the rate formula as a compounding count.
    EXPECT_EQ(Scenario(7).compounding(), 0);
    EXPECT_EQ(Scenario(3).compounding(), 3);
    Scenario s(3);
    s.compoundingChanged(4);
    EXPECT_EQ(s.compounding(), 3);
}

TEST(ScenarioTest, OpensBlank)
{
    const Scenario s(1);
    EXPECT_FALSE(s.payment());
    EXPECT_FALSE(s.periodicRate());
    EXPECT_EQ(s.numberOfPeriods(), 0);
    EXPECT_EQ(s.minimumPayment(), 0);
    EXPECT_EQ(s.paymentState(), PaymentState::Normal);
    for (const auto &row : s.table(kFormat)) {
        for (const std::string &cell : row)
            EXPECT_EQ(cell, "");
    }
}

TEST(ScenarioTest, InputsGiveTheLevelPayment)
{
    Scenario s = canadianMortgage();
    EXPECT_NEAR(*s.periodicRate(), 0.004938622031, 1e-12);
    EXPECT_EQ(s.numberOfPeriods(), 300);
    EXPECT_NEAR(*s.payment(), 639.8066236767, 1e-9);
    EXPECT_EQ(s.minimumPayment(), 493.87); // 100,000 × 0.4938622 % + one cent
    EXPECT_EQ(s.paymentState(), PaymentState::Normal);

    // Amortization in months and a new compounding both recompute the payment.
    s.amortizationChanged(300);
    s.amortizationUnitChanged(kMonths);
    EXPECT_EQ(s.numberOfPeriods(), 300);
    s.compoundingChanged(1);
    EXPECT_NEAR(*s.payment(), 644.3014, 1e-4); // 6 % / 12 a month

    // Without an amortization there is nothing to compute.
    s.amortizationChanged(std::nullopt);
    EXPECT_FALSE(s.payment());
    EXPECT_EQ(s.minimumPayment(), 0);
}

TEST(ScenarioTest, TypedPaymentStates)
{
    struct Case
    {
        const char *what;
        Blankable typed;
        PaymentState state;
    };
    const std::vector<Case> cases = {
        {"one cent below the computed payment", 639.80, PaymentState::Differs},
        {"above the computed payment", 700.0, PaymentState::Differs},
        {"exactly the minimum", 493.87, PaymentState::Differs},
        {"one cent below the minimum", 493.86, PaymentState::BelowMinimum},
        {"nothing", 0.0, PaymentState::BelowMinimum},
        {"the computed payment typed back", 639.81, PaymentState::Normal},
        {"an emptied field", std::nullopt, PaymentState::Normal},
    };
    Scenario s = canadianMortgage();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        s.paymentChanged(c.typed);
        EXPECT_EQ(s.paymentState(), c.state);
        EXPECT_NEAR(*s.payment(), c.typed.value_or(639.8066236767), 1e-9);
    }
}

TEST(ScenarioTest, ChangedInputsReplaceATypedPayment)
{
    Scenario s = canadianMortgage();
    s.paymentChanged(800);
    s.loanAmountChanged(200000);
    EXPECT_NEAR(*s.payment(), 2 * 639.8066236767, 1e-8);
    EXPECT_EQ(s.paymentState(), PaymentState::Normal);
}

TEST(ScenarioTest, FrequencyChangeCarriesThePaymentOver)
{
    struct Case
    {
        int frequency;
        double payment;
    };
    // From a typed monthly 1,000, each step carries the previous payment over.
    const std::vector<Case> steps = {
        {kBiWeeklyAccelerated, 500},   {kWeeklyAccelerated, 250}, {kWeekly, 1000.0 * 12 / 52},
        {kBiWeekly, 1000.0 * 12 / 26}, {kSemiMonthly, 500},       {kMonthly, 1000},
    };
    Scenario s = canadianMortgage();
    s.paymentChanged(1000);
    for (const Case &step : steps) {
        SCOPED_TRACE(step.frequency);
        s.frequencyChanged(step.frequency);
        EXPECT_EQ(s.frequency(), step.frequency);
        EXPECT_NEAR(*s.payment(), step.payment, 1e-9);
        EXPECT_EQ(s.paymentState(), PaymentState::Differs);
    }
    s.frequencyChanged(6); // annual payments are not on the calculator's list
    EXPECT_EQ(s.frequency(), kMonthly);
}

TEST(ScenarioTest, FrequencyChangeFollowsWithTheNumberOfPeriods)
{
    Scenario s = canadianMortgage();
    s.frequencyChanged(kWeekly);
    EXPECT_NEAR(s.numberOfPeriods(), 25 * 365.0 / 7, 1e-9);
    EXPECT_NEAR(s.periodsPerYear(), 365.25 / 7, 1e-12);
    // Back on monthly payments the carried-over payment is the computed one again.
    s.frequencyChanged(kMonthly);
    EXPECT_EQ(s.numberOfPeriods(), 300);
    EXPECT_NEAR(*s.payment(), 639.8066236767, 1e-9);
    EXPECT_EQ(s.paymentState(), PaymentState::Normal);
}

TEST(ScenarioTest, DaysInYearMovesTheSelectedRateButKeepsThePayment)
{
    Scenario s = canadianMortgage();
    s.frequencyChanged(kWeekly);
    s.paymentChanged(150);
    s.daysInYearChanged(2);
    EXPECT_EQ(s.periodsPerYear(), 52);
    EXPECT_EQ(*s.payment(), 150);
    EXPECT_EQ(s.paymentState(), PaymentState::Differs);
    s.daysInYearChanged(3);
    EXPECT_EQ(s.daysInYearIndex(), 2);
}

TEST(ScenarioTest, ComparisonTableWorkedNumbers)
{
    // Expected texts worked out independently; each row's payment is the monthly 639.81 carried over.
    const ScenarioTable expected = {{
        {"0.4938622031%", "$639.81", "25 YR 0 MTH", "$91,940.68", "$28,225.07", "$89,836.47"},
        {"0.2466269772%", "$319.90", "24 YR 11 MTH", "$91,404.39", "$28,170.22", "$89,782.22"},
        {"0.2268541776%", "$319.90", "20 YR 11 MTH", "$74,340.04", "$27,623.84", "$85,894.03"},
        {"0.2268541776%", "$295.30", "24 YR 9 MTH", "$90,520.24", "$28,144.28", "$89,623.45"},
        {"0.1133628331%", "$159.95", "20 YR 11 MTH", "$74,145.19", "$27,596.35", "$85,866.54"},
        {"0.1133628331%", "$147.65", "24 YR 9 MTH", "$90,275.78", "$28,118.90", "$89,598.07"},
    }};
    Scenario s = canadianMortgage();
    s.termChanged(5);
    EXPECT_EQ(s.table(kFormat), expected);
    // The same loan chosen weekly gives the same comparison.
    s.frequencyChanged(kWeekly);
    EXPECT_EQ(s.table(kFormat)[0][scnPayment], "$639.81");
    // A term in months counts twelfths of the row's year.
    s.frequencyChanged(kMonthly);
    s.termChanged(60);
    s.termUnitChanged(kMonths);
    EXPECT_EQ(s.table(kFormat), expected);
}

TEST(ScenarioTest, RowsAgreeWithTheAnnuityFunctions)
{
    Scenario s = canadianMortgage();
    s.daysInYearChanged(1);
    s.termChanged(7);
    s.paymentChanged(700);
    const ScenarioTable table = s.table(kFormat);
    const std::vector<int> factor = {12, 24, 24, 26, 48, 52};
    const std::vector<double> perYear = {12, 24, 365.0 / 14, 365.0 / 14, 365.0 / 7, 365.0 / 7};
    for (int row = 0; row < kScenarioRows; ++row) {
        SCOPED_TRACE(row);
        const double rate = periodicRate(0.06, perYear[size_t(row)], kMortgageLoan, 0);
        const double payment = roundToDigits(700.0 * 12 / factor[size_t(row)], 2);
        const double n = nper(rate, -payment, 100000);
        const double t = 7 * perYear[size_t(row)];
        const double balance = futureValue(rate, t, payment, -100000);
        const int wholePerYear = row == 0 ? 12 : int(perYear[size_t(row)]);
        EXPECT_EQ(table[size_t(row)][scnPeriodicRate], kFormat.percent(rate, 10, true));
        EXPECT_EQ(table[size_t(row)][scnPayment], kFormat.currency(payment));
        EXPECT_EQ(table[size_t(row)][scnAmortization], amortizationText(n, wholePerYear));
        EXPECT_EQ(table[size_t(row)][scnInterestForAmortization], kFormat.currency(payment * n - 100000));
        EXPECT_EQ(table[size_t(row)][scnInterestForTerm], kFormat.currency(payment * t - (100000 - balance)));
        EXPECT_EQ(table[size_t(row)][scnTermEndingBalance], kFormat.currency(balance));
    }
}

TEST(ScenarioTest, RowsZeroAndOneIgnoreTheDaysInYear)
{
    Scenario s = canadianMortgage();
    const ScenarioTable by36525 = s.table(kFormat);
    s.daysInYearChanged(2);
    const ScenarioTable by364 = s.table(kFormat);
    for (int row = 0; row < kScenarioRows; ++row) {
        SCOPED_TRACE(row);
        if (row <= kSemiMonthly)
            EXPECT_EQ(by364[size_t(row)], by36525[size_t(row)]);
        else
            EXPECT_NE(by364[size_t(row)][scnPeriodicRate], by36525[size_t(row)][scnPeriodicRate]);
    }
    EXPECT_EQ(by364[kBiWeeklyAccelerated][scnPeriodicRate], "0.2276340958%"); // 26 payments a year
    EXPECT_EQ(by364[kWeekly][scnAmortization], "24 YR 10 MTH");
}

TEST(ScenarioTest, TermCellsOnlyWhileTheLoanRunsPastTheTerm)
{
    // Interest-free: 12,000 over ten years is 100 a month, 120 payments, and every term figure is exact.
    Scenario s(0);
    s.loanAmountChanged(12000);
    s.annualRateChanged(0);
    s.amortizationChanged(10);

    struct Case
    {
        const char *what;
        Blankable term;
        int unit;
        std::vector<std::string> balances; // by row; interest for the term is 0 wherever a balance shows
    };
    const std::vector<Case> cases = {
        {"no term", std::nullopt, kYears, {"", "", "", "", "", ""}},
        {"the monthly amortization exactly", 10, kYears, {"", "", "", "", "", ""}},
        // 119 months hold 119 monthly and 238 semi-monthly payments, 258.7 bi-weekly and 517.4 weekly ones;
        // the accelerated loans are repaid by then (240 and 480 payments), the plain ones not (260.02, 519.93).
        {"a month short", 119, kMonths, {"$100.00", "$100.00", "", "$60.13", "", "$57.54"}},
        {"a year", 1, kYears, {"$10,800.00", "$10,800.00", "$10,695.54", "$10,795.98", "$10,695.54", "$10,795.72"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        s.termChanged(c.term);
        s.termUnitChanged(c.unit);
        const ScenarioTable table = s.table(kFormat);
        for (int row = 0; row < kScenarioRows; ++row) {
            SCOPED_TRACE(row);
            EXPECT_EQ(table[size_t(row)][scnTermEndingBalance], c.balances[size_t(row)]);
            EXPECT_EQ(table[size_t(row)][scnInterestForTerm], c.balances[size_t(row)].empty() ? "" : "$0.00");
            EXPECT_FALSE(table[size_t(row)][scnAmortization].empty());
        }
    }
}

TEST(ScenarioTest, BlankInputsBlankTheirResults)
{
    struct Case
    {
        const char *what;
        void (*blank)(Scenario &);
        bool rates;
    };
    const std::vector<Case> cases = {
        {"loan amount", [](Scenario &s) { s.loanAmountChanged(std::nullopt); }, true},
        {"annual rate", [](Scenario &s) { s.annualRateChanged(std::nullopt); }, false},
        {"amortization", [](Scenario &s) { s.amortizationChanged(std::nullopt); }, true},
        {"not-a-number rate", [](Scenario &s) { s.annualRateChanged(std::nan("")); }, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Scenario s = canadianMortgage();
        s.termChanged(5);
        c.blank(s);
        for (const auto &row : s.table(kFormat)) {
            EXPECT_EQ(row[scnPeriodicRate].empty(), !c.rates);
            for (int column = scnPayment; column < kScenarioColumns; ++column)
                EXPECT_EQ(row[size_t(column)], "");
        }
    }
}

TEST(ScenarioTest, APaymentThatNeverRepaysStillShowsTheTermBalance)
{
    Scenario s = canadianMortgage();
    s.termChanged(1);
    s.paymentChanged(400); // below the monthly interest of 493.86
    const ScenarioTable table = s.table(kFormat);
    EXPECT_EQ(s.paymentState(), PaymentState::BelowMinimum);
    EXPECT_EQ(table[kMonthly][scnPayment], "$400.00");
    EXPECT_EQ(table[kMonthly][scnAmortization], "");
    EXPECT_EQ(table[kMonthly][scnInterestForAmortization], "");
    // The balance grows: 100,000 × 1.03^2 less twelve payments of 400 with their interest.
    const double rate = periodicRate(0.06, 12, kMortgageLoan, 0);
    const double balance = 100000 * 1.0609 - 400 * (std::pow(1 + rate, 12) - 1) / rate;
    EXPECT_EQ(table[kMonthly][scnTermEndingBalance], kFormat.currency(balance));
    EXPECT_EQ(table[kMonthly][scnInterestForTerm], kFormat.currency(4800 - (100000 - balance)));

    // A zero payment and the largest inputs the fields take give no failure either.
    s.paymentChanged(0);
    EXPECT_EQ(s.table(kFormat)[kMonthly][scnTermEndingBalance], "$106,090.00");
    s.loanAmountChanged(9999999999.99);
    s.annualRateChanged(1000);
    s.amortizationChanged(9999);
    s.termChanged(9999);
    EXPECT_FALSE(s.payment().has_value() && !std::isfinite(*s.payment()));
    for (const auto &row : s.table(kFormat)) {
        for (const std::string &cell : row)
            EXPECT_EQ(cell.find("nan"), std::string::npos) << cell;
    }
}

TEST(ScenarioTest, AmortizationText)
{
    struct Case
    {
        double periods;
        int perYear;
        const char *text;
    };
    const std::vector<Case> cases = {
        {259.2, 12, "21 YR 7 MTH"}, // 21.6 years, months not zero-filled
        {300, 12, "25 YR 0 MTH"},    {299.95, 12, "25 YR 0 MTH"}, // within half a hundredth of a year counts as whole
        {299.9, 12, "24 YR 11 MTH"}, {544.98, 26, "20 YR 11 MTH"}, {0, 12, "0 YR 0 MTH"}, {12, 0, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.periods);
        EXPECT_EQ(amortizationText(c.periods, c.perYear), c.text);
    }
}
