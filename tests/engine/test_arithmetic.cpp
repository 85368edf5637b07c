#include "engine/Arithmetic.h"
#include "engine/ArithmeticError.h"
#include "engine/Codes.h"
#include "support/Dates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

using namespace engine;

namespace {

using Kind = ArithmeticError::Kind;

// Runs `computation` and checks that it fails with an arithmetic error of the given kind.
void expectFailure(const std::function<double()> &computation, Kind kind)
{
    try {
        const double value = computation();
        ADD_FAILURE() << "expected an arithmetic error, got " << value;
    } catch (const ArithmeticError &error) {
        EXPECT_EQ(error.kind(), kind) << error.what();
    }
}

} // namespace

TEST(ArithmeticTest, RoundToDigitsAddsTheHalfBeforeScaling)
{
    struct Row
    {
        double x;
        int digits;
        double expected;
    };
    const std::vector<Row> rows = {
        // 2.675 is 2.67499999... in binary; the half added first still lifts it to 2.68.
        {2.675, 2, 2.68},
        {2.665, 2, 2.67},
        // 1.00499999... stays below the half.
        {1.005, 2, 1.0},
        {0.125, 2, 0.13},
        // Exact halves of negative values go towards the larger value.
        {-0.125, 2, -0.12},
        {-2.675, 2, -2.67},
        {-2.5, 0, -2.0},
        {-1.5, 0, -1.0},
        {1.5, 0, 2.0},
        {0.0, 2, 0.0},
        {1234.5678, 4, 1234.5678},
        {0.0649999, 4, 0.065},
        {0.123456, 5, 0.12346},
        // Double arithmetic exactly as the formula goes: x × 100 + 0.5 would round these the other way.
        {0.145, 2, 0.15},
        {1.045, 2, 1.04},
        {1.125, 2, 1.12},
        {-0.065, 2, -0.07},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.x) + " at " + std::to_string(row.digits));
        EXPECT_EQ(roundToDigits(row.x, row.digits), row.expected);
    }
}

TEST(ArithmeticTest, RoundUpToDigitsIgnoresFloatingNoise)
{
    struct Row
    {
        double x;
        double expected;
    };
    const std::vector<Row> rows = {
        {1234.5600000000001, 1234.56}, // excess beyond the fourteenth significant digit is noise
        {1234.561, 1234.57},
        {0.1 + 0.2, 0.3},
        {0.0, 0.0},
        {5.0, 5.0},
        {2.001, 2.01},
        {0.004, 0.01},
        {100.0 / 3, 33.34},
        {19.999999999999996, 20.0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.x);
        EXPECT_EQ(roundUpToDigits(row.x, 2), row.expected);
    }
    expectFailure([] { return roundUpToDigits(-1.5, 2); }, Kind::InvalidArgument);
    expectFailure([] { return roundUpToDigits(-1e-9, 2); }, Kind::InvalidArgument);
}

TEST(ArithmeticTest, CompoundingPeriodsPerYear)
{
    struct Row
    {
        int loanType, compounding;
        double expected;
    };
    const std::vector<Row> rows = {
        {kMortgageLoan, 0, 2},  {kMortgageLoan, 1, 12}, {kMortgageLoan, 2, 1},  {kMortgageLoan, 3, 4},
        {kMortgageLoan, 6, 6}, // any other code is taken as the count itself
        {kPersonalLoan, 0, 12}, {kPersonalLoan, 1, 12}, {kPersonalLoan, 2, 12}, {kPersonalLoan, 3, 12},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.loanType) + "/" + std::to_string(row.compounding));
        EXPECT_EQ(compoundingPerYear(row.loanType, row.compounding), row.expected);
    }
}

