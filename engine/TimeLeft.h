#pragma once

#include "Dates.h"

#include <string>
#include <string_view>

namespace engine {

struct LoanDocument;

// What a schedule row says about the loan at that point, as its cells show it.
struct TimeLeftRow
{
    int row = 0; // the schedule row used: the first row at or after the chosen one that has a payment
    double payment = 0; // column "Payment"
    double balance = 0; // column "Ending Balance"
    double ratePercent = 0; // column "Annual Rate", as the percentage shown (6.5 for "6.5000%")
    Date rowDate = kNoDate;
};

struct TimeLeftResult
{
    enum class Status { Ok, PaymentTooLow, Failed };
    Status status = Status::Failed;
    double paymentsLeft = 0;
    Date lastPayment = kNoDate;
    std::string duration; // "ymd" text from the row date to the last payment
};

inline constexpr const char *kPaymentTooLowMessage = "Basic Payment is too low. This amount will never be Amortize.";

// Reads schedule row `row`, or the first later row with a payment; false when there is none.
bool readTimeLeftRow(const LoanDocument &doc, int row, TimeLeftRow &out);
// How many payments of the row's amount repay the row's balance, and when the last one falls.
TimeLeftResult computeTimeLeft(const LoanDocument &doc, const TimeLeftRow &row);

// Years, months and days from d1 to d2 as text ("2 Years 3 Months 5 Days"); unit "ymd" or "md" (no years).
// Empty when d1 is not before d2.
std::string durationText(std::string_view unit, Date d1, Date d2);

} // namespace engine
