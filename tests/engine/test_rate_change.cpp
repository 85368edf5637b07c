#include "engine/Arithmetic.h"
#include "engine/Calendar.h"
#include "engine/ChangeTables.h"
#include "engine/NumberFormat.h"
#include "engine/RateChange.h"
#include "engine/Schedule.h"
#include "engine/Summary.h"

#include "support/Dates.h"
#include "support/WorkedMortgage.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace engine;

namespace {

using worked::mortgage;

LoanDocument computed(LoanDocument doc)
{
    EXPECT_TRUE(Calculate(doc, NumberFormat()));
    return doc;
}

} // namespace

// Twelve payments at 5 %, then 6 % from the thirteenth (1 March 2026) on. The balance after payment 12 is
// 300,000 × 1.025^2 - 1,744.81 × (1.025^2 - 1) / i = 293,768.2912; the level payment at 6 % (j = 1.03^(1/6) - 1) over
// the 288 payments left is 293,768.2912 × j / (1 - (1 + j)^-288) = 1,913.9951, rounded up to 1,914.00. With it the
// loan still ends on 1 February 2050; kept at 1,744.81 it is repaid by payment 374, on 1 April 2056.
TEST(RateChange, KeepingTheEndDateAfterARateRise)
{
    const NumberFormat format;
    const LoanDocument doc = computed(mortgage());
    ASSERT_EQ(doc.gdtmLastPaymentDate, ymd(2050, 2, 1));
    const PaymentChoice choice = choiceForRateChange(doc, ymd(2026, 3, 1), 0.06, format);
    ASSERT_TRUE(choice.ok()) << choice.error;
    EXPECT_EQ(choice.changeDate, ymd(2026, 3, 1));
    EXPECT_EQ(choice.periodsLeft, 288);
    EXPECT_NEAR(choice.balanceOwed, 293768.2912, 0.0001);
    EXPECT_DOUBLE_EQ(choice.endDatePayment, 1914.00);
    EXPECT_EQ(choice.endDate, ymd(2050, 2, 1));
    EXPECT_DOUBLE_EQ(choice.payment, 1744.81);
    EXPECT_EQ(choice.repaidOn, ymd(2056, 4, 1));
    EXPECT_EQ(keepPaymentText(choice, format), "Keep the payment of $1,744.81 (the loan is then repaid on 4/1/2056)");
    EXPECT_EQ(keepEndDateText(choice, format), "Keep the end date 2/1/2050 (the payment becomes $1,914.00)");

    LoanDocument kept = doc;
    putChangeEntry(kept.gridAnnualRate, choice.changeDate, 6, format);
    keepEndDate(kept, choice, format);
    ASSERT_TRUE(Calculate(kept, format));
    EXPECT_EQ(kept.gdtmLastPaymentDate, ymd(2050, 2, 1));
    EXPECT_EQ(kept.gdblNumberOfPeriods, 300);
    EXPECT_LT(kept.gridMain0.balanceLeft(), 0.01);
    EXPECT_EQ(kept.gridMain0.text(kept.gridMain0.rowOfPayment(13), colPayment), "$1,914.00");
}