TEST(ArithmeticTest, DaysPerYearByExactPeriodsPerYear)
{
    struct Row
    {
        double periodsPerYear;
        double expected;
    };
    const std::vector<Row> rows = {
        {1, 365},
        {12, 365},
        {24, 365},
        {365.25 / 14, 365.25},
        {365.25 / 7, 365.25},
        {365.0 / 14, 365},
        {365.0 / 7, 365},
        {26, 364},
        {52, 364},
        {26.09, 0}, // the rounded label value is not one of the listed quotients
        {52.18, 0},
        {0, 0},
        {13, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.periodsPerYear);
        EXPECT_EQ(daysPerYear(row.periodsPerYear), row.expected);
    }
}

TEST(ArithmeticTest, PeriodicRateForEveryCompoundingAndFrequency)
{
    struct Row
    {
        int loanType, compounding;
        double periodsPerYear;
        double expected;
    };
    // Annual rate 6 %: (1 + 0.06 / n)^(n / p) - 1, with n = 12 for every personal loan.
    const std::vector<Row> rows = {
        {kMortgageLoan, 0, 12, 0.004938622031196882},
        {kMortgageLoan, 0, 24, 0.0024662697723036864},
        {kMortgageLoan, 0, 365.25 / 14, 0.0022685417755277104},
        {kMortgageLoan, 0, 365.0 / 14, 0.002270097333565646},
        {kMortgageLoan, 0, 26, 0.002276340957565015},
        {kMortgageLoan, 0, 365.25 / 7, 0.001133628331167369},
        {kMortgageLoan, 0, 365.0 / 7, 0.001134405229170854},
        {kMortgageLoan, 0, 52, 0.001137523498927262},
        {kMortgageLoan, 0, 1, 0.060899999999999954},
        {kMortgageLoan, 1, 12, 0.004999999999999893},
        {kMortgageLoan, 1, 24, 0.002496882788171062},
        {kMortgageLoan, 1, 365.25 / 14, 0.0022966976466720634},
        {kMortgageLoan, 1, 365.0 / 14, 0.0022982725335531917},
        {kMortgageLoan, 1, 26, 0.002304593739038241},
        {kMortgageLoan, 1, 365.25 / 7, 0.0011476902269076383},
        {kMortgageLoan, 1, 365.0 / 7, 0.0011484767673339835},
        {kMortgageLoan, 1, 52, 0.0011516337393842058},
        {kMortgageLoan, 1, 1, 0.06167781186449828},
        {kMortgageLoan, 2, 12, 0.004867550565343048},
        {kMortgageLoan, 2, 24, 0.002430820837699077},
        {kMortgageLoan, 2, 365.25 / 14, 0.002235938053211761},
        {kMortgageLoan, 2, 365.0 / 14, 0.00223747122965956},
        {kMortgageLoan, 2, 26, 0.0022436250191659735},
        {kMortgageLoan, 2, 365.25 / 7, 0.0011173447969081707},
        {kMortgageLoan, 2, 365.0 / 7, 0.0011181105292519256},
        {kMortgageLoan, 2, 52, 0.00112118398282135},
        {kMortgageLoan, 2, 1, 0.06000000000000005},
        {kMortgageLoan, 3, 12, 0.004975206272652466},
        {kMortgageLoan, 3, 24, 0.0024845167246487776},
        {kMortgageLoan, 3, 365.25 / 14, 0.002285324149893908},
        {kMortgageLoan, 3, 365.0 / 14, 0.002286891228869825},
        {kMortgageLoan, 3, 26, 0.002293181095236463},
        {kMortgageLoan, 3, 365.25 / 7, 0.001142009981548009},
        {kMortgageLoan, 3, 365.0 / 7, 0.0011427926269407251},
        {kMortgageLoan, 3, 52, 0.0011459339652917233},
        {kMortgageLoan, 3, 1, 0.06136355062499965},
        {kPersonalLoan, 0, 12, 0.004999999999999893},
        {kPersonalLoan, 0, 24, 0.002496882788171062},
        {kPersonalLoan, 0, 365.25 / 14, 0.0022966976466720634},
        {kPersonalLoan, 0, 365.0 / 14, 0.0022982725335531917},
        {kPersonalLoan, 0, 26, 0.002304593739038241},
        {kPersonalLoan, 0, 365.25 / 7, 0.0011476902269076383},
        {kPersonalLoan, 0, 365.0 / 7, 0.0011484767673339835},
        {kPersonalLoan, 0, 52, 0.0011516337393842058},
        {kPersonalLoan, 0, 1, 0.06167781186449828},
        {kPersonalLoan, 3, 12, 0.004999999999999893},
        {kPersonalLoan, 3, 24, 0.002496882788171062},
        {kPersonalLoan, 3, 365.25 / 14, 0.0022966976466720634},
        {kPersonalLoan, 3, 365.0 / 14, 0.0022982725335531917},
        {kPersonalLoan, 3, 26, 0.002304593739038241},
        {kPersonalLoan, 3, 365.25 / 7, 0.0011476902269076383},
        {kPersonalLoan, 3, 365.0 / 7, 0.0011484767673339835},
        {kPersonalLoan, 3, 52, 0.0011516337393842058},
        {kPersonalLoan, 3, 1, 0.06167781186449828},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.loanType) + "/" + std::to_string(row.compounding)
                     + " p=" + std::to_string(row.periodsPerYear));
        EXPECT_DOUBLE_EQ(periodicRate(0.06, row.periodsPerYear, row.loanType, row.compounding), row.expected);
    }
    // Canadian semi-annual compounding, monthly payments: 1.03^(1/6) - 1.
    EXPECT_NEAR(periodicRate(0.06, 12, kMortgageLoan, 0), 0.004938622, 1e-9);
    // Monthly compounding with monthly payments is the plain twelfth of the annual rate.
    EXPECT_NEAR(periodicRate(0.06, 12, kPersonalLoan, 0), 0.005, 1e-15);
    EXPECT_NEAR(periodicRate(0.075, 12, kMortgageLoan, 1), 0.075 / 12, 1e-15);
    EXPECT_EQ(periodicRate(0, 12, kMortgageLoan, 0), 0.0);
}

