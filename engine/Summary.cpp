#include "Summary.h"

#include "Codes.h"
#include "LoanDocument.h"
#include "NumberFormat.h"

namespace engine {

std::vector<std::pair<std::string, std::string>> summaryRows(const LoanDocument &doc, const NumberFormat &format)
{
    // The zero date means none, as for a schedule without payments.
    auto dateText = [&](Date date) { return date == kNoDate ? std::string() : format.formatDate(date); };
    return {
        {"Loan Type", loanTypeLabel(doc.gintLoanType)},
        {"Interest Compounded", compoundingLabel(doc.gintLoanType, doc.gintCompounding)},
        {"Loan Amount", format.currency(doc.gdblLoanAmount)},
        {"Annual Rate", format.ratePercent(doc.gdblAnnualRate)},
        {"Amortization", plainNumber(doc.glngAmortization)},
        {"Frequency of Installment", frequencyLabel(doc.gintFreqOfInst)},
        {"Basic Payments", format.currency(doc.gdblBasicPayment)},
        {"Periodic Rate", format.percent(doc.gdblPeriodicRate, 7, false)},
        {"Periods per Year", periodsPerYearLabel(doc.gintFreqOfInst, doc.gintPeriodsPerYearIndex)},
        {"First Payment Date", dateText(doc.gdtmFirstPaymentDue)},
        {"Last Payment Date", dateText(doc.gdtmLastPaymentDate)},
        {"Number of Periods", plainNumber(doc.gdblNumberOfPeriods)},
        {"Total Payments", format.currency(doc.gdblTotalPayments)},
        {"Interest Paid", format.currency(doc.gdblInterestPaid)},
    };
}

} // namespace engine
