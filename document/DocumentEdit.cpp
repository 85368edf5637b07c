#include "DocumentEdit.h"

#include <utility>

namespace document {

namespace {

// The loan's values as the user gave them: without its change tables, its schedule and what computing it sets, the
// file it is kept in and whether the year-end report is shown.
engine::LoanDocument givenValues(const engine::LoanDocument &loan)
{
    engine::LoanDocument values = loan;
    values.gridMain0 = {};
    values.gridAnnualRate = engine::TextTable();
    values.gridBasicPayment = engine::TextTable();
    values.gridLumpSum = engine::TextTable();
    values.gstrFileName.clear();
    values.gblnReportFlag = false;
    values.gdblTotalPayments = 0;
    values.gdblInterestPaid = 0;
    values.gdtmLastPaymentDue = engine::kNoDate;
    values.gdblPeriodsPerYear = 0;
    values.gdblPeriodicRate = 0;
    values.gdblDailyRate = 0;
    values.gdblNumberOfPeriods = 0;
    values.gdtmLastPaymentDate = engine::kNoDate;
    return values;
}

// The entries of two change tables agree; the schedule row each one falls on is the computation's.
bool sameEntries(const engine::TextTable &a, const engine::TextTable &b)
{
    if (a.rows() != b.rows() || a.cols() != b.cols())
        return false;
    for (int r = 0; r < a.rows(); ++r) {
        for (int c = 0; c < a.cols(); ++c) {
            if (c != engine::chgScheduleRow && a.text(r, c) != b.text(r, c))
                return false;
        }
    }
    return true;
}

} // namespace

DocumentEdit::DocumentEdit(DocumentData before, DocumentData after)
    : m_before(std::move(before))
    , m_after(std::move(after))
{
    const engine::LoanDocument &a = m_before.loan;
    const engine::LoanDocument &b = m_after.loan;
    if (!(givenValues(a) == givenValues(b)))
        m_parts |= LoanValues;
    if (!sameEntries(a.gridAnnualRate, b.gridAnnualRate))
        m_parts |= AnnualRates;
    if (!sameEntries(a.gridBasicPayment, b.gridBasicPayment))
        m_parts |= BasicPayments;
    if (!sameEntries(a.gridLumpSum, b.gridLumpSum))
        m_parts |= LumpSums;
    if (!(m_before.print == m_after.print))
        m_parts |= Print;
    for (size_t k = 0; k < m_columnFields.size(); ++k) {
        const ColumnProperties::Column &x = m_before.columns.columns[k];
        const ColumnProperties::Column &y = m_after.columns.columns[k];
        m_columnFields[k] = (x.Caption != y.Caption ? Caption : 0u) | (x.Position != y.Position ? Position : 0u)
            | (x.Alignment != y.Alignment ? Alignment : 0u) | (x.Width != y.Width ? Width : 0u);
    }
}

bool DocumentEdit::empty() const
{
    if (m_parts != 0)
        return false;
    for (unsigned fields : m_columnFields) {
        if (fields != 0)
            return false;
    }
    return true;
}

void DocumentEdit::apply(const DocumentData &values, DocumentData &document) const
{
    engine::LoanDocument &loan = document.loan;
    if (m_parts & LoanValues) {
        engine::LoanDocument given = values.loan;
        // What is not the loan's own value stays as the document has it now.
        given.gridMain0 = std::move(loan.gridMain0);
        given.gridAnnualRate = std::move(loan.gridAnnualRate);
        given.gridBasicPayment = std::move(loan.gridBasicPayment);
        given.gridLumpSum = std::move(loan.gridLumpSum);
        given.gstrFileName = std::move(loan.gstrFileName);
        given.gblnReportFlag = loan.gblnReportFlag;
        loan = std::move(given);
    }
    if (m_parts & AnnualRates)
        loan.gridAnnualRate = values.loan.gridAnnualRate;
    if (m_parts & BasicPayments)
        loan.gridBasicPayment = values.loan.gridBasicPayment;
    if (m_parts & LumpSums)
        loan.gridLumpSum = values.loan.gridLumpSum;
    if (m_parts & Print)
        document.print = values.print;
    for (size_t k = 0; k < m_columnFields.size(); ++k) {
        const unsigned fields = m_columnFields[k];
        const ColumnProperties::Column &from = values.columns.columns[k];
        ColumnProperties::Column &to = document.columns.columns[k];
        if (fields & Caption)
            to.Caption = from.Caption;
        if (fields & Position)
            to.Position = from.Position;
        if (fields & Alignment)
            to.Alignment = from.Alignment;
        if (fields & Width)
            to.Width = from.Width;
    }
}

} // namespace document