TEST(ArithmeticTest, DailyRateUsesASinglePrecisionExponent)
{
    struct Row
    {
        int loanType, compounding;
        double periodsPerYear;
        double expected;
    };
    // Annual rate 6 %: (1 + 0.06 / n)^e - 1 with e = n / D held as a 32-bit float.
    const std::vector<Row> rows = {
        {kMortgageLoan, 0, 12, 0.0001619791611866539},
        {kMortgageLoan, 0, 24, 0.0001619791611866539},
        {kMortgageLoan, 0, 365.25 / 14, 0.00016186828483966131},
        {kMortgageLoan, 0, 365.0 / 14, 0.0001619791611866539},
        {kMortgageLoan, 0, 26, 0.00016242419479239878},
        {kMortgageLoan, 0, 365.25 / 7, 0.00016186828483966131},
        {kMortgageLoan, 0, 365.0 / 7, 0.0001619791611866539},
        {kMortgageLoan, 0, 52, 0.00016242419479239878},
        {kMortgageLoan, 0, 1, 0.0001619791611866539},
        {kMortgageLoan, 1, 12, 0.00016398740701362158},
        {kMortgageLoan, 1, 24, 0.00016398740701362158},
        {kMortgageLoan, 1, 365.25 / 14, 0.0001638751651749093},
        {kMortgageLoan, 1, 365.0 / 14, 0.00016398740701362158},
        {kMortgageLoan, 1, 26, 0.00016443797263998583},
        {kMortgageLoan, 1, 365.25 / 7, 0.0001638751651749093},
        {kMortgageLoan, 1, 365.0 / 7, 0.00016398740701362158},
        {kMortgageLoan, 1, 52, 0.00016443797263998583},
        {kMortgageLoan, 1, 1, 0.00016398740701362158},
        {kMortgageLoan, 2, 12, 0.00015965359169101134},
        {kMortgageLoan, 2, 24, 0.00015965359169101134},
        {kMortgageLoan, 2, 365.25 / 14, 0.00015954430734654856},
        {kMortgageLoan, 2, 365.0 / 14, 0.00015965359169101134},
        {kMortgageLoan, 2, 26, 0.00016009223534263484},
        {kMortgageLoan, 2, 365.25 / 7, 0.00015954430734654856},
        {kMortgageLoan, 2, 365.0 / 7, 0.00015965359169101134},
        {kMortgageLoan, 2, 52, 0.00016009223534263484},
        {kMortgageLoan, 2, 1, 0.00015965359169101134},
        {kMortgageLoan, 3, 12, 0.00016317619276140505},
        {kMortgageLoan, 3, 24, 0.00016317619276140505},
        {kMortgageLoan, 3, 365.25 / 14, 0.00016306449696767977},
        {kMortgageLoan, 3, 365.0 / 14, 0.00016317619276140505},
        {kMortgageLoan, 3, 26, 0.00016362451544993384},
        {kMortgageLoan, 3, 365.25 / 7, 0.00016306449696767977},
        {kMortgageLoan, 3, 365.0 / 7, 0.00016317619276140505},
        {kMortgageLoan, 3, 52, 0.00016362451544993384},
        {kMortgageLoan, 3, 1, 0.00016317619276140505},
        {kPersonalLoan, 0, 12, 0.00016398740701362158},
        {kPersonalLoan, 0, 24, 0.00016398740701362158},
        {kPersonalLoan, 0, 365.25 / 14, 0.0001638751651749093},
        {kPersonalLoan, 0, 365.0 / 14, 0.00016398740701362158},
        {kPersonalLoan, 0, 26, 0.00016443797263998583},
        {kPersonalLoan, 0, 365.25 / 7, 0.0001638751651749093},
        {kPersonalLoan, 0, 365.0 / 7, 0.00016398740701362158},
        {kPersonalLoan, 0, 52, 0.00016443797263998583},
        {kPersonalLoan, 0, 1, 0.00016398740701362158},
        {kPersonalLoan, 3, 12, 0.00016398740701362158},
        {kPersonalLoan, 3, 24, 0.00016398740701362158},
        {kPersonalLoan, 3, 365.25 / 14, 0.0001638751651749093},
        {kPersonalLoan, 3, 365.0 / 14, 0.00016398740701362158},
        {kPersonalLoan, 3, 26, 0.00016443797263998583},
        {kPersonalLoan, 3, 365.25 / 7, 0.0001638751651749093},
        {kPersonalLoan, 3, 365.0 / 7, 0.00016398740701362158},
        {kPersonalLoan, 3, 52, 0.00016443797263998583},
        {kPersonalLoan, 3, 1, 0.00016398740701362158},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.loanType) + "/" + std::to_string(row.compounding)
                     + " p=" + std::to_string(row.periodsPerYear));
        EXPECT_DOUBLE_EQ(dailyRate(0.06, row.periodsPerYear, row.loanType, row.compounding), row.expected);
    }
    // The full-precision exponent would give 0.00016197915688698217 here, 3e-8 apart.
    EXPECT_NE(dailyRate(0.06, 12, kMortgageLoan, 0), 0.00016197915688698217);
}

