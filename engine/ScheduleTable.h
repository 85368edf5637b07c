#pragma once

#include "Dates.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace engine {

class NumberFormat;

// Columns of the schedule table gridMain0.
enum ScheduleColumn : int {
    colNumber = 0,
    colDate,
    colOpeningBalance,
    colAnnualRate,
    colInterest,
    colPrincipal,
    colEndingBalance,
    colPercentPaid,
    colPayment,
    colLumpSum,
    colCumulativePayments,
    colCumulativeInterest,
    colCumulativePrincipal,
    colDateSerial, // never shown: the row's date as a day serial
    kScheduleColumnCount
};

// Column captions of the schedule table (empty for the hidden serial column).
const char *scheduleCaption(int column);

enum class ScheduleRowKind : unsigned char {
    Start, // period 0: a date, no amounts
    Payment,
    LumpSum, // a lump sum paid between two payment dates: no period, the interest it saves, the lump sum
};

// One row's numbers exactly as its cells show them: money rounded to the cent, the annual rate and the percent paid
// as the percentages their texts show (6.5 for "6.5000%", 12.34 for "12.34%"), the date as its day serial, the
// period as a whole number. An empty cell holds 0.
struct ScheduleRowValues
{
    int row = 0;
    ScheduleRowKind kind = ScheduleRowKind::Start;
    std::array<double, kScheduleColumnCount> value {};
    std::uint16_t emptyColumns = 0; // bit c set: column c is empty

    double operator[](int column) const { return value[size_t(column)]; }
    bool isEmpty(int column) const { return (emptyColumns >> column) & 1u; }
    Date date() const { return Date(value[colDateSerial]); }
};

// The schedule table gridMain0: per row the numbers the computation found, the texts made from them on demand with
// the table's NumberFormat. Row 0 is the header; data rows start at 1.
//
// A row keeps its date, interest, principal and a word for its kind, flags and terms (rate and payment, shared by all
// rows between two changes): 24 bytes. Balances and running totals follow from these by the same additions that
// computed them, replayed from a checkpoint kept every 16 rows, so they come out bit for bit as computed.
class ScheduleTable
{
public:
    ScheduleTable();

    int rows() const { return int(m_date.size()) + 1; }
    int cols() const { return kScheduleColumnCount; }

    // The cell's text in the table's format: the captions in row 0, "" outside the table or for an empty cell.
    std::string text(int row, int column) const;
    // The number the cell's text shows (see ScheduleRowValues); 0 outside the table, in row 0 and for an empty cell.
    double value(int row, int column) const;
    bool isEmpty(int row, int column) const;
    // Every number of one data row (1..rows()-1); for many rows in order a ScheduleReader is cheaper.
    ScheduleRowValues row(int row) const;
    // The row of payment `period` (1 for the first payment), found without reading the rows before it; 0 when the
    // schedule has no such payment.
    int rowOfPayment(int period) const;

    // The lump sums paid, each as its cell shows it.
    double lumpSumTotal() const;
    // The amount entered for the lump sum a row pays when that was more than was owed on its date and only what was
    // owed was paid; nothing for any other row.
    std::optional<double> reducedLumpSum(int row) const;
    // What the last payment leaves owing, as shown (the loan amount before any payment); 0 without rows.
    double balanceLeft() const;
    // Whether a row is a payment that does not cover the interest it is charged, as the cells show them (the balance
    // grows by it). Costs no replay of the rows before it.
    bool paymentShortOfInterest(int row) const;
    // The payment rows that do not cover their interest.
    int periodsNotCoveringInterest() const;
    // The first payment row dated on or after `date`; 0 when none is.
    int firstPaymentFrom(Date date) const;
    // One data row's date, kind, payment and lump sum as its cells show them (0 for none), without replaying the rows
    // before it; the row must be a data row (1..rows()-1).
    Date dateOf(int row) const { return m_date[std::size_t(row - 1)]; }
    ScheduleRowKind kindOf(int row) const { return kind(std::size_t(row - 1)); }
    double paymentOf(int row) const;
    double lumpSumOf(int row) const;
    // Whether interest, principal and balances were rounded to the cent in every row.
    bool roundedToCents() const { return m_cents; }

    // The format of the texts. Changing it (another date pattern, say) changes every text at once.
    const NumberFormat &format() const { return *m_format; }
    void setFormat(const NumberFormat &format);

    friend bool operator==(const ScheduleTable &a, const ScheduleTable &b);

    // A lump sum as paid: the amount applied, and the amount entered, which is more when it was cut to what was owed.
    struct PaidLump
    {
        double applied = 0;
        double entered = 0;
    };

