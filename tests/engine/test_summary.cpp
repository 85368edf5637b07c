#include "engine/ChangeTables.h"
#include "engine/Codes.h"
#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "engine/Summary.h"

#include "support/WorkedMortgage.h"

#include <gtest/gtest.h>

#include <optional>

using namespace engine;

namespace {

std::string valueOf(const LoanDocument &doc, const std::string &label)
{
    for (const auto &[name, value] : summaryRows(doc, NumberFormat()))
        if (name == label)
            return value;
    ADD_FAILURE() << "no row " << label;
    return {};
}

} // namespace

// A date the loan does not have is shown empty, never as the day the calendar counts from (12/30/1899).
TEST(Summary, MissingDatesAreEmpty)
{
    LoanDocument doc;
    doc.gdblLoanAmount = 0; // nothing to repay: a schedule without payments
    doc.gdblBasicPayment = 100;
    doc.mdblNperTerm = 12;
    doc.gdtmFirstPaymentDue = *exactDate(2025, 1, 15);
    ASSERT_TRUE(Calculate(doc, NumberFormat()));
    EXPECT_EQ(valueOf(doc, "Last Payment Date"), "");
    EXPECT_EQ(valueOf(doc, "First Payment Date"), "1/15/2025");

    doc.gdblLoanAmount = 1000;
    ASSERT_TRUE(Calculate(doc, NumberFormat()));
    EXPECT_EQ(valueOf(doc, "Last Payment Date"), "10/15/2025");
}

