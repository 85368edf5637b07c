#pragma once

#include "Dates.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

class NumberFormat;

// The money columns a lender's statement may give, besides its Date column.
enum StatementColumn : int { stmPayment = 0, stmInterest, stmPrincipal, stmBalance, kStatementColumnCount };

// "Payment", "Interest", "Principal", "Balance".
const char *statementColumnName(int column);

inline constexpr std::size_t kMaxStatementBytes = 16 * 1024 * 1024;
inline constexpr int kMaxStatementLines = 100000;

struct StatementRow
{
    int line = 0; // 1-based line of the text it was read from
    Date date = kNoDate;
    std::array<std::optional<double>, kStatementColumnCount> amounts; // empty where the cell was empty
};

// A lender's statement: the rows below its header line, in the order the text gives them.
struct Statement
{
    int headerLine = 0;
    std::array<bool, kStatementColumnCount> hasColumn {};
    std::vector<StatementRow> rows;
};

struct StatementReadResult
{
    Statement statement;
    std::string error; // why the text was refused, naming the line; empty when it was read
    bool ok() const { return error.empty(); }
};

// Reads a statement pasted from a spreadsheet or a web page, or saved as CSV: the first line that names some of the
// columns Date, Payment, Interest, Principal and Balance (any order and case) is the header; lines above it are
// titles and are skipped, and columns with other names are ignored. Cells are separated by tabs, semicolons or
// commas, whichever the header uses, and may be quoted. Dates are yyyy-mm-dd or in the format's date pattern;
// amounts are plain numbers or in the format's currency text. Rows with no amount at all are skipped.
StatementReadResult readStatement(std::string_view text, const NumberFormat &format);

} // namespace engine
