#include "Statement.h"

#include "MessageText.h"
#include "NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

// A column the header names: the date, one of the money columns, or something the statement ignores.
constexpr int kDateColumn = -1;
constexpr int kIgnoredColumn = -2;

constexpr std::string_view kSeparators = "\t;,";

// Blanks around a cell, the no-break spaces a web page's table pads its cells with among them.
std::string_view trimmed(std::string_view s)
{
    constexpr std::string_view noBreakSpaces[] = {"\xC2\xA0", "\xE2\x80\xAF"};
    for (bool trimming = true; trimming;) {
        trimming = false;
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
            s.remove_prefix(1);
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
            s.remove_suffix(1);
        for (std::string_view space : noBreakSpaces) {
            if (s.starts_with(space)) {
                s.remove_prefix(space.size());
                trimming = true;
            }
            if (s.ends_with(space)) {
                s.remove_suffix(space.size());
                trimming = true;
            }
        }
    }
    return s;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

// The meaning of a header cell. A schedule this program printed calls the balance "Ending Balance".
int headerMeaning(std::string_view cell)
{
    if (equalsIgnoringCase(cell, "Date"))
        return kDateColumn;
    for (int c = 0; c < kStatementColumnCount; ++c) {
        if (equalsIgnoringCase(cell, statementColumnName(c)))
            return c;
    }
    if (equalsIgnoringCase(cell, "Ending Balance"))
        return stmBalance;
    return kIgnoredColumn;
}

// Whether a cell that grows byte by byte is still blank, as trimmed() would leave nothing of it: made of blanks and
// no-break spaces only. Each byte is looked at about once, however often it is asked.
class BlankCell
{
public:
    void reset()
    {
        m_checked = 0;
        m_blank = true;
    }
    bool blank(std::string_view cell)
    {
        constexpr std::string_view noBreakSpaces[] = {"\xC2\xA0", "\xE2\x80\xAF"};
        while (m_blank && m_checked < cell.size()) {
            const std::string_view rest = cell.substr(m_checked);
            if (rest.front() == ' ' || rest.front() == '\t' || rest.front() == '\r') {
                ++m_checked;
                continue;
            }
            bool partial = false;
            size_t length = 0;
            for (std::string_view space : noBreakSpaces) {
                if (rest.starts_with(space))
                    length = space.size();
                partial = partial || space.starts_with(rest);
            }
            if (length > 0) {
                m_checked += length;
                continue;
            }
            // The first bytes of a no-break space may yet be completed by the next ones.
            if (!partial)
                m_blank = false;
            return false;
        }
        return m_blank;
    }

private:
    size_t m_checked = 0;
    bool m_blank = true;
};

// Splits one line at `separator`; a cell may be quoted with double quotes, a doubled quote standing for one.
// False when a quote is left open.
bool splitCells(std::string_view line, char separator, std::vector<std::string> &cells)
{
    cells.clear();
    std::string cell;
    BlankCell blank;
    bool quoted = false;
    bool wasQuoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c != '"')
                cell.push_back(c);
            else if (i + 1 < line.size() && line[i + 1] == '"')
                cell.push_back(line[++i]);
            else
                quoted = false;
        } else if (c == separator) {
            cells.emplace_back(wasQuoted ? cell : std::string(trimmed(cell)));
            cell.clear();
            blank.reset();
            wasQuoted = false;
        } else if (c == '"' && blank.blank(cell)) {
            cell.clear();
            blank.reset();
            quoted = wasQuoted = true;
        } else {
            cell.push_back(c);
        }
    }
    cells.emplace_back(wasQuoted ? cell : std::string(trimmed(cell)));
    return !quoted;
}

struct Header
{
    char separator = ',';
    std::vector<int> meanings; // per cell
    int named = 0; // cells naming a statement column
};

// How a line reads as a header with each separator; the separator naming the most columns wins.
Header readHeader(std::string_view line)
{
    Header best;
    std::vector<std::string> cells;
    for (char separator : kSeparators) {
        if (!splitCells(line, separator, cells))
            continue;
        Header header {separator, {}, 0};
        for (const std::string &cell : cells) {
            header.meanings.push_back(headerMeaning(trimmed(cell)));
            if (header.meanings.back() != kIgnoredColumn)
                ++header.named;
        }
        if (header.named > best.named)
            best = std::move(header);
    }
    return best;
}

std::string lineMessage(int line, const std::string &what)
{
    return "Line " + std::to_string(line) + ": " + what;
}

std::string quoted(std::string_view text)
{
    return "\"" + quotedForMessage(text) + "\"";
}

std::optional<Date> readDate(std::string_view text, const NumberFormat &format)
{
    if (auto date = format.parseDate(text, "yyyy-MM-dd"))
        return date;
    return format.parseDate(text);
}

// A plain number first, so that "1234.56" is not read as 123456 where the locale groups digits with dots.
std::optional<double> readAmount(std::string_view text, const NumberFormat &format)
{
    std::optional<double> value = parsePlainNumber(text);
    // Grouped as the locale groups ("2,143.23", never "2143,23" or "1,2,3", which are a decimal comma or a run of
    // cells); a lender may group the digits above the thousands in twos.
    if (!value)
        value = format.parseNumber(text, DigitGrouping::ThousandsOrLakhs);
    // Beyond 10^15 an amount can no longer be told to the cent; refusing it keeps every sum finite.
    if (value && !(std::fabs(*value) < 1e15))
        return std::nullopt;
    return value;
}

} // namespace