TEST(ArithmeticTest, LevelPayment)
{
    struct Row
    {
        double rate, periods, presentValue;
        double expected;
    };
    const std::vector<Row> rows = {
        {0.005, 360, -200000, 1199.1010503055138},
        {0.004938622031196882, 300, -250000, 1599.5165591918355},
        {0.01, 12, 5000, -444.24394339170806}, // a positive present value gives a negative payment
        {0, 10, -1000, 100},
        {1e-17, 7, -1000, 1000.0 / 7}, // 1 + i is exactly 1: the zero-rate payment, no division by zero
        {0.005, 0, -200000, 0},
        {0, 0, -1000, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.rate) + " N=" + std::to_string(row.periods));
        EXPECT_DOUBLE_EQ(levelPayment(row.rate, row.periods, row.presentValue), row.expected);
    }
}

TEST(ArithmeticTest, MinimumPaymentIsOnePeriodsInterestPlusACent)
{
    struct Row
    {
        double amount, rate;
        double expected;
    };
    const std::vector<Row> rows = {
        {100000, 0.005, 500.01},
        {123456.78, 0.004938622031196882, 609.72},
        {250000, 0.0022685417755277104, 567.15},
        {5000, 0, 0.01},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.amount) + " at " + std::to_string(row.rate));
        EXPECT_DOUBLE_EQ(minimumPayment(row.amount, row.rate), row.expected);
    }
}

