#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "engine/Summary.h"

#include <gtest/gtest.h>

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