// The First Payment Date is the date of payment 1, also where the document's date is the day the money was lent
// (31 January 2027: payment 1 a month later, on 28 February).
TEST(Summary, FirstPaymentDateIsPaymentOne)
{
    struct Case
    {
        const char *name;
        int startPayment;
        double amount;
        const char *firstPayment;
    };
    const Case cases[] = {
        {"the date given is payment 1", 0, 1000, "1/31/2027"},
        {"the date given is the day the money was lent", 1, 1000, "2/28/2027"},
        {"lent on the date given, nothing to repay", 1, 0, "2/28/2027"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc;
        doc.gdblLoanAmount = c.amount;
        doc.gdblBasicPayment = 100;
        doc.mdblNperTerm = 12;
        doc.gintStartPayment = c.startPayment;
        doc.gdtmFirstPaymentDue = *exactDate(2027, 1, 31);
        ASSERT_TRUE(Calculate(doc, NumberFormat()));
        EXPECT_EQ(valueOf(doc, "First Payment Date"), c.firstPayment);
    }
}

// "Balance Left" follows the other rows whenever the last payment leaves something owing: 1,200 at 0 % paid by 100 a
// month leaves 600 after six months, and all of it when the term has no payment.
TEST(Summary, BalanceLeftWhenOneIsLeft)
{
    struct Case
    {
        const char *name;
        double periods;
        const char *balanceLeft; // empty: no such row
    };
    const Case cases[] = {
        {"repaid", 12, ""},
        {"a term shorter than the loan", 6, "$600.00"},
        {"a term of no payment", 0, "$1,200.00"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc;
        doc.gdblLoanAmount = 1200;
        doc.gdblBasicPayment = 100;
        doc.mdblNperTerm = c.periods;
        doc.gdtmFirstPaymentDue = *exactDate(2025, 1, 15);
        ASSERT_TRUE(Calculate(doc, NumberFormat()));
        const auto rows = summaryRows(doc, NumberFormat());
        EXPECT_EQ(rows[13].first, "Interest Paid");
        if (*c.balanceLeft == '\0') {
            EXPECT_EQ(rows.size(), 14u);
        } else {
            ASSERT_EQ(rows.size(), 15u);
            EXPECT_EQ(rows[14], (std::pair<std::string, std::string> {"Balance Left", c.balanceLeft}));
        }
    }
}

// The chart samples about 50 payments whatever the loan's length: every step-th payment from the first, and the last
// payment. 360 periods: step 8, payments 1, 9, ..., 353 and 360.
TEST(Summary, ChartSamplesEveryStepAndTheLastPayment)
{
    struct Case
    {
        int periods;
        int step;
        size_t samples;
        int lastRegular; // the period of the last sample before the final payment, 0 when there is none
    };
    for (const Case &c : {Case {360, 8, 46, 353}, Case {350, 7, 51, 344}, Case {51, 2, 26, 49}, Case {50, 1, 50, 49},
                          Case {1, 1, 1, 0}}) {
        SCOPED_TRACE(c.periods);
        LoanDocument doc;
        doc.gdblLoanAmount = 100.0 * c.periods; // nothing charged, 100 a month: exactly `periods` payments
        doc.gdblBasicPayment = 100;
        doc.mdblNperTerm = c.periods;
        doc.gdtmFirstPaymentDue = *exactDate(2025, 1, 15);
        ASSERT_TRUE(Calculate(doc, NumberFormat()));
        EXPECT_EQ(chartStep(doc.gdblNumberOfPeriods), c.step);
        const std::vector<ChartSample> samples = gridChart(doc);
        ASSERT_EQ(samples.size(), c.samples);
        for (size_t i = 0; i + 1 < samples.size(); ++i)
            EXPECT_EQ(samples[i].period, int(i) * c.step + 1);
        if (c.samples > 1) {
            EXPECT_EQ(samples[samples.size() - 2].period, c.lastRegular);
        }
        EXPECT_EQ(samples.back().period, c.periods);
        EXPECT_EQ(samples.back().endingBalance, 0);
        EXPECT_EQ(samples.back().date, doc.gdtmLastPaymentDate);
    }
    EXPECT_EQ(chartStep(0), 0);
    EXPECT_EQ(chartStep(90000), 1800);
}

// A sample is the payment's own row, past the rows of lump sums paid between payments, with the figures it shows.
TEST(Summary, ChartSamplesReadThePaymentRows)
{
    LoanDocument doc;
    doc.gdblLoanAmount = 350000;
    doc.gdblAnnualRate = 0.0525;
    doc.gdblBasicPayment = 1932.71;
    doc.mdblNperTerm = 360;
    doc.gdtmFirstPaymentDue = *exactDate(2025, 2, 1);
    const NumberFormat format;
    for (int year = 2026; year <= 2030; ++year) {
        doc.gridLumpSum.setRows(doc.gridLumpSum.rows() + 1);
        setChangeEntry(doc.gridLumpSum, doc.gridLumpSum.rows() - 1, *exactDate(year, 2, 10), 5000, format);
    }
    ASSERT_TRUE(Calculate(doc, format));
    const std::vector<ChartSample> samples = gridChart(doc);
    ASSERT_FALSE(samples.empty());
    const ScheduleTable &schedule = doc.gridMain0;
    size_t next = 0;
    for (int r = 1; r < schedule.rows() && next < samples.size(); ++r) {
        if (schedule.text(r, colNumber) != std::to_string(samples[next].period))
            continue;
        SCOPED_TRACE(r);
        EXPECT_EQ(samples[next].date, Date(schedule.value(r, colDateSerial)));
        EXPECT_EQ(format.currency(samples[next].endingBalance), schedule.text(r, colEndingBalance));
        EXPECT_EQ(format.currency(samples[next].cumulativeInterest), schedule.text(r, colCumulativeInterest));
        // gridChart's texts are the schedule's own.
        int column = 0;
        for (int scheduleColumn : {colNumber, colDate, colEndingBalance, colCumulativeInterest, colDateSerial})
            EXPECT_EQ(chartCellText(samples[next], column++, format), schedule.text(r, scheduleColumn)) << column;
        ++next;
    }
    EXPECT_EQ(next, samples.size());
    EXPECT_LT(samples.size(), 60u);
}

// The rows that apply only to some loans come only then, each beside the figures it belongs with: the rounding of
// interest beside the compounding, the trigger rate (for a today) beside the rate, the payments that do not cover their
// interest beside the number of periods. 1,000 at 12 % a year, monthly: 10.00 of interest in the first month, so
// 9.99 a month does not cover it and the trigger rate of 100 a month is 12 × 100 / 1,000 = 120 %.
TEST(Summary, RowsThatApplyOnlyToSomeLoans)
{
    const std::vector<std::string> standard = {"Loan Type",          "Interest Compounded", "Loan Amount",
                                               "Annual Rate",        "Amortization",        "Frequency of Installment",
                                               "Basic Payments",     "Periodic Rate",       "Periods per Year",
                                               "First Payment Date", "Last Payment Date",   "Number of Periods",
                                               "Total Payments",     "Interest Paid"};
    auto with = [&](const std::string &after, const std::string &label) {
        std::vector<std::string> labels = standard;
        labels.insert(std::find(labels.begin(), labels.end(), after) + 1, label);
        return labels;
    };
    struct Case
    {
        const char *name;
        bool rounded;
        double payment;
        Date today;
        std::vector<std::string> labels;
        std::pair<std::string, std::string> added;
    };
    const Date today = *exactDate(2025, 1, 1);
    const Case cases[] = {
        {"none", false, 100, kNoDate, standard, {}},
        {"interest rounded",
         true,
         100,
         kNoDate,
         with("Interest Compounded", "Interest Rounded"),
         {"Interest Rounded", "To the Cent Each Period"}},
        {"a today", false, 100, today, with("Annual Rate", "Trigger Rate"), {"Trigger Rate", "120.0000%"}},
        {"a payment short of the interest",
         false,
         9.99,
         kNoDate,
         with("Number of Periods", "Periods Not Covering Interest"),
         {"Periods Not Covering Interest", "12"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc;
        doc.gintLoanType = kPersonalLoan;
        doc.gdblLoanAmount = 1000;
        doc.gdblAnnualRate = 0.12;
        doc.gdblBasicPayment = c.payment;
        doc.mdblNperTerm = 12;
        doc.gdtmFirstPaymentDue = *exactDate(2025, 1, 15);
        doc.roundInterestEachPeriod = c.rounded;
        ASSERT_TRUE(Calculate(doc, NumberFormat()));
        std::vector<std::string> labels;
        const auto rows = summaryRows(doc, NumberFormat(), {c.today});
        for (const auto &[label, value] : rows) {
            if (label != "Balance Left")
                labels.push_back(label);
            if (label == c.added.first) {
                EXPECT_EQ(value, c.added.second);
            }
        }
        EXPECT_EQ(labels, c.labels);
    }
}

// The privilege of today's privilege year comes after the lump sums, given a today and prepayment terms: 400,000 at a
// 10 % privilege with 30,000 prepaid in 2026 leaves 10,000 of that year's 40,000; an open mortgage has no limit.
TEST(Summary, PrivilegeOfTodaysYear)
{
    const NumberFormat format;
    PrepaymentTerms terms;
    terms.lumpSumPercent = 10;
    PrepaymentTerms open = terms;
    open.kind = MortgageKind::Open;
    const struct
    {
        const char *name;
        std::optional<PrepaymentTerms> terms;
        Date today;
        std::vector<std::string> values; // of the three rows; none: no such rows
    } cases[] = {
        {"2026", terms, *exactDate(2026, 7, 1), {"$40,000.00", "$30,000.00", "$10,000.00"}},
        {"2027", terms, *exactDate(2027, 1, 1), {"$40,000.00", "$0.00", "$40,000.00"}},
        {"open", open, *exactDate(2026, 7, 1), {"Unlimited", "$30,000.00", "Unlimited"}},
        {"no today", terms, kNoDate, {}},
        {"no terms", std::nullopt, *exactDate(2026, 7, 1), {}},
        {"after the schedule", terms, *exactDate(2080, 1, 1), {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc = worked::mortgage();
        doc.gdblLoanAmount = 400000;
        doc.gdblBasicPayment = 2326.42;
        doc.prepaymentTerms = c.terms;
        addLumpSum(doc.gridLumpSum, *exactDate(2026, 3, 1), 30000, format);
        ASSERT_TRUE(Calculate(doc, format));
        const auto rows = summaryRows(doc, format, {c.today});
        std::vector<std::string> labels, values;
        bool afterLumpSums = false;
        for (const auto &[label, value] : rows) {
            if (label.starts_with("Privilege") || label == "Prepayment Privilege") {
                EXPECT_TRUE(afterLumpSums) << label;
                labels.push_back(label);
                values.push_back(value);
            }
            afterLumpSums = afterLumpSums || label == "Lump Sums";
        }
        EXPECT_EQ(values, c.values);
        if (!c.values.empty()) {
            EXPECT_EQ(labels, (std::vector<std::string> {"Prepayment Privilege", "Privilege Used", "Privilege Left"}));
        }
    }
}

// Lengths read as the wizard's term reads them: the count, then the unit, singular for one.
TEST(Summary, AmortizationWithItsUnit)
{
    struct Case
    {
        double length;
        int unit;
        const char *text;
    };
    for (const Case &c :
         {Case {25, kYears, "25 Years"}, Case {1, kYears, "1 Year"}, Case {240, kMonths, "240 Months"},
          Case {1, kMonths, "1 Month"}, Case {4.0001, kYears, "4.0001 Years"}, Case {0.5, kYears, "0.5 Years"}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(amortizationLength(c.length, c.unit), c.text);
    }
}

// The purchase, the down payment and the premium follow the compounding, the lump sums paid follow the interest, each
// only where the loan has it; a down payment given in percent shows in dollars, as the wizard derives it.
TEST(Summary, RowsOfWhatTheLoanHas)
{
    const std::vector<std::string> always = {"Loan Type",          "Interest Compounded", "Loan Amount",
                                             "Annual Rate",        "Amortization",        "Frequency of Installment",
                                             "Basic Payments",     "Periodic Rate",       "Periods per Year",
                                             "First Payment Date", "Last Payment Date",   "Number of Periods",
                                             "Total Payments",     "Interest Paid"};
    struct Case
    {
        const char *name;
        std::optional<double> price, downPayment, premium;
        int downPaymentUnit;
        double lumpSum; // one on 2025-03-15, none when 0
        std::vector<std::pair<std::string, std::string>> added; // the rows besides `always`, in order
    };
    const std::vector<Case> cases = {
        {"nothing optional", {}, {}, {}, 0, 0, {}},
        {"dollars down, no premium",
         500000,
         100000,
         0.0,
         0,
         0,
         {{"Purchase Price", "$500,000.00"}, {"Down Payment", "$100,000.00"}}},
        {"percent down, with premium",
         200000,
         5,
         3.75,
         -1,
         0,
         {{"Purchase Price", "$200,000.00"}, {"Down Payment", "$10,000.00"}, {"CMHC Premium", "3.7500%"}}},
        {"percent down without a price", {}, 5, {}, -1, 0, {{"Down Payment", "5.0000%"}}},
        {"a lump sum", {}, {}, {}, 0, 2000, {{"Lump Sums", "$2,000.00"}}},
    };
    const NumberFormat format;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc;
        doc.gdblLoanAmount = 12000; // nothing charged, 1,000 a month: twelve payments
        doc.gdblBasicPayment = 1000;
        doc.glngAmortization = 1;
        doc.mdblNperTerm = 12;
        doc.gdtmFirstPaymentDue = *exactDate(2025, 1, 15);
        doc.gvarPurchasePrice = c.price;
        doc.gvarDownPayment = c.downPayment;
        doc.gintDownPaymentUnit = c.downPaymentUnit;
        doc.gvarCMHC = c.premium;
        if (c.lumpSum != 0) {
            doc.gridLumpSum.setRows(2);
            setChangeEntry(doc.gridLumpSum, 1, *exactDate(2025, 3, 15), c.lumpSum, format);
        }
        ASSERT_TRUE(Calculate(doc, format));
        std::vector<std::pair<std::string, std::string>> expected;
        for (const std::string &label : always) {
            expected.emplace_back(label, "");
            if (label == "Interest Compounded") {
                for (const auto &row : c.added) {
                    if (row.first != "Lump Sums")
                        expected.push_back(row);
                }
            }
            if (label == "Interest Paid" && !c.added.empty() && c.added.back().first == "Lump Sums")
                expected.push_back(c.added.back());
        }
        const auto rows = summaryRows(doc, format);
        ASSERT_EQ(rows.size(), expected.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].first, expected[i].first);
            if (!expected[i].second.empty()) {
                EXPECT_EQ(rows[i].second, expected[i].second) << rows[i].first;
            }
        }
        EXPECT_EQ(valueOf(doc, "Amortization"), "1 Year");
    }
}

// Nothing charged, 1,000 a month from 2025-01-15: 2,000 paid with the third payment leaves 7,000; 500 paid on May 1,
// between the fourth and the fifth payment, shows with the fifth, which leaves 6,000 - 1,000 - 500.
TEST(Summary, LumpSumsMarkedAtTheBalanceTheyLeave)
{
    LoanDocument doc;
    doc.gdblLoanAmount = 12000;
    doc.gdblBasicPayment = 1000;
    doc.mdblNperTerm = 12;
    doc.gdtmFirstPaymentDue = *exactDate(2025, 1, 15);
    const NumberFormat format;
    doc.gridLumpSum.setRows(3);
    setChangeEntry(doc.gridLumpSum, 1, *exactDate(2025, 3, 15), 2000, format);
    setChangeEntry(doc.gridLumpSum, 2, *exactDate(2025, 5, 1), 500, format);
    ASSERT_TRUE(Calculate(doc, format));
    EXPECT_EQ(chartLumpSums(doc),
              (std::vector<LumpSumMark> {{*exactDate(2025, 3, 15), 2000, 7000}, {*exactDate(2025, 5, 1), 500, 4500}}));

    doc.gridLumpSum.setRows(1);
    ASSERT_TRUE(Calculate(doc, format));
    EXPECT_TRUE(chartLumpSums(doc).empty());
}
