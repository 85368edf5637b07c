#include "engine/Calendar.h"
#include "engine/ChangeTables.h"
#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"
#include "engine/Prepayment.h"
#include "engine/Schedule.h"

#include "support/Dates.h"
#include "support/WorkedMortgage.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

PenaltyInputs inputs(PenaltyMethod method, double amount, double contract, double comparison, int months)
{
    PenaltyInputs in;
    in.method = method;
    in.amount = amount;
    in.contractRate = contract;
    in.comparisonRate = comparison;
    in.monthsLeft = months;
    in.daysLeft = months * 30;
    in.percentByLoanYear = {2, 2, 1};
    return in;
}

// The worked mortgage lent 400,000 (payment 2,326.42), with terms and lump sums paid on the dates given.
LoanDocument withLumpSums(const PrepaymentTerms &terms, const std::vector<std::pair<Date, double>> &lumps,
                          std::optional<std::pair<Date, double>> paymentChange = std::nullopt)
{
    const NumberFormat format;
    LoanDocument doc = worked::mortgage();
    doc.gdblLoanAmount = 400000;
    doc.gdblBasicPayment = 2326.42;
    doc.prepaymentTerms = terms;
    for (const auto &[date, amount] : lumps)
        addLumpSum(doc.gridLumpSum, date, amount, format);
    if (paymentChange)
        putChangeEntry(doc.gridBasicPayment, paymentChange->first, paymentChange->second, format);
    EXPECT_TRUE(Calculate(doc, format));
    return doc;
}

PrepaymentTerms tenPercent()
{
    PrepaymentTerms terms;
    terms.lumpSumPercent = 10;
    return terms;
}

} // namespace