TEST(ArithmeticTest, RateForPaymentBisection)
{
    struct Row
    {
        const char *name;
        double periods, payment, amount, upperBoundPercent;
        double expected;
        double tolerance; // 0: exactly
    };
    const std::vector<Row> rows = {
        {"monthly 6% US", 360, 1199.1010503055138, 200000, 20, 0.005, 1e-12},
        {"monthly 6% Canadian", 300, 1599.5165591918355, 250000, 25, 0.004938622031196882, 1e-12},
        {"bi-weekly 6% Canadian", 651, 529.445433192109, 180000, 20, 0.0022685417755277104, 1e-12},
        {"no payment collapses to 0", 12, 0, 1000, 20, 0, 0},
        {"a negative payment collapses to 0", 12, -50, 1000, 20, 0, 0},
        // Just below the zero-rate payment the search ends in rounding noise next to 0.
        {"payment below the zero-rate payment", 12, 1000.0 / 12 - 1, 1000, 20, 0, 1e-12},
        {"payment beyond the highest rate stops at the bound", 12, 1000, 1000, 20, 20.0 / 100 / 12, 1e-12},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const double rate = rateForPayment(row.periods, row.payment, row.amount, row.upperBoundPercent);
        if (row.tolerance == 0)
            EXPECT_EQ(rate, row.expected);
        else
            EXPECT_NEAR(rate, row.expected, row.tolerance);
    }
}

TEST(ArithmeticTest, AnnualRateFromPeriodicRate)
{
    struct Row
    {
        double rate, periodsPerYear;
        int compounding;
        double expected;
    };
    const std::vector<Row> rows = {
        {0.004938622031196882, 12, 0, 0.06},
        {0.0022685417755277104, 365.25 / 14, 0, 0.06},
        {0.001137523498927262, 52, 0, 0.06},
        {0.005, 12, 1, 0.06},
        {0.004975206272652466, 12, 3, 0.06},
        {0.005, 12, 0, 0.0607550187875}, // 2 × (1.005^6 - 1), not rounded: a solved rate must give its payment back
        {0.01, 26, 2, 0.2952563149674},
        {0.005, 12, 6, 0.06015}, // any other code is the compounding count itself
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.rate) + " p=" + std::to_string(row.periodsPerYear) + " code "
                     + std::to_string(row.compounding));
        EXPECT_NEAR(annualRateFromPeriodicRate(row.rate, row.periodsPerYear, row.compounding), row.expected, 1e-13);
    }
}

TEST(ArithmeticTest, AnnualRateFromPeriodicRateInvertsThePeriodicRate)
{
    for (int compounding = 0; compounding <= 3; ++compounding) {
        for (double p : {1.0, 12.0, 24.0, 365.25 / 14, 365.0 / 14, 26.0, 365.25 / 7, 365.0 / 7, 52.0}) {
            SCOPED_TRACE("code " + std::to_string(compounding) + " p=" + std::to_string(p));
            const double periodic = periodicRate(0.0725, p, kMortgageLoan, compounding);
            EXPECT_NEAR(annualRateFromPeriodicRate(periodic, p, compounding), 0.0725, 1e-13);
        }
    }
}