// A lump sum of 20,000 lowers the payment from the next payment on. Paid on 1 July 2027 with payment 29, it leaves
// 264,396.2267 owed, repaid by 271 payments of 1,622.1127, rounded up to 1,622.12. Paid on 15 June, it is credited with
// payment 29, with the 16 days of interest it saves (d = (1.025^2)^(1/365) - 1, 20,000 × ((1 + d)^16 - 1) = 43.3435):
// 284,965.8616 owed before payment 29 less (20,043.3435) / (1 + i), over the 272 payments from 29 on: 1,622.5966,
// rounded up to 1,622.60. Either way the loan still ends on 1 February 2050, and it ends sooner at the old payment.
TEST(RateChange, KeepingTheEndDateAfterALumpSum)
{
    struct Case
    {
        const char *name;
        Date lumpDate;
        Date changeDate;
        int periodsLeft;
        double payment;
    };
    const Case cases[] = {
        {"on a payment date", ymd(2027, 7, 1), ymd(2027, 8, 1), 271, 1622.12},
        {"between payment dates", ymd(2027, 6, 15), ymd(2027, 7, 1), 272, 1622.60},
    };
    const NumberFormat format;
    const LoanDocument doc = computed(mortgage());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const PaymentChoice choice = choiceForLumpSum(doc, c.lumpDate, 20000, format);
        ASSERT_TRUE(choice.ok()) << choice.error;
        EXPECT_EQ(choice.changeDate, c.changeDate);
        EXPECT_EQ(choice.periodsLeft, c.periodsLeft);
        EXPECT_DOUBLE_EQ(choice.endDatePayment, c.payment);
        EXPECT_EQ(choice.endDate, ymd(2050, 2, 1));
        ASSERT_TRUE(choice.repaidOn);
        EXPECT_LT(*choice.repaidOn, ymd(2050, 2, 1));

        LoanDocument kept = doc;
        addLumpSum(kept.gridLumpSum, c.lumpDate, 20000, format);
        keepEndDate(kept, choice, format);
        ASSERT_TRUE(Calculate(kept, format));
        EXPECT_EQ(kept.gdtmLastPaymentDate, ymd(2050, 2, 1));
        EXPECT_LT(kept.gridMain0.balanceLeft(), 0.01);
    }
}

// A loan whose term is shorter than its amortization keeps the date its amortization ends on (its payments followed
// past the term), not the end of its term: a five-year term of the same mortgage keeps 1 February 2050 and 1,914.00.
// A loan whose payment never repays it has no end date to keep, and the kept payment no repayment date.
TEST(RateChange, EndDateOfATermAndOfALoanNeverRepaid)
{
    const NumberFormat format;
    const PaymentChoice term = choiceForRateChange(computed(mortgage(5)), ymd(2026, 3, 1), 0.06, format);
    ASSERT_TRUE(term.ok()) << term.error;
    EXPECT_EQ(term.endDate, ymd(2050, 2, 1));
    EXPECT_DOUBLE_EQ(term.endDatePayment, 1914.00);
    EXPECT_EQ(term.repaidOn, ymd(2056, 4, 1));

    // 6 % on 293,768.29 is 1,449.97 a month: 1,400 no longer covers it.
    LoanDocument low = mortgage();
    low.gdblBasicPayment = 1400;
    const PaymentChoice rise = choiceForRateChange(computed(low), ymd(2026, 3, 1), 0.06, format);
    ASSERT_TRUE(rise.ok()) << rise.error;
    EXPECT_FALSE(rise.repaidOn);
    EXPECT_EQ(keepPaymentText(rise, format), "Keep the payment of $1,400.00 (the loan is then never repaid)");

    // 5 % on 300,000 is 1,237.01 a month.
    low.gdblBasicPayment = 1000;
    const PaymentChoice never = choiceForRateChange(computed(low), ymd(2026, 3, 1), 0.06, format);
    EXPECT_EQ(never.error, "The loan is never repaid at its payments: there is no end date to keep.");
}

TEST(RateChange, ChangesThatLeaveNothingToChoose)
{
    const NumberFormat format;
    const LoanDocument doc = computed(mortgage());
    EXPECT_EQ(choiceForRateChange(doc, ymd(2026, 3, 15), 0.06, format).error,
              "A new rate takes effect on a payment date; 3/15/2026 is none.");
    EXPECT_EQ(choiceForLumpSum(doc, ymd(2050, 2, 1), 100, format).error,
              "No payment follows the lump sum of $100.00: there is no payment to change.");
    EXPECT_EQ(choiceForLumpSum(doc, ymd(2030, 2, 1), 400000, format).error,
              "No payment follows the lump sum of $400,000.00: there is no payment to change.");
    // Nothing is written for a choice that is none.
    LoanDocument untouched = doc;
    keepEndDate(untouched, choiceForLumpSum(doc, ymd(2050, 2, 1), 100, format), format);
    EXPECT_EQ(untouched.gridBasicPayment.rows(), 1);
}