    // Filling, for the computation: rows are appended in order after a reset. With `cents`, the balance and the running
    // totals are rounded to the cent after every row, so each is the sum of the cells above it.
    void reset(double loanAmount, std::size_t rowsExpected, bool cents = false);
    void appendStart(Date date);
    // `lump` is the lump sum paid on the payment date, if any.
    void appendPayment(Date date, double annualRate, double payment, bool final, double interest, double principal,
                       std::optional<PaidLump> lump);
    void appendLumpSum(Date date, PaidLump lump, double interestSaved);
    // The running figures after the last row appended.
    double balance() const { return m_running.balance; }
    double cumulativePayments() const { return m_running.cumPayments; }
    double cumulativeInterest() const { return m_running.cumInterest; }
    double cumulativePrincipal() const { return m_running.cumPrincipal; }
    // A final payment is shown rounded up to the cent, after rounding to 6 decimals drops the noise the balance
    // gathers over many periods (which would otherwise add a cent to an exact final payment).
    static double shownPayment(double payment, bool final);

private:
    friend class ScheduleReader;

    struct State
    {
        double balance = 0;
        double cumPayments = 0;
        double cumInterest = 0;
        double cumPrincipal = 0;
        int period = 0;
        friend bool operator==(const State &, const State &) = default;
    };
    struct Terms
    {
        double annualRate = 0;
        double payment = 0;
        friend bool operator==(const Terms &, const Terms &) = default;
    };
    struct Lump
    {
        std::size_t index = 0;
        double amount = 0; // applied
        double entered = 0;
        friend bool operator==(const Lump &, const Lump &) = default;
    };
    // The unrounded numbers of one row, from which its texts and values are made.
    struct RawRow
    {
        ScheduleRowKind kind = ScheduleRowKind::Start;
        bool hasLump = false;
        std::array<double, kScheduleColumnCount> value {};
    };

    static constexpr std::size_t kCheckpointEvery = 16;

    void append(Date date, std::uint32_t word, double interest, double principal);
    ScheduleRowKind kind(std::size_t index) const { return ScheduleRowKind(m_word[index] & 3u); }
    bool hasLump(std::size_t index) const { return m_word[index] & 4u; }
    bool isFinal(std::size_t index) const { return m_word[index] & 8u; }
    const Terms &terms(std::size_t index) const { return m_terms[m_word[index] >> 4]; }
    const Lump *lumpOf(std::size_t index) const;
    double lumpAt(std::size_t index) const;
    // Moves the running figures past one row, exactly as the computation did.
    void apply(State &state, std::size_t index) const;
    // total + amount, to the cent when the table rounds every row.
    double added(double total, double amount) const;
    // The figures before a row, replayed from the checkpoint before it.
    State stateBefore(std::size_t index) const;
    // The row's numbers given the figures before it; moves the figures past it.
    RawRow raw(State &state, std::size_t index) const;
    static std::uint16_t emptyColumns(const RawRow &raw);
    static ScheduleRowValues shown(const RawRow &raw, int row);

    std::shared_ptr<const NumberFormat> m_format;
    double m_loanAmount = 0;
    std::vector<Date> m_date;
    std::vector<double> m_interest;
    std::vector<double> m_principal;
    std::vector<std::uint32_t> m_word; // kind (2 bits), lump flag, final flag, terms index (28 bits)
    std::vector<Terms> m_terms;
    std::vector<Lump> m_lumps; // in row order
    std::vector<State> m_checkpoints; // the figures before rows 0, 16, 32, ... (data rows counted from 0)
    State m_running;
    bool m_cents = false;
};

// Reads rows in order, each for the cost of a few additions.
class ScheduleReader
{
public:
    explicit ScheduleReader(const ScheduleTable &table, int firstRow = 1);
    // The next row's numbers; false past the last row.
    bool next(ScheduleRowValues &out);
    // A number of the row last read before it was rounded to what its cell shows: for sums that are rounded once.
    double unrounded(int column) const
    {
        return column >= 0 && column < kScheduleColumnCount ? m_raw.value[size_t(column)] : 0;
    }

private:
    const ScheduleTable &m_table;
    std::size_t m_index = 0;
    ScheduleTable::State m_state;
    ScheduleTable::RawRow m_raw;
};

// The text of a cell as the table shows it in `format` (text() for a row already read).
std::string cellText(const ScheduleRowValues &row, int column, const NumberFormat &format);
// The machine-readable text of a cell: the date as yyyy-mm-dd, numbers as plain decimals with "." (money with 2
// decimals, the annual rate with 4, the percent paid with 2), the period as a whole number, empty cells empty.
std::string plainCellText(const ScheduleRowValues &row, int column);

} // namespace engine