// Published lenders' examples, each figure rounded half up from unrounded intermediates; the rules of the Interest Act
// (from the fifth anniversary of a term over five years, three months' interest only), of a term with under three
// months left (interest to maturity) and of the percentage by loan year.
TEST(Prepayment, PenaltyFigures)
{
    const NumberFormat format;
    PenaltyInputs posted = inputs(PenaltyMethod::GreaterOfThreeMonthsAndIrd, 300000, 0.025, 0, 24);
    posted.originalPostedRate = 0.035;
    posted.postedToday = 0.0294;
    PenaltyInputs fiveYears = inputs(PenaltyMethod::GreaterOfThreeMonthsAndIrd, 200000, 0.04, 0.02, 30);
    fiveYears.fiveYearRule = true;
    PenaltyInputs shortTerm = inputs(PenaltyMethod::GreaterOfThreeMonthsAndIrd, 100000, 0.05, 0.01, 2);
    shortTerm.daysLeft = 61;
    PenaltyInputs secondYear = inputs(PenaltyMethod::PercentByLoanYear, 150000, 0.05, 0, 40);
    secondYear.loanYear = 2;
    secondYear.flatFee = 250;
    PenaltyInputs fourthYear = secondYear;
    fourthYear.loanYear = 4;
    const struct
    {
        const char *name;
        PenaltyInputs in;
        double comparison, interest;
        std::optional<double> ird;
        double charge;
        const char *formula; // one of the formulas shown
    } cases[] = {
        {"discounted IRD, full payout", inputs(PenaltyMethod::GreaterOfThreeMonthsAndIrd, 285250, 0.03, 0.025, 31),
         0.025, 2139.38, 3684.48, 3684.48, "IRD = 285,250.00 × (3.0000% − 2.5000%) × 31 ÷ 12 = 3,684.48"},
        {"excess only", inputs(PenaltyMethod::GreaterOfThreeMonthsAndIrd, 500000, 0.04, 0.03, 26), 0.03, 5000, 10833.33,
         10833.33, "Three months' interest = 500,000.00 × 4.0000% × 3 ÷ 12 = 5,000.00"},
        {"posted rate less the discount", posted, 0.0194, 1875, 3360, 3360,
         "Comparison rate = 2.9400% − (3.5000% − 2.5000%) = 1.9400%"},
        {"rates risen: no IRD", inputs(PenaltyMethod::GreaterOfThreeMonthsAndIrd, 285250, 0.03, 0.035, 31), 0.035,
         2139.38, std::nullopt, 2139.38, "IRD = none: 3.0000% − 3.5000% is not positive"},
        {"Interest Act after five years", fiveYears, 0.02, 2000, std::nullopt, 2000, "Interest Act, section 10"},
        {"under three months left", shortTerm, 0.01, 835.62, std::nullopt, 835.62,
         "Interest to maturity = 100,000.00 × 5.0000% × 61 ÷ 365 = 835.62"},
        {"variable: three months only", inputs(PenaltyMethod::ThreeMonthsInterest, 285250, 0.03, 0.01, 31), 0.01,
         2139.38, std::nullopt, 2139.38, "Charge = 2,139.38 = 2,139.38"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const PenaltyFigures f = penaltyFigures(c.in, format);
        EXPECT_NEAR(f.comparisonRate, c.comparison, 1e-12);
        EXPECT_DOUBLE_EQ(f.threeMonthsInterest, c.interest);
        EXPECT_EQ(f.ird, c.ird);
        EXPECT_DOUBLE_EQ(f.charge, c.charge);
        bool found = false;
        for (const std::string &formula : f.formulas)
            found = found || formula.find(c.formula) != std::string::npos;
        EXPECT_TRUE(found) << c.formula;
    }

    const struct
    {
        PenaltyInputs in;
        double percent, charge;
    } percentCases[] = {{secondYear, 2, 3250}, {fourthYear, 0, 250}};
    for (const auto &c : percentCases) {
        SCOPED_TRACE(c.in.loanYear);
        const PenaltyFigures f = penaltyFigures(c.in, format);
        EXPECT_DOUBLE_EQ(f.percent, c.percent);
        EXPECT_DOUBLE_EQ(f.charge, c.charge);
    }
}

// 400,000 at a 10 % privilege may prepay 40,000.00 a privilege year: 30,000 and 15,000 in one year take it over by
// 5,000.00, marked on the second; in two years nothing is over. From the first payment on 1 March 2025, 1 March 2026
// and 15 February 2027 fall in one loan year but two calendar years. Unused room is not carried.
TEST(Prepayment, PrivilegeYears)
{
    PrepaymentTerms loanYear = tenPercent();
    loanYear.privilegeYear = PrivilegeYearKind::LoanYear;
    const struct
    {
        const char *name;
        PrepaymentTerms terms;
        std::vector<std::pair<Date, double>> lumps;
        int markedYear; // 0: no mark
        double over;
    } cases[] = {
        {"one calendar year", tenPercent(), {{ymd(2026, 3, 1), 30000}, {ymd(2026, 9, 1), 15000}}, 2026, 5000},
        {"two calendar years", tenPercent(), {{ymd(2026, 3, 1), 30000}, {ymd(2027, 3, 1), 15000}}, 0, 0},
        {"two calendar years, one loan year",
         tenPercent(),
         {{ymd(2026, 3, 1), 30000}, {ymd(2027, 2, 15), 15000}},
         0,
         0},
        {"one loan year", loanYear, {{ymd(2026, 3, 1), 30000}, {ymd(2027, 2, 15), 15000}}, 2026, 5000},
        {"the next loan year", loanYear, {{ymd(2026, 3, 1), 30000}, {ymd(2027, 3, 1), 15000}}, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const LoanDocument doc = withLumpSums(c.terms, c.lumps);
        const PrivilegeCheck check = checkPrivileges(doc);
        ASSERT_FALSE(check.years.empty());
        EXPECT_DOUBLE_EQ(check.years.front().limit, 40000);
        if (c.markedYear == 0) {
            EXPECT_TRUE(check.marks.empty());
            continue;
        }
        ASSERT_EQ(check.marks.size(), 1u);
        const PrivilegeMark &mark = check.marks.front();
        EXPECT_EQ(Date(doc.gridMain0.value(mark.row, colDateSerial)), c.lumps[1].first);
        EXPECT_EQ(mark.kinds, unsigned(PrivilegeMark::OverLimit));
        EXPECT_DOUBLE_EQ(mark.overLimit, c.over);
        EXPECT_EQ(check.markOf(mark.row), &mark);
        const PrivilegeYear &year = check.years[mark.year];
        EXPECT_EQ(yearOf(year.start), c.markedYear);
        EXPECT_DOUBLE_EQ(year.used, 45000);
        EXPECT_DOUBLE_EQ(year.left, 0);
        EXPECT_DOUBLE_EQ(year.excess, 5000);
    }

    // Calendar years from the lending date's to the last payment's; loan years from the first payment date, the first
    // one taking in the month before it.
    const LoanDocument calendar = withLumpSums(tenPercent(), {});
    const std::vector<PrivilegeYear> years = privilegeYears(calendar);
    ASSERT_EQ(years.size(), 26u);
    EXPECT_EQ(years[0].start, ymd(2025, 1, 1));
    EXPECT_EQ(years[25].end, ymd(2050, 12, 31));
    EXPECT_EQ(privilegeYearOf(years, ymd(2027, 12, 31)), 2u);
    const std::vector<PrivilegeYear> loanYears = privilegeYears(withLumpSums(loanYear, {}));
    ASSERT_EQ(loanYears.size(), 25u);
    EXPECT_EQ(loanYears[0].start, ymd(2025, 2, 1));
    EXPECT_EQ(loanYears[0].end, ymd(2026, 2, 28));
    EXPECT_EQ(loanYears[1].start, ymd(2026, 3, 1));
    EXPECT_EQ(privilegeYearOf(loanYears, ymd(2027, 2, 28)), 1u);
}

// A lump sum under the minimum; a payment raised from 2,326.42 to 4,000.00 above a 10 % increase (2,559.06); and one
// combined cap, where the 1,673.58 paid above the payment each month counts with the lump sums: by the June payment
// six of them (10,041.48) and 30,000 take the year 41.48 over its 40,000, and twelve end it 10,082.96 over.
TEST(Prepayment, MinimumIncreaseAndCombinedCap)
{
    const NumberFormat format;
    PrepaymentTerms terms = tenPercent();
    terms.paymentIncreasePercent = 10;
    const std::pair<Date, double> raise = {ymd(2026, 1, 1), 4000};
    const LoanDocument separate = withLumpSums(terms, {{ymd(2026, 6, 1), 30000}, {ymd(2026, 8, 1), 50}}, raise);
    PrivilegeCheck check = checkPrivileges(separate);
    ASSERT_EQ(check.marks.size(), 2u);
    EXPECT_EQ(check.marks[0].kinds, unsigned(PrivilegeMark::OverIncreaseCap));
    EXPECT_DOUBLE_EQ(check.marks[0].increaseCap, 2559.06);
    EXPECT_DOUBLE_EQ(check.marks[0].overIncreaseCap, 1440.94);
    EXPECT_EQ(check.marks[1].kinds, unsigned(PrivilegeMark::UnderMinimum));
    EXPECT_DOUBLE_EQ(check.marks[1].underMinimum, 50);
    EXPECT_EQ(markText(check.marks[1], check, format), "Below the minimum lump sum by $50.00");
    EXPECT_DOUBLE_EQ(check.years[1].used, 30050);

    terms.combinedCap = true;
    const LoanDocument combined = withLumpSums(terms, {{ymd(2026, 6, 1), 30000}}, raise);
    check = checkPrivileges(combined);
    ASSERT_EQ(check.marks.size(), 2u);
    const PrivilegeMark &lump = check.marks[1];
    EXPECT_EQ(lump.kinds, unsigned(PrivilegeMark::OverLimit));
    EXPECT_DOUBLE_EQ(lump.overLimit, 41.48);
    EXPECT_DOUBLE_EQ(check.years[1].excess, 10082.96);
    // The charge on the excess, rates unchanged: three months' interest on 41.48 at 5 %.
    EXPECT_DOUBLE_EQ(lump.estimatedCharge, 0.52);
    EXPECT_EQ(markText(lump, check, format), "Exceeds the 2026 privilege by $41.48; estimated charge $0.52");
}

// A five-year term of the worked mortgage: the balance owed on the date, the privilege left in its year, the whole
// months to the term's end; the Interest Act from the fifth anniversary of the ten-year term; dates and amounts the
// schedule cannot take.
TEST(Prepayment, BreakPenaltyOfALoan)
{
    const NumberFormat format;
    LoanDocument doc = worked::mortgage(5);
    doc.prepaymentTerms = PrepaymentTerms {};
    addLumpSum(doc.gridLumpSum, ymd(2027, 3, 1), 5000, format);
    ASSERT_TRUE(Calculate(doc, format));
    PenaltyRequest request;
    request.date = ymd(2027, 6, 15);
    request.comparisonRate = 0.03;
    PenaltyEstimate estimate = breakPenalty(doc, request, format);
    ASSERT_TRUE(estimate.ok()) << estimate.message;
    const int june = doc.gridMain0.firstPaymentFrom(ymd(2027, 6, 1));
    EXPECT_DOUBLE_EQ(estimate.balance, doc.gridMain0.value(june, colEndingBalance));
    EXPECT_EQ(estimate.maturity, ymd(2030, 2, 1));
    EXPECT_EQ(estimate.inputs.monthsLeft, 31);
    EXPECT_DOUBLE_EQ(estimate.privilegeLeft, 40000);
    EXPECT_DOUBLE_EQ(estimate.charged, roundAsShown(estimate.balance - 40000, 2));
    EXPECT_FALSE(estimate.inputs.fiveYearRule);
    EXPECT_EQ(estimate.inputs.loanYear, 3);

    request.date = ymd(2029, 12, 15);
    request.amount = 10000;
    estimate = breakPenalty(doc, request, format);
    ASSERT_TRUE(estimate.ok()) << estimate.message;
    EXPECT_EQ(estimate.inputs.monthsLeft, 1);
    EXPECT_EQ(estimate.inputs.daysLeft, 48);
    EXPECT_TRUE(estimate.figures.interestToMaturity);
    EXPECT_DOUBLE_EQ(estimate.charged, 0); // within the 45,000 privilege

    LoanDocument tenYears = worked::mortgage(10);
    tenYears.prepaymentTerms = PrepaymentTerms {};
    tenYears.prepaymentTerms->chargeOn = ChargeOn::WholePrepayment;
    ASSERT_TRUE(Calculate(tenYears, format));
    request.amount.reset();
    const struct
    {
        Date date;
        bool fiveYearRule;
    } anniversaries[] = {{ymd(2030, 1, 31), false}, {ymd(2030, 2, 1), true}, {ymd(2033, 5, 1), true}};
    for (const auto &c : anniversaries) {
        request.date = c.date;
        estimate = breakPenalty(tenYears, request, format);
        ASSERT_TRUE(estimate.ok()) << estimate.message;
        EXPECT_EQ(estimate.inputs.fiveYearRule, c.fiveYearRule);
        EXPECT_EQ(estimate.figures.ird.has_value(), !c.fiveYearRule);
    }

    const struct
    {
        Date date;
        std::optional<double> amount;
        PenaltyError error;
    } refused[] = {
        {ymd(2025, 1, 31), std::nullopt, PenaltyError::DateOutsideSchedule},
        {ymd(2030, 2, 2), std::nullopt, PenaltyError::DateOutsideSchedule},
        {ymd(2027, 6, 15), 1e6, PenaltyError::AmountOverBalance},
    };
    for (const auto &c : refused) {
        request.date = c.date;
        request.amount = c.amount;
        EXPECT_EQ(breakPenalty(doc, request, format).error, c.error);
    }
    doc.prepaymentTerms->comparison = IrdComparison::Posted;
    request.amount.reset();
    EXPECT_EQ(breakPenalty(doc, request, format).error, PenaltyError::BadTerms); // no original posted rate
    doc.prepaymentTerms->originalPostedRate = 0.0649;
    EXPECT_EQ(breakPenalty(doc, request, format).error, PenaltyError::PostedRateMissing);
    doc.prepaymentTerms.reset();
    EXPECT_EQ(breakPenalty(doc, request, format).error, PenaltyError::NoTerms);
}

// Terms a mortgage cannot have are refused with what is wrong; the defaults are sound.
TEST(Prepayment, TermsProblems)
{
    auto with = [](auto change) {
        PrepaymentTerms terms;
        change(terms);
        return terms;
    };
    const struct
    {
        PrepaymentTerms terms;
        const char *problem; // part of the message; "" for none
    } cases[] = {
        {PrepaymentTerms {}, ""},
        {defaultPrepaymentTerms(MortgageKind::Open), ""},
        {with([](PrepaymentTerms &t) { t.lumpSumPercent = 100.5; }), "lump-sum privilege"},
        {with([](PrepaymentTerms &t) { t.minimumLumpSum = -1; }), "minimum lump sum"},
        {with([](PrepaymentTerms &t) { t.paymentIncreasePercent = -5; }), "payment-increase"},
        {with([](PrepaymentTerms &t) { t.comparison = IrdComparison::Posted; }), "posted rate"},
        {with([](PrepaymentTerms &t) { t.originalPostedRate = 11; }), "posted rate"},
        {with([](PrepaymentTerms &t) { t.percentByLoanYear.assign(41, 1); }), "at most 40 years"},
        {with([](PrepaymentTerms &t) {
             t.percentByLoanYear = {2, 101};
         }),
         "Each year's penalty"},
        {with([](PrepaymentTerms &t) { t.flatFee = 1e11; }), "fee"},
    };
    for (const auto &c : cases) {
        const std::string problem = prepaymentTermsProblem(c.terms);
        EXPECT_EQ(problem.empty(), *c.problem == 0) << problem;
        EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
    }
    EXPECT_EQ(defaultPrepaymentTerms(MortgageKind::ClosedVariable).method, PenaltyMethod::ThreeMonthsInterest);
    EXPECT_EQ(defaultPrepaymentTerms(MortgageKind::Open).method, PenaltyMethod::None);
}

TEST(Prepayment, WholeMonthsBetween)
{
    const struct
    {
        Date from, to;
        int months;
    } cases[] = {
        {ymd(2027, 6, 15), ymd(2030, 2, 1), 31}, {ymd(2025, 1, 31), ymd(2025, 2, 28), 1},
        {ymd(2025, 1, 31), ymd(2025, 2, 27), 0}, {ymd(2025, 3, 1), ymd(2025, 3, 1), 0},
        {ymd(2025, 3, 1), ymd(2025, 2, 1), 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(wholeMonthsBetween(c.from, c.to), c.months) << c.from << ' ' << c.to;
}
