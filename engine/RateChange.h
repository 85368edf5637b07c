#pragma once

#include "Dates.h"

#include <optional>
#include <string>

namespace engine {

struct LoanDocument;
class NumberFormat;

// When the rate changes, or a lump sum is paid, the borrower may keep the payment (and the loan is repaid on another
// date) or keep the date of the last payment (and the payment changes from the change on). This is what either
// choice means, for a window to put the question with.
struct PaymentChoice
{
    std::string error; // why there is nothing to choose; empty when there is
    Date changeDate = kNoDate; // the payment from which keeping the end date pays another amount
    double payment = 0; // the basic payment in force there, which keeping the payment keeps
    std::optional<Date> repaidOn; // the last payment when the payment is kept; nothing: it never repays the loan
    Date endDate = kNoDate; // the last payment date before the change, which keeping the end date keeps
    double endDatePayment = 0; // the payment that keeps it: level over periodsLeft, rounded up to the cent
    int periodsLeft = 0; // the payments from changeDate to endDate, both counted
    double balanceOwed = 0; // what those payments repay
    bool ok() const { return error.empty(); }
};

// A new annual rate (a fraction) from the payment dated `date` on. The payment change would go on the same date.
PaymentChoice choiceForRateChange(const LoanDocument &doc, Date date, double annualRate, const NumberFormat &format);
// A lump sum of `amount` paid on `date`, added to any already paid that day. The payment change would go on the
// next payment date after it.
PaymentChoice choiceForLumpSum(const LoanDocument &doc, Date date, double amount, const NumberFormat &format);
// Writes the payment change that keeps the end date into the document's payment changes (the rate change or the
// lump sum itself is the caller's to write, in the same change of the document).
void keepEndDate(LoanDocument &doc, const PaymentChoice &choice, const NumberFormat &format);

// The two answers of the question, with the figures in `format`.
std::string keepPaymentText(const PaymentChoice &choice, const NumberFormat &format);
std::string keepEndDateText(const PaymentChoice &choice, const NumberFormat &format);

// The annual rate (a fraction) at which the basic payment in force on `today` only covers the interest on the balance
// then owed, for the loan's compounding and frequency: the payment of the first payment on or after `today`, on the
// balance before it; payment 1 when `today` is outside the schedule. Nothing for a computed loan without payments,
// a payment of nothing or nothing owed.
std::optional<double> triggerRate(const LoanDocument &doc, Date today);

} // namespace engine
