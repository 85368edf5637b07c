#include "ScheduleTable.h"

#include "Arithmetic.h"
#include "NumberFormat.h"

#include <algorithm>
#include <stdexcept>

namespace engine {

namespace {

const std::shared_ptr<const NumberFormat> &defaultFormat()
{
    static const auto format = std::make_shared<const NumberFormat>();
    return format;
}

bool isMoneyColumn(int column)
{
    switch (column) {
    case colOpeningBalance:
    case colInterest:
    case colPrincipal:
    case colEndingBalance:
    case colPayment:
    case colLumpSum:
    case colCumulativePayments:
    case colCumulativeInterest:
    case colCumulativePrincipal:
        return true;
    default:
        return false;
    }
}

// Decimals of the percentages: the annual rate as "#.0000%", the percent paid as "Percent".
int percentDecimals(int column)
{
    return column == colAnnualRate ? 4 : 2;
}

std::uint16_t bits(std::initializer_list<int> columns)
{
    std::uint16_t mask = 0;
    for (int c : columns)
        mask = std::uint16_t(mask | (1u << c));
    return mask;
}

} // namespace

const char *scheduleCaption(int column)
{
    static constexpr std::array<const char *, kScheduleColumnCount> captions = {"No.",
                                                                                "Date",
                                                                                "Opening Balance",
                                                                                "Annual Rate",
                                                                                "Interest",
                                                                                "Principal",
                                                                                "Ending Balance",
                                                                                "Percent Paid",
                                                                                "Payment",
                                                                                "Lump Sums",
                                                                                "Cumulative Payments",
                                                                                "Cumulative Interest",
                                                                                "Cumulative Principal",
                                                                                ""};
    return column >= 0 && column < kScheduleColumnCount ? captions[size_t(column)] : "";
}

ScheduleTable::ScheduleTable()
    : m_format(defaultFormat())
{ }

void ScheduleTable::setFormat(const NumberFormat &format)
{
    m_format = std::make_shared<const NumberFormat>(format);
}

bool operator==(const ScheduleTable &a, const ScheduleTable &b)
{
    return a.m_loanAmount == b.m_loanAmount && a.m_cents == b.m_cents && a.m_date == b.m_date
        && a.m_interest == b.m_interest && a.m_principal == b.m_principal && a.m_word == b.m_word
        && a.m_terms == b.m_terms && a.m_lumps == b.m_lumps;
}

void ScheduleTable::reset(double loanAmount, std::size_t rowsExpected, bool cents)
{
    *this = ScheduleTable();
    m_cents = cents;
    m_loanAmount = loanAmount;
    m_running.balance = cents ? roundToDigits(loanAmount, 2) : loanAmount;
    m_date.reserve(rowsExpected);
    m_interest.reserve(rowsExpected);
    m_principal.reserve(rowsExpected);
    m_word.reserve(rowsExpected);
    m_checkpoints.reserve(rowsExpected / kCheckpointEvery + 1);
}

void ScheduleTable::append(Date date, std::uint32_t word, double interest, double principal)
{
    const std::size_t index = m_date.size();
    if (index % kCheckpointEvery == 0)
        m_checkpoints.push_back(m_running);
    m_date.push_back(date);
    m_word.push_back(word);
    m_interest.push_back(interest);
    m_principal.push_back(principal);
    apply(m_running, index);
}

void ScheduleTable::appendStart(Date date)
{
    append(date, std::uint32_t(ScheduleRowKind::Start), 0, 0);
}

void ScheduleTable::appendPayment(Date date, double annualRate, double payment, bool final, double interest,
                                  double principal, std::optional<PaidLump> lump)
{
    const Terms terms {annualRate, payment};
    if (m_terms.empty() || !(m_terms.back() == terms)) {
        if (m_terms.size() >= (1u << 28))
            throw std::length_error("too many changes of rate or payment");
        m_terms.push_back(terms);
    }
    if (lump)
        m_lumps.push_back({m_date.size(), lump->applied, lump->entered});
    const auto word = std::uint32_t(ScheduleRowKind::Payment) | (lump ? 4u : 0u) | (final ? 8u : 0u)
        | std::uint32_t((m_terms.size() - 1) << 4);
    append(date, word, interest, principal);
}

void ScheduleTable::appendLumpSum(Date date, PaidLump lump, double interestSaved)
{
    m_lumps.push_back({m_date.size(), lump.applied, lump.entered});
    append(date, std::uint32_t(ScheduleRowKind::LumpSum) | 4u, -interestSaved, 0);
}

const ScheduleTable::Lump *ScheduleTable::lumpOf(std::size_t index) const
{
    const auto found = std::lower_bound(m_lumps.begin(), m_lumps.end(), index,
                                        [](const Lump &lump, std::size_t i) { return lump.index < i; });
    return found != m_lumps.end() && found->index == index ? &*found : nullptr;
}

double ScheduleTable::lumpAt(std::size_t index) const
{
    const Lump *lump = lumpOf(index);
    return lump ? lump->amount : 0;
}

std::optional<double> ScheduleTable::reducedLumpSum(int r) const
{
    const Lump *lump = r >= 1 && r < rows() ? lumpOf(std::size_t(r - 1)) : nullptr;
    if (!lump || !(roundAsShown(lump->amount, 2) < roundAsShown(lump->entered, 2)))
        return std::nullopt;
    return lump->entered;
}

double ScheduleTable::balanceLeft() const
{
    return m_date.empty() ? 0 : roundAsShown(m_running.balance, 2);
}

double ScheduleTable::lumpSumTotal() const
{
    double total = 0;
    for (const Lump &lump : m_lumps)
        total += roundAsShown(lump.amount, 2);
    return roundAsShown(total, 2);
}

bool ScheduleTable::paymentShortOfInterest(int r) const
{
    if (r < 1 || r >= rows() || kind(std::size_t(r - 1)) != ScheduleRowKind::Payment)
        return false;
    const std::size_t index = std::size_t(r - 1);
    return roundAsShown(shownPayment(terms(index).payment, isFinal(index)), 2) < roundAsShown(m_interest[index], 2);
}

int ScheduleTable::periodsNotCoveringInterest() const
{
    int count = 0;
    for (int r = 1; r < rows(); ++r)
        count += paymentShortOfInterest(r) ? 1 : 0;
    return count;
}

int ScheduleTable::firstPaymentFrom(Date date) const
{
    // Rows are in date order.
    for (auto at = std::lower_bound(m_date.begin(), m_date.end(), date); at != m_date.end(); ++at) {
        const std::size_t index = std::size_t(at - m_date.begin());
        if (kind(index) == ScheduleRowKind::Payment)
            return int(index) + 1;
    }
    return 0;
}

double ScheduleTable::paymentOf(int row) const
{
    const std::size_t index = std::size_t(row - 1);
    if (kind(index) != ScheduleRowKind::Payment)
        return 0;
    return roundAsShown(shownPayment(terms(index).payment, isFinal(index)), 2);
}

double ScheduleTable::lumpSumOf(int row) const
{
    const std::size_t index = std::size_t(row - 1);
    const bool paid =
        kind(index) == ScheduleRowKind::LumpSum || (kind(index) == ScheduleRowKind::Payment && hasLump(index));
    return paid ? roundAsShown(lumpAt(index), 2) : 0;
}

double ScheduleTable::shownPayment(double payment, bool final)
{
    return final ? roundUpToDigits(roundToDigits(payment, 6), 2) : payment;
}

void ScheduleTable::apply(State &state, std::size_t index) const
{
    // The order of the additions is the computation's: a lump sum paid on a payment date is counted before the
    // payment, and the interest a lump sum saves (held negated as its row's interest) is taken off at its row.
    switch (kind(index)) {
    case ScheduleRowKind::Start:
        break;
    case ScheduleRowKind::Payment:
        if (hasLump(index))
            state.cumPayments = added(state.cumPayments, lumpAt(index));
        state.cumInterest = added(state.cumInterest, m_interest[index]);
        state.cumPrincipal = added(state.cumPrincipal, m_principal[index]);
        state.cumPayments = added(state.cumPayments, shownPayment(terms(index).payment, isFinal(index)));
        state.balance = added(state.balance, -m_principal[index]);
        ++state.period;
        break;
    case ScheduleRowKind::LumpSum:
        state.cumInterest = added(state.cumInterest, m_interest[index]);
        state.cumPayments = added(state.cumPayments, lumpAt(index));
        break;
    }
}

double ScheduleTable::added(double total, double amount) const
{
    // x + (-y) is x - y to the last bit, so the unrounded figures stay as they always were.
    return m_cents ? roundToDigits(total + amount, 2) : total + amount;
}

ScheduleTable::State ScheduleTable::stateBefore(std::size_t index) const
{
    const std::size_t first = index / kCheckpointEvery * kCheckpointEvery;
    State state = m_checkpoints[index / kCheckpointEvery];
    for (std::size_t i = first; i < index; ++i)
        apply(state, i);
    return state;
}

ScheduleTable::RawRow ScheduleTable::raw(State &state, std::size_t index) const
{
    RawRow row;
    row.kind = kind(index);
    row.hasLump = hasLump(index);
    auto &v = row.value;
    v[colDate] = v[colDateSerial] = m_date[index];
    const double opening = state.balance;
    apply(state, index);
    switch (row.kind) {
    case ScheduleRowKind::Start:
        break;
    case ScheduleRowKind::Payment:
        v[colNumber] = state.period;
        v[colOpeningBalance] = opening;
        v[colAnnualRate] = terms(index).annualRate;
        v[colInterest] = m_interest[index];
        v[colPrincipal] = m_principal[index];
        v[colEndingBalance] = state.balance;
        v[colPercentPaid] = (m_loanAmount - state.balance) / m_loanAmount;
        v[colPayment] = shownPayment(terms(index).payment, isFinal(index));
        v[colLumpSum] = row.hasLump ? lumpAt(index) : 0;
        v[colCumulativePayments] = state.cumPayments;
        v[colCumulativeInterest] = state.cumInterest;
        v[colCumulativePrincipal] = state.cumPrincipal;
        break;
    case ScheduleRowKind::LumpSum:
        v[colInterest] = m_interest[index];
        v[colLumpSum] = lumpAt(index);
        v[colCumulativePayments] = state.cumPayments;
        break;
    }
    return row;
}

std::uint16_t ScheduleTable::emptyColumns(const RawRow &raw)
{
    static const std::uint16_t start = std::uint16_t(~bits({colNumber, colDate, colDateSerial}));
    static const std::uint16_t lumpSum =
        std::uint16_t(~bits({colDate, colInterest, colLumpSum, colCumulativePayments, colDateSerial}));
    switch (raw.kind) {
    case ScheduleRowKind::Start:
        return start;
    case ScheduleRowKind::Payment:
        return raw.hasLump ? 0 : bits({colLumpSum});
    case ScheduleRowKind::LumpSum:
        return lumpSum;
    }
    return 0;
}

ScheduleRowValues ScheduleTable::shown(const RawRow &raw, int row)
{
    ScheduleRowValues out;
    out.row = row;
    out.kind = raw.kind;
    out.emptyColumns = emptyColumns(raw);
    for (int c = 0; c < kScheduleColumnCount; ++c) {
        const double v = raw.value[size_t(c)];
        if (out.isEmpty(c))
            continue;
        if (isMoneyColumn(c))
            out.value[size_t(c)] = roundAsShown(v, 2);
        else if (c == colAnnualRate || c == colPercentPaid)
            out.value[size_t(c)] = roundAsShown(v * 100.0, percentDecimals(c));
        else
            out.value[size_t(c)] = v;
    }
    return out;
}

ScheduleRowValues ScheduleTable::row(int r) const
{
    if (r < 1 || r >= rows())
        return {};
    State state = stateBefore(std::size_t(r - 1));
    return shown(raw(state, std::size_t(r - 1)), r);
}

int ScheduleTable::rowOfPayment(int period) const
{
    if (period < 1 || m_checkpoints.empty())
        return 0;
    // The last checkpoint with fewer payments before it than `period`: the payment lies in the rows it starts.
    const auto after = std::partition_point(m_checkpoints.begin(), m_checkpoints.end(),
                                            [period](const State &state) { return state.period < period; });
    const std::size_t block = std::size_t(after - m_checkpoints.begin()) - 1;
    int payments = m_checkpoints[block].period;
    const std::size_t end = std::min(m_date.size(), (block + 1) * kCheckpointEvery);
    for (std::size_t i = block * kCheckpointEvery; i < end; ++i) {
        if (kind(i) == ScheduleRowKind::Payment && ++payments == period)
            return int(i) + 1;
    }
    return 0;
}

double ScheduleTable::value(int r, int column) const
{
    if (column < 0 || column >= kScheduleColumnCount)
        return 0;
    return row(r)[column];
}

bool ScheduleTable::isEmpty(int r, int column) const
{
    if (column < 0 || column >= kScheduleColumnCount || r < 0 || r >= rows())
        return true;
    if (r == 0)
        return *scheduleCaption(column) == '\0';
    RawRow rawRow;
    rawRow.kind = kind(std::size_t(r - 1));
    rawRow.hasLump = hasLump(std::size_t(r - 1));
    return (emptyColumns(rawRow) >> column) & 1u;
}

std::string ScheduleTable::text(int r, int column) const
{
    if (column < 0 || column >= kScheduleColumnCount || r < 0 || r >= rows())
        return {};
    if (r == 0)
        return scheduleCaption(column);
    if (column == colDate)
        return m_format->formatDate(m_date[size_t(r - 1)]);
    return cellText(row(r), column, *m_format);
}

ScheduleReader::ScheduleReader(const ScheduleTable &table, int firstRow)
    : m_table(table)
    , m_index(std::size_t(std::clamp(firstRow, 1, table.rows()) - 1))
{
    if (m_index < table.m_date.size())
        m_state = table.stateBefore(m_index);
}

bool ScheduleReader::next(ScheduleRowValues &out)
{
    if (m_index >= m_table.m_date.size())
        return false;
    m_raw = m_table.raw(m_state, m_index);
    out = ScheduleTable::shown(m_raw, int(m_index) + 1);
    ++m_index;
    return true;
}

std::string cellText(const ScheduleRowValues &row, int column, const NumberFormat &format)
{
    if (column < 0 || column >= kScheduleColumnCount || row.isEmpty(column))
        return {};
    const double v = row[column];
    switch (column) {
    case colNumber:
    case colDateSerial:
        return std::to_string(int(v));
    case colDate:
        return format.formatDate(Date(v));
    case colAnnualRate:
        return format.percentage(v, 4, false); // "#.0000%": no leading zero below 1 %
    case colPercentPaid:
        return format.percentage(v, 2, true); // "Percent"
    default:
        return format.currency(v);
    }
}

std::string plainCellText(const ScheduleRowValues &row, int column)
{
    if (column < 0 || column >= kScheduleColumnCount || row.isEmpty(column))
        return {};
    const NumberFormat &plain = plainFormat();
    const double v = row[column];
    switch (column) {
    case colNumber:
    case colDateSerial:
        return std::to_string(int(v));
    case colDate:
        return plain.formatDate(Date(v));
    case colAnnualRate:
    case colPercentPaid:
        return plain.fixed(v, percentDecimals(column));
    default:
        return plain.fixed(v, 2);
    }
}

} // namespace engine
