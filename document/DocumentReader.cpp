#include "DocumentFile.h"

#include "FieldReader.h"
#include "TextEncoding.h"

#include "engine/ChangeTables.h"
#include "engine/LoanTerms.h"
#include "engine/MessageText.h"
#include "engine/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <numeric>
#include <type_traits>
#include <vector>

namespace document {

namespace {

using Handler = std::function<void(FieldReader &)>;

// A section's record count: a 16-bit count as the file stores it, never negative.
int readCount(FieldReader &in)
{
    in.readInt16(); // the field count, fixed by the writer
    return std::max(in.readInt16(), 0);
}

// Values no loan has are refused: the loan's own figures within what the wizard takes, the change tables' within
// what the grid and the Lump Sums dialog take (none negative).
constexpr double kLargestAmount = engine::kMaxAmount;
constexpr double kLargestRate = engine::kMaxPercent / 100;
constexpr double kLargestChange = engine::kMaxTypedChange;

void readChanges(FieldReader &in, std::string_view section, engine::TextTable &table,
                 const engine::NumberFormat &format,
                 engine::SameDateEntries sameDate = engine::SameDateEntries::LastOneWins)
{
    const std::string amountName = std::string(section) + " Amount";
    const int entries = readCount(in);
    if (entries < 1)
        return;
    table.setRows(1);
    try {
        for (int i = 1; i <= entries; ++i) {
            in.readField();
            const engine::Date date = in.readDate();
            in.readField();
            const double amount = in.readNumberWithin(amountName, 0, kLargestChange);
            // The table grows entry by entry, so a count larger than the entries present leaves no empty rows.
            table.setRows(i + 1);
            engine::setChangeEntry(table, i, date, amount, format);
        }
    } catch (const ReadStop &) {
        engine::sortChangeTable(table, sameDate); // what was read before the damage is kept, in order
        throw;
    }
    engine::sortChangeTable(table, sameDate);
}

void readColumns(FieldReader &in, ColumnProperties &columns)
{
    const int records = readCount(in);
    for (int i = 0; i < std::min(records, kLogicalColumns); ++i) {
        in.readField();
        in.readField();
        in.readField();
        columns.columns[size_t(i)].Width = in.readInt16();
        in.readField();
        columns.columns[size_t(i)].Alignment = in.readInt16();
        in.readField();
        columns.columns[size_t(i)].Position = in.readInt16();
    }
    if (records > kLogicalColumns)
        throw ReadStop("line " + std::to_string(in.line()) + ": more than 13 column records");
}

// Comments of N characters: whole lines joined with CR LF until N is reached. The length is counted as the lines
// come, since measuring the whole text again for every line takes minutes on a long comment.
//
// A length larger than the comment (edited by hand, or damaged) would take the loan's own lines for comment text. So
// a line that starts with one of the file's keys ends the comment before it when it would carry the comment beyond
// N, and the first such line does when the file ends before N is reached; `damaged` then tells.
std::string readComments(FieldReader &in, const std::function<bool(std::string_view)> &isKeyLine, bool &damaged)
{
    const long long length = in.readInt32();
    std::string value;
    long long characters = 0;
    bool lineRead = false;
    struct Resume
    {
        FieldReader::Position at;
        size_t size = 0;
    };
    std::optional<Resume> firstKeyLine;
    while (characters < length && !in.atEnd()) {
        const FieldReader::Position before = in.position();
        const std::string line = in.readLine();
        const long long lineLength = (lineRead ? 2 : 0) + static_cast<long long>(decodedLength(line));
        if (isKeyLine(line)) {
            if (characters + lineLength > length) {
                in.seek(before);
                damaged = true;
                return decodedText(value);
            }
            if (!firstKeyLine)
                firstKeyLine = Resume {before, value.size()};
        }
        if (lineRead)
            value += "\r\n";
        value += line;
        characters += lineLength;
        lineRead = true;
    }
    // A file that ends inside its comment was cut short, which the missing last record tells.
    if (characters < length && firstKeyLine) {
        damaged = true;
        in.seek(firstKeyLine->at);
        value.resize(firstKeyLine->size);
    }
    if (!lineRead)
        in.readField(); // the empty line written for an empty comment
    return decodedText(value);
}

// The title's line, no longer than the wizard's field holds; `cut` tells when it was longer.
std::string readTitle(FieldReader &in, bool &cut)
{
    in.readInt32(); // the length, which the line itself gives
    std::string title = decodedText(in.readLine());
    const std::string_view kept = engine::firstCharacters(title, kMaxTitleCharacters);
    if (kept.size() < title.size()) {
        title.resize(kept.size());
        cut = true;
    }
    return title;
}

// A boolean stored as a 16-bit integer (-1 true, 0 false) or as #TRUE#/#FALSE#; any other value is false.
bool readFlag(FieldReader &in)
{
    const Field field = in.readField();
    switch (field.kind) {
    case Field::Kind::Number:
        return field.number != 0;
    case Field::Kind::Boolean:
        return field.flag;
    default:
        return false;
    }
}

// Any non-zero number means the amount was lent on the anchor date; anything else, the anchor is payment 1.
int readStartPayment(FieldReader &in)
{
    return readFlag(in) ? 1 : 0;
}

// A code stored as a whole number from 0 to `count` - 1.
int readCode(FieldReader &in, const char *name, int count)
{
    const int line = in.line();
    const double value = in.readNumberWithin(name, 0, count - 1);
    if (value != std::floor(value))
        throw ReadStop("line " + std::to_string(line) + ": " + name + " is not a whole number");
    return int(value);
}

// The percentages of a penalty by loan year: "2,2,1", each from 0 to 100, at most kMostPenaltyYears of them.
std::vector<double> readPercentList(FieldReader &in)
{
    const int line = in.line();
    const std::string text = in.readText();
    std::vector<double> percents;
    size_t from = 0;
    while (!text.empty() && from <= text.size()) {
        const size_t comma = std::min(text.find(',', from), text.size());
        const std::optional<double> percent =
            engine::parsePlainNumber(std::string_view(text).substr(from, comma - from));
        if (!percent || !(*percent >= 0 && *percent <= engine::kMaxTermsPercent)
            || int(percents.size()) >= engine::kMostPenaltyYears) {
            throw ReadStop("line " + std::to_string(line) + ": PercentByLoanYear \"" + engine::quotedForMessage(text)
                           + "\" is not a list of up to " + std::to_string(engine::kMostPenaltyYears)
                           + " percentages from 0 to 100");
        }
        percents.push_back(*percent);
        from = comma + 1;
    }
    return percents;
}

// Visible columns must stand at 0..n-1 exactly once each; a damaged file gets its columns renumbered in the order
// it gave them, and impossible widths the column's minimum.
void repairColumns(ColumnProperties &columns)
{
    std::vector<int> visible;
    for (int k = 0; k < kLogicalColumns; ++k) {
        ColumnProperties::Column &column = columns.columns[size_t(k)];
        if (column.Position < -1 || column.Position >= kLogicalColumns)
            column.Position = -1;
        if (column.Position >= 0)
            visible.push_back(k);
        if (column.Width < 0)
            column.Width = minimumColumnWidth(k);
    }
    std::stable_sort(visible.begin(), visible.end(), [&](int a, int b) {
        return columns.columns[size_t(a)].Position < columns.columns[size_t(b)].Position;
    });
    for (size_t i = 0; i < visible.size(); ++i)
        columns.columns[size_t(visible[i])].Position = int(i);
}

// Values the print layout indexes tables with are kept within those tables.
void repairPrintOptions(PrintOptions &print)
{
    if (print.PageSize < 1 || print.PageSize > int(kPaperSizes.size()))
        print.PageSize = 1;
    if (print.HeaderListIndex < 0 || print.HeaderListIndex >= int(kHeaderFooterChoices.size()))
        print.HeaderListIndex = 0;
    if (print.FooterListIndex < 0 || print.FooterListIndex >= int(kHeaderFooterChoices.size()))
        print.FooterListIndex = 0;
    print.RowsPerPage = std::clamp(print.RowsPerPage, 20, 140);
    print.Scaling = std::clamp(print.Scaling, 10, 400);
    for (float *length : {&print.MarginTop, &print.MarginBottom, &print.MarginLeft, &print.MarginRight,
                          &print.HeaderEdge, &print.FooterEdge})
        *length = keptMargin(*length);
}

} // namespace

std::string ReadResult::message() const
{
    std::string text;
    if (corrupted)
        text = kCorruptionMessage;
    if (stoppedEarly) {
        if (!text.empty())
            text += "\n\n";
        text += "The rest of this file could not be read (" + problem + "). Everything before it has been loaded.";
    }
    return text;
}

ReadResult readDocument(std::string_view bytes, engine::LoanDocument &loan, ColumnProperties &columns,
                        PrintOptions &print, const engine::NumberFormat &format)
{
    FieldReader in(withoutByteOrderMark(bytes));
    ReadResult result;
    bool lastRecordRead = false;
    loan.gdtmStartDate = engine::kNoDate;
    loan.gintStartPayment = 0;
    loan.roundInterestEachPeriod = false; // a file without the key is unrounded
    loan.prepaymentTerms.reset(); // and has no prepayment terms
    // The terms' section, once announced or begun, must be read to its last record for the file to be whole.
    bool termsExpected = false;
    bool termsEndRead = false;
    auto terms = [&loan]() -> engine::PrepaymentTerms & {
        if (!loan.prepaymentTerms)
            loan.prepaymentTerms.emplace();
        return *loan.prepaymentTerms;
    };
    auto code = [&](auto member, const char *name, int count) {
        return [&terms, member, name, count](FieldReader &r) {
            using Code = std::remove_reference_t<decltype(terms().*member)>;
            terms().*member = Code(readCode(r, name, count));
        };
    };
    auto termsNumber = [&](double engine::PrepaymentTerms::*member, const char *name, double high) {
        return [&terms, member, name, high](FieldReader &r) { terms().*member = r.readNumberWithin(name, 0, high); };
    };

    auto integer = [&](int &target) { return [&target](FieldReader &r) { target = r.readInt16(); }; };
    auto real = [&](double &target) { return [&target](FieldReader &r) { target = r.readDouble(); }; };
    auto within = [&](double &target, const char *name, double low, double high) {
        return [&target, name, low, high](FieldReader &r) { target = r.readNumberWithin(name, low, high); };
    };
    auto single = [&](float &target) { return [&target](FieldReader &r) { target = r.readFloat(); }; };
    auto optional = [&](std::optional<double> &target) {
        return [&target](FieldReader &r) { target = r.readOptional(); };
    };
    auto date = [&](engine::Date &target) { return [&target](FieldReader &r) { target = r.readDate(); }; };
    auto textField = [&](std::string &target) { return [&target](FieldReader &r) { target = r.readText(); }; };
    auto ignoreCounts = [](FieldReader &r) {
        r.readInt16();
        r.readInt16();
    };

    std::map<std::string, Handler, std::less<>> handlers;
    // A comment line that starts as a line of the file does, with one of its keys.
    auto isKeyLine = [&handlers](std::string_view line) {
        const size_t close = line.find('"', 1);
        return line.starts_with('"') && close != std::string_view::npos
            && (close + 1 == line.size() || line[close + 1] == ',') && handlers.contains(line.substr(1, close - 1));
    };
    handlers = {
        {"[Application]", ignoreCounts},
        {"[LoanData]", ignoreCounts},
        {"[PrintOptions]", ignoreCounts},
        {"Version", [](FieldReader &r) { r.readText(); }},
        {"Title", [&](FieldReader &r) { loan.gstrTitle = readTitle(r, result.corrupted); }},
        {"Comments", [&](FieldReader &r) { loan.gstrComments = readComments(r, isKeyLine, result.corrupted); }},
        {"StartPayment", [&](FieldReader &r) { loan.gintStartPayment = readStartPayment(r); }},
        {"LoanType", integer(loan.gintLoanType)},
        {"Compounding", integer(loan.gintCompounding)},
        {"PurchasePrice", optional(loan.gvarPurchasePrice)},
        {"DownPayment", optional(loan.gvarDownPayment)},
        {"DownPaymentUnit", integer(loan.gintDownPaymentUnit)},
        {"CMHC", optional(loan.gvarCMHC)},
        {"LoanAmount", within(loan.gdblLoanAmount, "LoanAmount", 0, kLargestAmount)},
        {"AnnualRate", within(loan.gdblAnnualRate, "AnnualRate", 0, kLargestRate)},
        {"Amortization", real(loan.glngAmortization)},
        {"AmortizationUnit", integer(loan.gintAmortUnit)},
        {"FrequencyOfInstallment", integer(loan.gintFreqOfInst)},
        {"BasicPayment", within(loan.gdblBasicPayment, "BasicPayment", 0, kLargestAmount)},
        {"StartDate", date(loan.gdtmStartDate)},
        {"FirstPaymentDue", date(loan.gdtmFirstPaymentDue)},
        {"PeriodsPerYearIndex", integer(loan.gintPeriodsPerYearIndex)},
        {"NumberOfPeriods", real(loan.mdblNperTerm)},
        {kRoundInterestKey, [&](FieldReader &r) { loan.roundInterestEachPeriod = readFlag(r); }},
        {"[AnnualRates]", [&](FieldReader &r) { readChanges(r, "[AnnualRates]", loan.gridAnnualRate, format); }},
        {"[BasicPayments]", [&](FieldReader &r) { readChanges(r, "[BasicPayments]", loan.gridBasicPayment, format); }},
        {"[LumpSums]",
         [&](FieldReader &r) {
             readChanges(r, "[LumpSums]", loan.gridLumpSum, format, engine::SameDateEntries::AddUp);
         }},
        {"[ColumnsProperties]", [&](FieldReader &r) { readColumns(r, columns); }},
        {"Orientation", [&](FieldReader &r) { print.Orientation = r.readBoolean(); }},
        {"GridLines", integer(print.GridLines)},
        {"RepeatHeading", integer(print.RepeatHeading)},
        {"BlackAndWhite", integer(print.BlackAndWhite)},
        {"MarginTop", single(print.MarginTop)},
        {"MarginBottom", single(print.MarginBottom)},
        {"MarginLeft", single(print.MarginLeft)},
        {"MarginRight", single(print.MarginRight)},
        {"CenterHorizontally", integer(print.CenterHorizontally)},
        {"CenterVertically", integer(print.CenterVertically)},
        {"Scaling", integer(print.Scaling)},
        {"HeaderEdge", single(print.HeaderEdge)},
        {"FooterEdge", single(print.FooterEdge)},
        {"HeaderListIndex", integer(print.HeaderListIndex)},
        {"FooterListIndex", integer(print.FooterListIndex)},
        {"CustomHeader", textField(print.CustomHeader)},
        {"CustomFooter", textField(print.CustomFooter)},
        {"PageSize", integer(print.PageSize)},
        {"HeaderLeft", textField(print.HeaderLeft)},
        {"HeaderCenter", textField(print.HeaderCenter)},
        {"HeaderRight", textField(print.HeaderRight)},
        {"FooterLeft", textField(print.FooterLeft)},
        {"FooterCenter", textField(print.FooterCenter)},
        {"FooterRight", textField(print.FooterRight)},
        {"RowsPerPage", integer(print.RowsPerPage)},
        {kLastRecord,
         [&](FieldReader &r) {
             print.TitleComments = r.readInt16();
             lastRecordRead = true;
         }},
        {kPrepaymentTermsKey,
         [&](FieldReader &r) {
             if (readFlag(r))
                 termsExpected = true;
         }},
        {kPrepaymentSection,
         [&](FieldReader &r) {
             ignoreCounts(r);
             terms();
             termsExpected = true;
         }},
        {"MortgageKind", code(&engine::PrepaymentTerms::kind, "MortgageKind", 3)},
        {"LumpSumPercent",
         termsNumber(&engine::PrepaymentTerms::lumpSumPercent, "LumpSumPercent", engine::kMaxTermsPercent)},
        {"MinimumLumpSum", termsNumber(&engine::PrepaymentTerms::minimumLumpSum, "MinimumLumpSum", engine::kMaxAmount)},
        {"PaymentIncreasePercent",
         termsNumber(&engine::PrepaymentTerms::paymentIncreasePercent, "PaymentIncreasePercent",
                     engine::kMaxTermsPercent)},
        {"PaymentIncreaseOf", code(&engine::PrepaymentTerms::increaseOf, "PaymentIncreaseOf", 2)},
        {"CombinedCap", [&](FieldReader &r) { terms().combinedCap = readFlag(r); }},
        {"PrivilegeYear", code(&engine::PrepaymentTerms::privilegeYear, "PrivilegeYear", 2)},
        {"TermMaturity", [&](FieldReader &r) { terms().maturity = r.readDate(); }},
        {"PenaltyMethod", code(&engine::PrepaymentTerms::method, "PenaltyMethod", 4)},
        {"IrdComparison", code(&engine::PrepaymentTerms::comparison, "IrdComparison", 2)},
        {"OriginalPostedRate",
         termsNumber(&engine::PrepaymentTerms::originalPostedRate, "OriginalPostedRate", engine::kMaxPostedRate)},
        {"PercentByLoanYear", [&](FieldReader &r) { terms().percentByLoanYear = readPercentList(r); }},
        {"ChargeOn", code(&engine::PrepaymentTerms::chargeOn, "ChargeOn", 2)},
        {kPrepaymentLastRecord,
         [&](FieldReader &r) {
             terms().flatFee = r.readNumberWithin(kPrepaymentLastRecord, 0, engine::kMaxAmount);
             termsEndRead = true;
         }},
    };

    try {
        while (!in.atEnd()) {
            const Field key = in.readField();
            const auto handler = key.kind == Field::Kind::Text ? handlers.find(key.text) : handlers.end();
            if (handler == handlers.end()) {
                // Unknown: note it and read on, field by field, as keys.
                result.corrupted = true;
                continue;
            }
            handler->second(in);
        }
    } catch (const ReadStop &stop) {
        result.stoppedEarly = true;
        result.problem = stop.what();
    }
    // Every file the program writes ends with this record: without it, the file was cut short.
    if (!result.stoppedEarly && (!lastRecordRead || (termsExpected && !termsEndRead))) {
        result.stoppedEarly = true;
        result.problem = "line " + std::to_string(in.line()) + ": the file ends too early";
    }

    if (loan.gintFreqOfInst != engine::kMonthly)
        loan.gintPeriodsPerYearIndexTmp = loan.gintPeriodsPerYearIndex;
    repairColumns(columns);
    repairPrintOptions(print);
    return result;
}

bool hasDocumentSignature(std::string_view bytes)
{
    FieldReader in(withoutByteOrderMark(bytes).substr(0, 64));
    if (in.atEnd())
        return false;
    const Field first = in.readField();
    return first.kind == Field::Kind::Text && first.text == "[Application]";
}

std::string missingFileMessage(std::string_view path)
{
    return "File '" + std::string(path) + "' does not exist.";
}

std::string wrongFormatMessage(std::string_view path)
{
    return "File '" + std::string(path) + "' cannot be opened, because it is in the wrong format or is corrupted.";
}

} // namespace document