const char *statementColumnName(int column)
{
    switch (column) {
    case stmPayment:
        return "Payment";
    case stmInterest:
        return "Interest";
    case stmPrincipal:
        return "Principal";
    case stmBalance:
        return "Balance";
    default:
        return "";
    }
}

StatementReadResult readStatement(std::string_view text, const NumberFormat &format)
{
    StatementReadResult result;
    Statement &statement = result.statement;
    if (text.size() > kMaxStatementBytes)
        return {{}, "The statement is larger than 16 MB."};
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3); // the byte-order mark spreadsheets put before UTF-8 text

    Header header;
    std::vector<std::string> cells;
    int line = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        // Lines end in a line feed, a carriage return and a line feed, or a carriage return alone.
        const size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        const std::string_view content = trimmed(text.substr(pos, end - pos));
        pos = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
        if (++line > kMaxStatementLines)
            return {{}, lineMessage(line, "a statement may have at most 100,000 lines.")};
        if (content.empty())
            continue;

        if (statement.headerLine == 0) {
            Header candidate = readHeader(content);
            if (candidate.named == 0)
                continue;
            header = std::move(candidate);
            statement.headerLine = line;
            bool hasDate = false;
            for (int meaning : header.meanings) {
                if (meaning == kDateColumn && hasDate)
                    return {{}, lineMessage(line, "the header names the column Date twice.")};
                if (meaning >= 0 && statement.hasColumn[size_t(meaning)])
                    return {{},
                            lineMessage(line,
                                        std::string("the header names the column ") + statementColumnName(meaning)
                                            + " twice.")};
                hasDate = hasDate || meaning == kDateColumn;
                if (meaning >= 0)
                    statement.hasColumn[size_t(meaning)] = true;
            }
            if (!hasDate)
                return {{}, lineMessage(line, "the header names no Date column.")};
            if (std::none_of(statement.hasColumn.begin(), statement.hasColumn.end(), [](bool b) { return b; }))
                return {{},
                        lineMessage(line,
                                    "the header names none of the columns Payment, Interest, Principal "
                                    "and Balance.")};
            continue;
        }

        if (!splitCells(content, header.separator, cells))
            return {{}, lineMessage(line, "a quoted cell is not closed.")};
        if (std::all_of(cells.begin(), cells.end(), [](const std::string &c) { return trimmed(c).empty(); }))
            continue;
        // Between commas, "$2,143.23" unquoted falls apart into cells that each read as an amount.
        if (header.separator == ',' && cells.size() > header.meanings.size()
            && std::any_of(cells.begin() + std::ptrdiff_t(header.meanings.size()), cells.end(),
                           [](const std::string &c) { return !trimmed(c).empty(); }))
            return {{},
                    lineMessage(line,
                                "the row has more cells than the header; an amount written with a comma must be "
                                "in quotes (\"2,143.23\").")};
        StatementRow row;
        row.line = line;
        std::string_view dateText;
        bool anyAmount = false;
        for (size_t c = 0; c < header.meanings.size() && c < cells.size(); ++c) {
            const std::string_view cell = trimmed(cells[c]);
            const int meaning = header.meanings[c];
            if (meaning == kDateColumn) {
                dateText = cell;
            } else if (meaning >= 0 && !cell.empty()) {
                row.amounts[size_t(meaning)] = readAmount(cell, format);
                if (!row.amounts[size_t(meaning)])
                    return {{},
                            lineMessage(line,
                                        quoted(cell) + " in the column " + statementColumnName(meaning)
                                            + " is not an amount.")};
                anyAmount = true;
            }
        }
        // A row without any amount (a note, a rate notice) has nothing to compare.
        if (!anyAmount)
            continue;
        const std::optional<Date> date = readDate(dateText, format);
        if (!date) {
            return {{},
                    lineMessage(line,
                                dateText.empty() ? std::string("the row has no date.")
                                                 : quoted(dateText) + " is not a date (yyyy-mm-dd or "
                                        + format.datePattern() + ").")};
        }
        row.date = *date;
        statement.rows.push_back(std::move(row));
    }

    if (statement.headerLine == 0)
        return {{},
                "No line of the statement names its columns: the header needs Date and at least one of "
                "Payment, Interest, Principal and Balance."};
    if (statement.rows.empty())
        return {{}, lineMessage(statement.headerLine, "the header has no rows with amounts below it.")};
    // A bank's account page shows what leaves the account, and what is owed, as negative amounts: a column with no
    // amount above zero is read as the loan's own figures. Principal negative on its own is a payment short of the
    // interest, and stays as it is. A balance negative on one row alone is what the last payment overpaid, as a
    // schedule shows it, unless the payments or the interest are shown negative too.
    std::array<bool, kStatementColumnCount> turned {};
    for (int c : {stmPayment, stmInterest, stmBalance, stmPrincipal}) {
        int negative = 0;
        bool positive = false;
        for (const StatementRow &row : statement.rows) {
            negative += int(row.amounts[size_t(c)] && *row.amounts[size_t(c)] < 0);
            positive = positive || (row.amounts[size_t(c)] && *row.amounts[size_t(c)] > 0);
        }
        const bool debits = turned[size_t(stmPayment)] || turned[size_t(stmInterest)];
        turned[size_t(c)] =
            negative > 0 && !positive && (c == stmPrincipal ? debits : c != stmBalance || negative > 1 || debits);
        if (!turned[size_t(c)])
            continue;
        for (StatementRow &row : statement.rows) {
            if (row.amounts[size_t(c)] && *row.amounts[size_t(c)] != 0)
                row.amounts[size_t(c)] = -*row.amounts[size_t(c)];
        }
    }
    return result;
}

} // namespace engine
