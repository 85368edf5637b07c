#include "DocumentFile.h"

#include "TextEncoding.h"

#include "engine/NumberFormat.h"

#include <cstdio>

namespace document {

namespace {

// Builds the file line by line; every line ends with CR LF.
class LineWriter
{
public:
    std::string take() { return std::move(m_out); }

    void section(const char *name, int fields, int records)
    {
        quoted(name);
        m_out += ',' + std::to_string(fields) + ',' + std::to_string(records);
        end();
    }
    void integer(const char *key, long long value)
    {
        keyed(key);
        m_out += std::to_string(value);
        end();
    }
    void real(const char *key, double value)
    {
        keyed(key);
        m_out += engine::plainNumber(value, 15);
        end();
    }
    void single(const char *key, float value)
    {
        keyed(key);
        m_out += engine::plainNumber(double(value), 7);
        end();
    }
    void optional(const char *key, const std::optional<double> &value)
    {
        keyed(key);
        if (value)
            m_out += engine::plainNumber(*value, 15);
        end();
    }
    void date(const char *key, engine::Date value)
    {
        keyed(key);
        const engine::Ymd ymd = engine::isValidSerial(value) ? engine::toYmd(value) : engine::Ymd {};
        char buf[32];
        std::snprintf(buf, sizeof buf, "#%04d-%02d-%02d#", ymd.year, ymd.month, ymd.day);
        m_out += buf;
        end();
    }
    void boolean(const char *key, bool value)
    {
        keyed(key);
        m_out += value ? "#TRUE#" : "#FALSE#";
        end();
    }
    void text(const char *key, const std::string &value)
    {
        keyed(key);
        quoted(value);
        end();
    }
    void raw(const std::string &line)
    {
        m_out += line;
        end();
    }

private:
    void keyed(const char *key)
    {
        quoted(key);
        m_out += ',';
    }
    // A quote inside a text is written twice, so the reader can tell it from the closing quote.
    void quoted(std::string_view value)
    {
        m_out += '"';
        for (char c : value) {
            if (c == '"')
                m_out += '"';
            m_out += c;
        }
        m_out += '"';
    }
    void end() { m_out += "\r\n"; }

