#include "Summary.h"

#include "Codes.h"
#include "LoanDocument.h"
#include "NumberFormat.h"

namespace engine {

std::vector<std::pair<std::string, std::string>> summaryRows(const LoanDocument &doc, const NumberFormat &format)
{
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
        {"First Payment Date", format.formatDate(doc.gdtmFirstPaymentDue)},
        {"Last Payment Date", format.formatDate(doc.gdtmLastPaymentDate)},
        {"Number of Periods", plainNumber(doc.gdblNumberOfPeriods)},
        {"Total Payments", format.currency(doc.gdblTotalPayments)},
        {"Interest Paid", format.currency(doc.gdblInterestPaid)},
    };
}

} // namespace engine