// The trigger rate makes the payment due equal to the interest on the balance before it: r = 2 × ((1 + P / B)^6 - 1)
// for semi-annual compounding and monthly payments, 12 × P / B when the interest compounds monthly. At payment 1,
// 1,744.81 on 300,000 gives 7.0815 %; at payment 62 (1 April 2030), 1,744.81 on 264,873.0420 gives 8.0361 %; after a
// payment change to 2,000 from payment 13 (1 March 2026) on, 2,000 on 293,768.2912 gives 8.3100 %, and compounded
// monthly 2,000 on 293,924.2995 gives 8.1654 %.
TEST(RateChange, TriggerRate)
{
    struct Case
    {
        const char *name;
        int compounding;
        double changedPayment; // from payment 13 on; 0 for none
        Date today;
        double rate;
    };
    const Case cases[] = {
        {"before the loan starts: payment 1", 0, 0, ymd(2024, 6, 1), 0.0708150911},
        {"on payment 1's date", 0, 0, ymd(2025, 3, 1), 0.0708150911},
        {"after the last payment: payment 1", 0, 0, ymd(2051, 1, 1), 0.0708150911},
        {"between payments 61 and 62", 0, 0, ymd(2030, 3, 15), 0.0803614188},
        {"a changed payment", 0, 2000, ymd(2026, 2, 2), 0.0831002287},
        {"a changed payment, monthly compounding", 1, 2000, ymd(2026, 2, 2), 0.0816536776},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc = mortgage();
        doc.gintCompounding = c.compounding;
        if (c.changedPayment > 0)
            putChangeEntry(doc.gridBasicPayment, ymd(2026, 3, 1), c.changedPayment, NumberFormat());
        const std::optional<double> rate = triggerRate(computed(doc), c.today);
        ASSERT_TRUE(rate);
        EXPECT_NEAR(*rate, c.rate, 1e-9);
    }
    EXPECT_FALSE(triggerRate(computed(LoanDocument()), ymd(2025, 1, 1)));
}

// A payment below the interest it is charged is marked on its row and counted; one that just covers it is not.
// 1,000 at 12 % charges 10.00 in the first month.
TEST(RateChange, PaymentsNotCoveringTheirInterest)
{
    struct Case
    {
        double payment;
        double rateFromPayment3; // 0: none
        int shortPeriods;
        std::vector<int> shortRows;
    };
    const Case cases[] = {
        {340, 0, 0, {}},
        {10, 0, 0, {}},
        {9.99, 0, 6, {2, 3, 4, 5, 6, 7}},
        {100, 150, 4, {4, 5, 6, 7}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.payment);
        LoanDocument doc;
        doc.gintLoanType = kPersonalLoan;
        doc.gdblLoanAmount = 1000;
        doc.gdblAnnualRate = 0.12;
        doc.gdblBasicPayment = c.payment;
        doc.gdtmFirstPaymentDue = ymd(2025, 1, 15);
        doc.mdblNperTerm = 6;
        if (c.rateFromPayment3 > 0)
            putChangeEntry(doc.gridAnnualRate, ymd(2025, 3, 15), c.rateFromPayment3, NumberFormat());
        doc = computed(doc);
        std::vector<int> shortRows;
        for (int r = 0; r <= doc.gridMain0.rows(); ++r) {
            if (doc.gridMain0.paymentShortOfInterest(r))
                shortRows.push_back(r);
        }
        EXPECT_EQ(shortRows, c.shortRows);
        EXPECT_EQ(doc.gridMain0.periodsNotCoveringInterest(), c.shortPeriods);
        const auto rows = summaryRows(doc, NumberFormat());
        const auto row = std::find_if(rows.begin(), rows.end(),
                                      [](const auto &r) { return r.first == "Periods Not Covering Interest"; });
        if (c.shortPeriods == 0)
            EXPECT_EQ(row, rows.end());
        else
            EXPECT_TRUE(row != rows.end() && row->second == std::to_string(c.shortPeriods));
    }
}