TEST(ArithmeticTest, LengthToPeriods)
{
    struct Row
    {
        double length;
        int unit, frequency;
        double expected;
    };
    const std::vector<Row> rows = {
        {25, kYears, kMonthly, 300},
        {300, kMonths, kMonthly, 300},
        {25, kYears, kSemiMonthly, 600},
        {300, kMonths, kSemiMonthly, 600},
        {25, kYears, kBiWeeklyAccelerated, 651.7857142857143}, // 25 × 365 / 14, never 650 or 652
        {25, kYears, kBiWeekly, 651.7857142857143},
        {300, kMonths, kBiWeekly, 651.7857142857143},
        {25, kMonths, kBiWeeklyAccelerated, 54.3154761904762},
        {25, kYears, kWeeklyAccelerated, 1303.5714285714287},
        {25, kYears, kWeekly, 1303.5714285714287},
        {300, kMonths, kWeekly, 1303.5714285714287},
        {25, kYears, kAnnually, 25},
        {25, kMonths, kAnnually, 2.0833333333333335},
        {25, kYears, 7, 0},
        {25, kMonths, 7, 0},
        {25, kYears, -1, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.length) + " unit " + std::to_string(row.unit) + " frequency "
                     + std::to_string(row.frequency));
        EXPECT_DOUBLE_EQ(lengthToPeriods(row.length, row.unit, row.frequency), row.expected);
    }
}

TEST(ArithmeticTest, PeriodsToLength)
{
    struct Row
    {
        double periods;
        int unit, frequency;
        Date start;
        double expected;
    };
    const std::vector<Row> rows = {
        {300, kYears, kMonthly, kNoDate, 25},
        {300, kMonths, kMonthly, kNoDate, 300},
        {300, kYears, kMonthly, ymd(2005, 1, 15), 25}, // the start date only matters for weeks
        {600, kYears, kSemiMonthly, kNoDate, 25},
        {600, kMonths, kSemiMonthly, kNoDate, 300},
        {651.7857142857143, kYears, kBiWeekly, kNoDate, 25},
        {651, kYears, kBiWeekly, kNoDate, 24.969863013698628},
        {651, kMonths, kBiWeeklyAccelerated, kNoDate, 299.63835616438354},
        {1300, kYears, kWeekly, kNoDate, 24.931506849315067},
        {1300, kMonths, kWeeklyAccelerated, kNoDate, 299.1780821917808},
        {25, kYears, kAnnually, kNoDate, 25},
        {25, kMonths, kAnnually, kNoDate, 300},
        {300, kYears, 7, kNoDate, 0},
        // With a start date the weeks are laid on the calendar: 26 × 14 days from 15 Jan 2005 end on 14 Jan 2006.
        {26, kYears, kBiWeekly, ymd(2005, 1, 15), 1 - 1.0 / 365},
        {26, kMonths, kBiWeeklyAccelerated, ymd(2005, 1, 15), 12 - 1.0 / 31},
        // 52 × 7 days from 1 Mar 2004 end on 28 Feb 2005.
        {52, kYears, kWeekly, ymd(2004, 3, 1), 1 - 1.0 / 365},
        {52, kMonths, kWeeklyAccelerated, ymd(2004, 3, 1), 11 + 27.0 / 28},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.periods) + " unit " + std::to_string(row.unit) + " frequency "
                     + std::to_string(row.frequency) + " start " + std::to_string(row.start));
        EXPECT_DOUBLE_EQ(periodsToLength(row.periods, row.unit, row.frequency, row.start), row.expected);
    }
}

