#pragma once

#include "ColumnProperties.h"
#include "PrintOptions.h"

#include "engine/LoanDocument.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace engine {
class NumberFormat;
}

namespace document {

// A document file larger than this is refused before it is read.
inline constexpr std::size_t kMaxDocumentBytes = 64 * 1024 * 1024;
// The longest title a document keeps: what the wizard's title field holds.
inline constexpr std::size_t kMaxTitleCharacters = 32767;
inline constexpr const char *kCorruptionMessage = "Corruption was detected while reading this file";
inline constexpr const char *kFileVersion = "3.3.9";
// The key of the record the writer always puts last.
inline constexpr const char *kLastRecord = "TitleComments";
// The key of the lender's rounding of each period's interest, a 16-bit boolean (-1 for on); a file without it
// leaves the interest unrounded.
inline constexpr const char *kRoundInterestKey = "RoundInterest";
// The prepayment terms: announced among the loan's conventions (-1) so that a file cut before their section is known
// to be cut, and written as a section of their own after the print options, which ends with its own last record.
inline constexpr const char *kPrepaymentTermsKey = "PrepaymentTerms";
inline constexpr const char *kPrepaymentSection = "[PrepaymentTerms]";
inline constexpr const char *kPrepaymentLastRecord = "FlatFee";

// Everything a document file holds.
struct DocumentData
{
    engine::LoanDocument loan;
    ColumnProperties columns;
    PrintOptions print;
};

// What the reader met besides the values it loaded.
struct ReadResult
{
    bool corrupted = false; // a line with an unknown key was passed over
    bool stoppedEarly = false; // a value could not be read; reading ended there, keeping what came before
    std::string problem; // what could not be read, and on which line

    // The messages to show the user, in order; empty when the file read cleanly.
    std::string message() const;
};

// The document as the bytes of a ".plr" file: CR LF lines, UTF-8 text.
std::string writeDocument(const engine::LoanDocument &loan, const ColumnProperties &columns, const PrintOptions &print);

// Loads every recognised line of a ".plr" file into the three records. Lines may come in any order; a line that
// is missing leaves its value as it was, except the start date, which starts out as no date, the start-payment
// choice, which starts out as 0, and the rounding of interest and the prepayment terms, which start out off. The change
// tables come out sorted by date, one entry per date. `format` supplies the date format for the change tables' date
// texts.
ReadResult readDocument(std::string_view bytes, engine::LoanDocument &loan, ColumnProperties &columns,
                        PrintOptions &print, const engine::NumberFormat &format);

inline std::string writeDocument(const DocumentData &data)
{
    return writeDocument(data.loan, data.columns, data.print);
}
inline ReadResult readDocument(std::string_view bytes, DocumentData &data, const engine::NumberFormat &format)
{
    return readDocument(bytes, data.loan, data.columns, data.print, format);
}

// True when the file's first field is "[Application]", as in every document file.
bool hasDocumentSignature(std::string_view bytes);

std::string missingFileMessage(std::string_view path);
std::string wrongFormatMessage(std::string_view path);

} // namespace document
