#include "DocumentFile.h"

#include "FieldReader.h"
#include "TextEncoding.h"

#include "engine/NumberFormat.h"

#include <algorithm>
#include <functional>
#include <map>
#include <numeric>
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

void readChanges(FieldReader &in, engine::TextTable &table, const engine::NumberFormat &format,
                 engine::SameDateEntries sameDate = engine::SameDateEntries::LastOneWins)
{
    const int entries = readCount(in);
    if (entries < 1)
        return;
    table.setRows(1);
    try {
        for (int i = 1; i <= entries; ++i) {
            in.readField();
            const engine::Date date = in.readDate();
            in.readField();
            const double amount = in.readDouble();
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
std::string readComments(FieldReader &in)
{
    const long long length = in.readInt32();
    std::string value;
    long long characters = 0;
    bool lineRead = false;
    while (characters < length && !in.atEnd()) {
        if (lineRead) {
            value += "\r\n";
            characters += 2;
        }
        const std::string line = in.readLine();
        characters += static_cast<long long>(utf8Length(line));
        value += line;
        lineRead = true;
    }
    if (!lineRead)
        in.readField(); // the empty line written for an empty comment
    return value;
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
    const std::string text = decodeDocumentText(bytes);
    FieldReader in(text);
    ReadResult result;
    loan.gdtmStartDate = engine::kNoDate;
    loan.gintStartPayment = 0;
    loan.roundInterestEachPeriod = false; // a file without the key is unrounded

    auto integer = [&](int &target) { return [&target](FieldReader &r) { target = r.readInt16(); }; };
    auto real = [&](double &target) { return [&target](FieldReader &r) { target = r.readDouble(); }; };
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

    const std::map<std::string, Handler, std::less<>> handlers = {
        {"[Application]", ignoreCounts},
        {"[LoanData]", ignoreCounts},
        {"[PrintOptions]", ignoreCounts},
        {"Version", [](FieldReader &r) { r.readText(); }},
        {"Title",
         [&](FieldReader &r) {
             r.readInt32();
             loan.gstrTitle = r.readLine();
         }},
        {"Comments", [&](FieldReader &r) { loan.gstrComments = readComments(r); }},
        {"StartPayment", [&](FieldReader &r) { loan.gintStartPayment = readStartPayment(r); }},
        {"LoanType", integer(loan.gintLoanType)},
        {"Compounding", integer(loan.gintCompounding)},
        {"PurchasePrice", optional(loan.gvarPurchasePrice)},
        {"DownPayment", optional(loan.gvarDownPayment)},
        {"DownPaymentUnit", integer(loan.gintDownPaymentUnit)},
        {"CMHC", optional(loan.gvarCMHC)},
        {"LoanAmount", real(loan.gdblLoanAmount)},
        {"AnnualRate", real(loan.gdblAnnualRate)},
        {"Amortization", real(loan.glngAmortization)},
        {"AmortizationUnit", integer(loan.gintAmortUnit)},
        {"FrequencyOfInstallment", integer(loan.gintFreqOfInst)},
        {"BasicPayment", real(loan.gdblBasicPayment)},
        {"StartDate", date(loan.gdtmStartDate)},
        {"FirstPaymentDue", date(loan.gdtmFirstPaymentDue)},
        {"PeriodsPerYearIndex", integer(loan.gintPeriodsPerYearIndex)},
        {"NumberOfPeriods", real(loan.mdblNperTerm)},
        {kRoundInterestKey, [&](FieldReader &r) { loan.roundInterestEachPeriod = readFlag(r); }},
        {"[AnnualRates]", [&](FieldReader &r) { readChanges(r, loan.gridAnnualRate, format); }},
        {"[BasicPayments]", [&](FieldReader &r) { readChanges(r, loan.gridBasicPayment, format); }},
        {"[LumpSums]",
         [&](FieldReader &r) { readChanges(r, loan.gridLumpSum, format, engine::SameDateEntries::AddUp); }},
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
        {"TitleComments", integer(print.TitleComments)},
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

    if (loan.gintFreqOfInst != engine::kMonthly)
        loan.gintPeriodsPerYearIndexTmp = loan.gintPeriodsPerYearIndex;
    repairColumns(columns);
    repairPrintOptions(print);
    return result;
}

bool hasDocumentSignature(std::string_view bytes)
{
    const std::string text = decodeDocumentText(bytes.substr(0, 64));
    FieldReader in(text);
    if (in.atEnd())
        return false;
    const Field first = in.readField();
    return first.kind == Field::Kind::Text && first.text == "[Application]";
}

std::string decodeDocumentText(std::string_view bytes)
{
    return isValidUtf8(bytes) ? std::string(bytes) : windows1252ToUtf8(bytes);
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