    std::string m_out;
};

// Any line break inside the comments becomes CR LF, the form the file and the reader use.
std::string withCrLf(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

void writeChanges(LineWriter &w, const char *section, const engine::TextTable &table)
{
    const int entries = std::max(table.rows() - 1, 0);
    w.section(section, 2, entries);
    for (int r = 1; r <= entries; ++r) {
        w.real("Date", engine::numberOrZero(table.text(r, engine::chgDateSerial)));
        w.real("Amount", engine::numberOrZero(table.text(r, engine::chgAmount)));
    }
}

// The loan's conventions that older files do not have: written only when they differ from what a file without them
// means, so that every other document is written byte for byte as before.
void writeConventions(LineWriter &w, const engine::LoanDocument &loan)
{
    if (loan.roundInterestEachPeriod)
        w.integer(kRoundInterestKey, -1);
    if (loan.prepaymentTerms)
        w.integer(kPrepaymentTermsKey, -1);
}

std::string percentList(const std::vector<double> &percents)
{
    std::string text;
    for (double percent : percents)
        text += (text.empty() ? "" : ",") + engine::plainNumber(percent, 15);
    return text;
}

void writePrepaymentTerms(LineWriter &w, const engine::PrepaymentTerms &terms)
{
    w.section(kPrepaymentSection, 14, 1);
    w.integer("MortgageKind", int(terms.kind));
    w.real("LumpSumPercent", terms.lumpSumPercent);
    w.real("MinimumLumpSum", terms.minimumLumpSum);
    w.real("PaymentIncreasePercent", terms.paymentIncreasePercent);
    w.integer("PaymentIncreaseOf", int(terms.increaseOf));
    w.integer("CombinedCap", terms.combinedCap ? -1 : 0);
    w.integer("PrivilegeYear", int(terms.privilegeYear));
    w.date("TermMaturity", terms.maturity);
    w.integer("PenaltyMethod", int(terms.method));
    w.integer("IrdComparison", int(terms.comparison));
    w.real("OriginalPostedRate", terms.originalPostedRate);
    w.text("PercentByLoanYear", percentList(terms.percentByLoanYear));
    w.integer("ChargeOn", int(terms.chargeOn));
    w.real(kPrepaymentLastRecord, terms.flatFee);
}

} // namespace

std::string writeDocument(const engine::LoanDocument &loan, const ColumnProperties &columns, const PrintOptions &print)
{
    LineWriter w;
    w.section("[Application]", 1, 1);
    w.text("Version", kFileVersion);
    w.section("[LoanData]", 17, 1);
    w.integer("LoanType", loan.gintLoanType);
    w.integer("Compounding", loan.gintCompounding);

    // The title is a single raw line: a line break in it would be read as the next key.
    std::string title = loan.gstrTitle;
    for (char &c : title) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    w.integer("Title", static_cast<long long>(utf8Length(title)));
    w.raw(title);
    const std::string comments = withCrLf(loan.gstrComments);
    w.integer("Comments", static_cast<long long>(utf8Length(comments)));
    w.raw(comments);

    w.optional("PurchasePrice", loan.gvarPurchasePrice);
    w.optional("DownPayment", loan.gvarDownPayment);
    w.integer("DownPaymentUnit", loan.gintDownPaymentUnit);
    w.optional("CMHC", loan.gvarCMHC);
    w.real("LoanAmount", loan.gdblLoanAmount);
    w.real("AnnualRate", loan.gdblAnnualRate);
    w.real("Amortization", loan.glngAmortization);
    w.integer("AmortizationUnit", loan.gintAmortUnit);
    w.integer("FrequencyOfInstallment", loan.gintFreqOfInst);
    w.real("BasicPayment", loan.gdblBasicPayment);
    w.integer("StartPayment", loan.gintStartPayment);
    w.date("StartDate", loan.gdtmStartDate);
    w.date("FirstPaymentDue", loan.gdtmFirstPaymentDue);
    w.integer("PeriodsPerYearIndex", loan.gintPeriodsPerYearIndex);
    w.real("NumberOfPeriods", loan.mdblNperTerm);
    writeConventions(w, loan);

    writeChanges(w, "[AnnualRates]", loan.gridAnnualRate);
    writeChanges(w, "[BasicPayments]", loan.gridBasicPayment);
    writeChanges(w, "[LumpSums]", loan.gridLumpSum);

    w.section("[ColumnsProperties]", 4, kLogicalColumns);
    for (int k = 0; k < kLogicalColumns; ++k) {
        const ColumnProperties::Column &column = columns.columns[size_t(k)];
        w.integer("RecordNo", k + 1);
        w.integer("Width", column.Width);
        w.integer("Alignment", column.Alignment);
        w.integer("Position", column.Position);
    }

    w.section("[PrintOptions]", 25, 1);
    w.boolean("Orientation", print.Orientation);
    w.integer("GridLines", print.GridLines);
    w.integer("RepeatHeading", print.RepeatHeading);
    w.integer("BlackAndWhite", print.BlackAndWhite);
    w.single("MarginTop", print.MarginTop);
    w.single("MarginBottom", print.MarginBottom);
    w.single("MarginLeft", print.MarginLeft);
    w.single("MarginRight", print.MarginRight);
    w.integer("CenterHorizontally", print.CenterHorizontally);
    w.integer("CenterVertically", print.CenterVertically);
    w.integer("Scaling", print.Scaling);
    w.single("HeaderEdge", print.HeaderEdge);
    w.single("FooterEdge", print.FooterEdge);
    w.integer("HeaderListIndex", print.HeaderListIndex);
    w.integer("FooterListIndex", print.FooterListIndex);
    w.text("CustomHeader", print.CustomHeader);
    w.text("CustomFooter", print.CustomFooter);
    w.integer("PageSize", print.PageSize);
    w.text("HeaderLeft", print.HeaderLeft);
    w.text("HeaderCenter", print.HeaderCenter);
    w.text("HeaderRight", print.HeaderRight);
    w.text("FooterLeft", print.FooterLeft);
    w.text("FooterCenter", print.FooterCenter);
    w.text("FooterRight", print.FooterRight);
    w.integer("RowsPerPage", print.RowsPerPage);
    w.integer(kLastRecord, print.TitleComments);
    // After every older section, so that a file without terms ends as it always has.
    if (loan.prepaymentTerms)
        writePrepaymentTerms(w, *loan.prepaymentTerms);
    return w.take();
}

} // namespace document
