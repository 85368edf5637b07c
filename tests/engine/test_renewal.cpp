#include "engine/Calendar.h"
#include "engine/ChangeTables.h"
#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"
#include "engine/Renewal.h"

#include "support/Dates.h"
#include "support/WorkedMortgage.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

using worked::mortgage;

} // namespace

// A five-year term ends with payment 60 on 1 February 2030, leaving 300,000 × g - 1,744.81 × (g - 1) / i =
// 265,522.8581 (g = (1 + i)^60) to repay over the 240 payments left. At rate r (j per month) the payment is
// 265,522.8581 × j / (1 - (1 + j)^-240), rounded up to the cent, and the interest of a new five-year term
// 60 P - (B - (B h - P (h - 1) / j)) with h = (1 + j)^60.
TEST(Renewal, PaymentsAndInterestAtEachRate)
{
    const NumberFormat format;
    const Renewal renewal = engine::renewal(mortgage(5), {}, format);
    ASSERT_TRUE(renewal.ok()) << renewal.error;
    EXPECT_EQ(renewal.date, ymd(2030, 2, 1));
    EXPECT_NEAR(renewal.balanceLeft, 265522.86, 1e-9);
    EXPECT_EQ(renewal.periodsLeft, 240);
    EXPECT_DOUBLE_EQ(renewal.amortizationLeft, 20);
    EXPECT_EQ(renewal.termPeriods, 60);
    EXPECT_DOUBLE_EQ(renewal.annualRate, 0.05);
    EXPECT_DOUBLE_EQ(renewal.payment, 1744.81);
    struct Expected
    {
        double rate;
        double payment;
        double difference;
        double interest;
    };
    const Expected expected[] = {
        {0.04, 1604.42, -140.39, 48130.50},
        {0.05, 1744.82, 0.01, 60554.86},
        {0.06, 1891.03, 146.22, 73091.68},
        {0.07, 2042.70, 297.89, 85720.26},
    };
    ASSERT_EQ(renewal.rates.size(), std::size(expected));
    for (size_t k = 0; k < renewal.rates.size(); ++k) {
        SCOPED_TRACE(expected[k].rate);
        const RenewalRate &rate = renewal.rates[k];
        EXPECT_DOUBLE_EQ(rate.annualRate, expected[k].rate);
        EXPECT_DOUBLE_EQ(rate.payment, expected[k].payment);
        EXPECT_DOUBLE_EQ(rate.paymentDifference, expected[k].difference);
        EXPECT_DOUBLE_EQ(rate.interestOverTerm, expected[k].interest);
    }

    const auto plain = renewalTable(renewal, nullptr);
    ASSERT_EQ(plain.size(), 5u);
    EXPECT_EQ(plain[0],
              (std::vector<std::string> {"Renewal Date", "Balance Left", "Periods Left", "Annual Rate", "Payment",
                                         "Payment Change", "Interest over Term"}));
    EXPECT_EQ(
        plain[1],
        (std::vector<std::string> {"2030-02-01", "265522.86", "240", "4.0000", "1604.42", "-140.39", "48130.50"}));
    EXPECT_EQ(
        renewalTable(renewal, &format)[3],
        (std::vector<std::string> {"2/1/2030", "$265,522.86", "240", "6.0000%", "$1,891.03", "$146.22", "$73,091.68"}));
}

// The rates shown by default: a point below (not below 0), the rate, one and two points above. A rate given is used as
// it is; a new term longer than the amortization left ends when the loan is repaid.
TEST(Renewal, RatesShownAndGiven)
{
    EXPECT_EQ(renewalRates(0.0525), (std::vector<double> {0.0425, 0.0525, 0.0625, 0.0725}));
    EXPECT_EQ(renewalRates(0.005), (std::vector<double> {0.005, 0.015, 0.025}));

    // A 15-year term leaves 164,894.3902 to repay in 10 years: at 0 % in 120 payments of 1,374.12 (164,894.39 / 120 =
    // 1,374.1199, rounded up); the new 15-year term ends with them. Its only interest is the fraction of a cent the
    // last payment, 1,374.1102, is rounded up by.
    LoanDocument doc = mortgage(15);
    const Renewal renewal = engine::renewal(doc, {0.0, 0.05}, NumberFormat());
    ASSERT_TRUE(renewal.ok()) << renewal.error;
    EXPECT_EQ(renewal.periodsLeft, 120);
    ASSERT_EQ(renewal.rates.size(), 2u);
    EXPECT_DOUBLE_EQ(renewal.rates[0].payment, 1374.12);
    EXPECT_DOUBLE_EQ(renewal.rates[0].interestOverTerm, 0.01);
    EXPECT_GT(renewal.rates[1].interestOverTerm, 0);
}

// What has nothing to renew says why: a term that covers the amortization, a loan repaid within its term.
TEST(Renewal, LoansWithNothingToRenew)
{
    LoanDocument repaid = mortgage(5);
    putChangeEntry(repaid.gridLumpSum, ymd(2027, 1, 1), 300000, NumberFormat());
    struct Case
    {
        const char *name;
        LoanDocument doc;
        const char *error;
    };
    const Case cases[] = {
        {"the term covers the amortization", mortgage(25),
         "The term of this loan covers its amortization: there is no balance to renew at its end."},
        {"no amortization",
         [] {
             LoanDocument doc = mortgage(5);
             doc.glngAmortization = 0;
             return doc;
         }(),
         "The term of this loan covers its amortization: there is no balance to renew at its end."},
        {"repaid within the term", repaid, "This loan is repaid within its term: there is no balance to renew."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Renewal renewal = engine::renewal(c.doc, {}, NumberFormat());
        EXPECT_EQ(renewal.error, c.error);
        EXPECT_TRUE(renewal.rates.empty());
    }
}