TEST(ArithmeticTest, FractionalSpan)
{
    struct Row
    {
        const char *unit;
        Date from, to;
        double expected;
    };
    const std::vector<Row> rows = {
        {"y", ymd(2005, 1, 15), ymd(2005, 7, 15), 181.0 / 365},
        {"y", ymd(2004, 1, 1), ymd(2004, 7, 1), 182.0 / 366}, // a leap year has 366 days
        {"y", ymd(2004, 1, 1), ymd(2005, 1, 1), 1},
        {"y", ymd(2004, 2, 29), ymd(2005, 3, 1), 1 + 1.0 / 365}, // 29 Feb + 1 year is 28 Feb
        {"y", ymd(2004, 12, 31), ymd(2005, 1, 1), 1 - 364.0 / 365}, // one boundary, then back 364 days
        {"y", ymd(2005, 7, 15), ymd(2005, 1, 15), -181.0 / 365},
        {"m", ymd(2005, 1, 31), ymd(2005, 2, 28), 1},
        {"m", ymd(2005, 1, 31), ymd(2005, 3, 15), 2 - 16.0 / 31}, // the remainder may be negative
        {"m", ymd(2004, 1, 31), ymd(2004, 2, 15), 1 - 14.0 / 29},
        {"m", ymd(2005, 1, 15), ymd(2005, 1, 15), 0},
        {"d", ymd(2005, 1, 15), ymd(2006, 1, 15), 0},
        {"", ymd(2005, 1, 15), ymd(2006, 1, 15), 0},
        {"yyyy", ymd(2005, 1, 15), ymd(2006, 1, 15), 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.unit) + " " + std::to_string(row.from) + " to " + std::to_string(row.to));
        EXPECT_DOUBLE_EQ(fractionalSpan(row.unit, row.from, row.to), row.expected);
    }
}

TEST(ArithmeticTest, AnnuityRelations)
{
    struct Row
    {
        const char *name;
        std::function<double()> computation;
        double expected;
    };
    const std::vector<Row> rows = {
        {"future value of 12 deposits", [] { return futureValue(0.005, 12, -100); }, 1233.5562372899656},
        {"future value, payments at the start", [] { return futureValue(0.005, 12, -100, 0, true); },
         1239.7240184764153},
        {"future value with a present value", [] { return futureValue(0.005, 12, -100, 1000); }, 171.87842542546719},
        {"future value at rate 0", [] { return futureValue(0, 12, -100, 1000); }, 200},
        {"present value of 12 payments", [] { return presentValue(0.005, 12, -100); }, 1161.893206681618},
        {"present value, payments at the start", [] { return presentValue(0.005, 12, -100, 0, true); },
         1167.702672715026},
        {"present value of a future value", [] { return presentValue(0.005, 12, 0, 1000); }, -941.9053396659191},
        {"present value at rate 0", [] { return presentValue(0, 12, -100); }, 1200},
        {"periods of a 30-year loan", [] { return nper(0.005, -1199.1010503055138, 200000); }, 360},
        {"periods with a partial last payment", [] { return nper(0.01, -100, 1000); }, 10.58864445942323},
        {"periods, payments at the start", [] { return nper(0.01, -100, 1000, 0, true); }, 10.478145085116816},
        {"periods to save a future value", [] { return nper(0.01, -100, 0, 1000); }, 9.578594039813165},
        {"periods at rate 0", [] { return nper(0, -100, 1000); }, 10},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_NEAR(row.computation(), row.expected, 1e-9 * std::max(1.0, std::abs(row.expected)));
    }
}

TEST(ArithmeticTest, AnnuityFunctionsAgreeWithTheLevelPayment)
{
    struct Row
    {
        double rate, periods, amount;
    };
    const std::vector<Row> rows = {
        {0.005, 360, 200000},
        {0.004938622031196882, 300, 250000},
        {0.0022685417755277104, 651, 180000},
        {0.0001, 12, 1000},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.rate) + " N=" + std::to_string(row.periods));
        const double payment = -levelPayment(row.rate, row.periods, -row.amount);
        EXPECT_NEAR(nper(row.rate, payment, row.amount), row.periods, 1e-7);
        EXPECT_NEAR(presentValue(row.rate, row.periods, payment), row.amount, 1e-6);
        EXPECT_NEAR(futureValue(row.rate, row.periods, payment, row.amount), 0, 1e-6);
    }
}

