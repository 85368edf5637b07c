#pragma once

#include "engine/Calendar.h"
#include "engine/Codes.h"
#include "engine/LoanDocument.h"

namespace worked {

// 300,000 at 5 % compounded semi-annually, amortized over 25 years by monthly payments from 1 March 2025 (lent on
// 1 February): the level payment 300,000 × i / (1 - (1 + i)^-300) with i = 1.025^(1/6) - 1 is 1,744.8150, paid as
// 1,744.81; the last of the 300 payments falls on 1 February 2050. The term is `termYears`.
inline engine::LoanDocument mortgage(double termYears = 25)
{
    engine::LoanDocument doc;
    doc.gintLoanType = engine::kMortgageLoan;
    doc.gintCompounding = 0;
    doc.gdblLoanAmount = 300000;
    doc.gdblAnnualRate = 0.05;
    doc.glngAmortization = 25;
    doc.gintAmortUnit = engine::kYears;
    doc.gintFreqOfInst = engine::kMonthly;
    doc.gdblBasicPayment = 1744.81;
    doc.gdtmStartDate = *engine::exactDate(2025, 2, 1);
    doc.gdtmFirstPaymentDue = *engine::exactDate(2025, 3, 1);
    doc.mdblNperTerm = termYears * 12;
    return doc;
}

} // namespace worked
