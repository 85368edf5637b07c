// Reads arbitrary bytes as a lender's statement, in the English (United States) and in a euro format, and
// matches what was read against a year of monthly payments.
#include "engine/Codes.h"
#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"
#include "engine/Statement.h"
#include "engine/StatementMatch.h"
#include "support/EuroFormat.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

engine::LoanDocument yearOfPayments()
{
    engine::LoanDocument doc;
    doc.gintLoanType = engine::kMortgageLoan;
    doc.gdblLoanAmount = 10000;
    doc.gdblAnnualRate = 0.06;
    doc.gdblBasicPayment = 860.66;
    doc.mdblNperTerm = 12;
    doc.gintFreqOfInst = engine::kMonthly;
    doc.gdtmStartDate = *engine::exactDate(2025, 1, 1);
    doc.gdtmFirstPaymentDue = *engine::exactDate(2025, 2, 1);
    return doc;
}

// The euro format of the tests, dates written dd.MM.yyyy.
engine::NumberFormat commaDecimals()
{
    engine::NumberFormat format = testsupport::euroFormat();
    format.setDatePattern("dd.MM.yyyy");
    return format;
}

// What a statement that was taken always is: a header above rows that each have a date and an amount that can be
// told to the cent.
void checkStatement(const engine::Statement &statement)
{
    if (statement.headerLine < 1 || statement.rows.empty())
        std::abort();
    int line = statement.headerLine;
    for (const engine::StatementRow &row : statement.rows) {
        if (row.line <= line || !engine::isValidSerial(row.date))
            std::abort();
        line = row.line;
        bool any = false;
        for (size_t c = 0; c < row.amounts.size(); ++c) {
            if (!row.amounts[c])
                continue;
            if (!statement.hasColumn[c] || !(std::fabs(*row.amounts[c]) < 1e15))
                std::abort();
            any = true;
        }
        if (!any)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    static const engine::LoanDocument doc = yearOfPayments();
    static const engine::NumberFormat formats[] = {engine::NumberFormat(), commaDecimals()};
    for (const engine::NumberFormat &format : formats) {
        const engine::StatementReadResult read = engine::readStatement(text, format);
        if (!read.ok())
            continue;
        checkStatement(read.statement);
        const engine::MatchResult match = engine::matchStatement(doc, read.statement, format);
        if (!match.ok())
            continue;
        if (match.candidates.empty() || match.statementRows != int(read.statement.rows.size()))
            std::abort();
        for (const engine::CandidateResult &candidate : match.candidates) {
            if (candidate.rowsAgreeing > candidate.rowsMatched || candidate.rowsMatched > match.statementRows
                || !(candidate.largestDifference >= 0))
                std::abort();
        }
        const engine::CandidateComparison best =
            engine::compareCandidate(doc, read.statement, format, match.candidates.front().conventions);
        if (best.error.empty())
            (void)engine::describeDrift(read.statement, best, format);
    }
    return 0;
}