TEST(ArithmeticTest, PaymentEquivalenceOfTheFrequencies)
{
    struct Factor
    {
        int frequency, factor;
    };
    const std::vector<Factor> factors = {
        {kMonthly, 12}, {kSemiMonthly, 24}, {kBiWeeklyAccelerated, 24}, {kBiWeekly, 26}, {kWeeklyAccelerated, 48},
        {kWeekly, 52},  {kAnnually, 1},
    };
    for (const Factor &row : factors) {
        SCOPED_TRACE(row.frequency);
        EXPECT_EQ(equivalenceFactor(row.frequency), row.factor);
    }

    struct Row
    {
        double payment;
        int from, to;
        double expected;
    };
    const std::vector<Row> rows = {
        {1000, kMonthly, kBiWeeklyAccelerated, 500}, // half the monthly payment
        {1000, kMonthly, kWeeklyAccelerated, 250}, // a quarter of it
        {1000, kMonthly, kSemiMonthly, 500},
        {1000, kMonthly, kBiWeekly, 461.53846153846155}, // the monthly payment spread over 26
        {1000, kMonthly, kWeekly, 230.76923076923077},
        {500, kBiWeeklyAccelerated, kMonthly, 1000},
        {461.53846153846155, kBiWeekly, kMonthly, 1000},
        {250, kWeeklyAccelerated, kBiWeekly, 461.53846153846155},
        {1000, kMonthly, kMonthly, 1000},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.payment) + " from " + std::to_string(row.from) + " to "
                     + std::to_string(row.to));
        EXPECT_DOUBLE_EQ(equivalentPayment(row.payment, row.from, row.to), row.expected);
    }
}

TEST(ArithmeticTest, FailuresComeBackAsErrorsNeverAsInfinityOrNan)
{
    struct Row
    {
        const char *name;
        std::function<double()> computation;
        Kind kind;
    };
    const double noPeriods = periodsPerYearValue(kBiWeekly, 3); // an index outside 0..2
    const std::vector<Row> rows = {
        {"periodic rate, no periods per year", [=] { return periodicRate(0.06, noPeriods, kMortgageLoan, 0); },
         Kind::DivisionByZero},
        {"periodic rate of a personal loan, no periods per year",
         [=] { return periodicRate(0.06, noPeriods, kPersonalLoan, 0); }, Kind::DivisionByZero},
        {"daily rate, no periods per year", [=] { return dailyRate(0.06, noPeriods, kMortgageLoan, 0); },
         Kind::DivisionByZero},
        {"daily rate, unlisted periods per year", [] { return dailyRate(0.06, 26.09, kMortgageLoan, 0); },
         Kind::DivisionByZero},
        {"round up of a negative amount", [] { return roundUpToDigits(-0.01, 2); }, Kind::InvalidArgument},
        {"rounding beyond the range of a double", [] { return roundToDigits(1e308, 2); }, Kind::Overflow},
        {"periodic rate beyond the range of a double", [] { return periodicRate(1e10, 0.001, kMortgageLoan, 0); },
         Kind::Overflow},
        {"present value beyond the range of a double", [] { return presentValue(1, 2000, -100); }, Kind::Overflow},
        {"future value beyond the range of a double", [] { return futureValue(1, 2000, -100); }, Kind::Overflow},
        {"level payment of an infinite amount",
         [] { return levelPayment(0.01, 12, -std::numeric_limits<double>::infinity()); }, Kind::Overflow},
        {"periods for a payment below the interest", [] { return nper(0.01, -5, 1000); }, Kind::InvalidArgument},
        {"periods for no payment at rate 0", [] { return nper(0, 0, 1000); }, Kind::DivisionByZero},
        {"a nan passed through", [] { return checkedResult(std::nan("")); }, Kind::Overflow},
    };
    EXPECT_EQ(noPeriods, 0.0);
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        expectFailure(row.computation, row.kind);
    }
}
