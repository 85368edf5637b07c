#pragma once

#include "Dates.h"
#include "Limits.h"

#include <functional>
#include <optional>
#include <string_view>

namespace engine {

struct LoanDocument;
class NumberFormat;
class ScheduleTable;
class TextTable;

// Edits of the three change tables (rates, payments, lump sums). Entries stay sorted by date, and a date has at
// most one entry: it is found by its date as shown, as the user sees it in the schedule.

// The row of the entry shown with `dateText`, or 0 when there is none (the last one when several match).
int findChangeEntry(const TextTable &table, std::string_view dateText);

// Gives the date `amount` (nothing: removes the date's entry). True when the table changed; an entry that already
// holds the amount, or a removal where there is no entry, changes nothing.
bool setChangeByDate(TextTable &table, std::string_view dateText, Date date, std::optional<double> amount);
// The same for a date shown with the current date format.
bool setChangeByDate(TextTable &table, Date date, std::optional<double> amount, const NumberFormat &format);

// The row of the entry dated `date`, or 0 when there is none; entries are matched on their day, not their text.
int findChangeEntryByDate(const TextTable &table, Date date);
// Gives `date` the amount: an entry already on that date takes the new amount, otherwise one is added; the table
// stays in date order. Returns the entry's row.
int putChangeEntry(TextTable &table, Date date, double amount, const NumberFormat &format);
// Adds a lump sum on `date`: money paid on one date adds up, so an entry already on that date takes the sum, otherwise
// one is added; the table stays in date order. Returns the entry's row.
int addLumpSum(TextTable &lumpSums, Date date, double amount, const NumberFormat &format);
// Whether two change tables hold the same entries: as many, each with the same date as shown and the same amount.
bool sameChangeEntries(const TextTable &a, const TextTable &b);
// Every entry's date shown again in `format`: the editors find entries by the date as the schedule shows it, so the
// tables follow a change of the date format.
void reformatChangeDates(TextTable &table, const NumberFormat &format);
// The same for the three change tables of a loan.
void reformatChangeDates(LoanDocument &loan, const NumberFormat &format);

// Removes one entry; the heading row always stays.
void removeChangeEntry(TextTable &table, int row);

// Removes every entry whose date `outside` says; true when any went.
bool removeChangeEntriesIf(TextTable &table, const std::function<bool(Date)> &outside);
// Removes the entries that a loan lent on `start` and paid up by `last` can never pay: dated before `start`, or after
// `last` (kNoDate: no end yet). Entries dated on `start` or on `last` stay.
bool removeChangeEntriesOutside(TextTable &table, Date start, Date last);

// The dates a lump sum can be given for in the lump sums list: from the day after the schedule's first date up to its
// last date.
struct DateRange
{
    Date first = kNoDate;
    Date last = kNoDate;
    bool contains(Date date) const { return date >= first && date <= last; }
};
// Nothing when the schedule has no dates after its first one.
std::optional<DateRange> lumpSumDateRange(const ScheduleTable &schedule);
// Where a refused date is put back: on or before the first payment due, the first date allowed; on or after the last
// payment due, the day before it; and in any case within the range.
Date pulledIntoRange(Date date, const DateRange &range, Date firstPaymentDue, Date lastPaymentDue);

// What the lump sums list opens on: the date of schedule row `row`, no earlier than the range allows, and the lump
// sum that row shows (0: none). Nothing for a row outside the schedule.
struct LumpSumPreset
{
    Date date = kNoDate;
    double amount = 0;
};
LumpSumPreset lumpSumPreset(const ScheduleTable &schedule, int row, const DateRange &range);

// The amount a lump sum typed as `typed` is listed and paid with: in cents, as the list shows it, so that the
// schedule pays what the user sees. 0 (no amount) for an amount that shows as nothing.
double lumpSumAmount(double typed);

// What a number typed over a schedule cell puts in its change table: a payment or lump sum (`amount`) in cents, as
// the currency box shows it, so that the schedule pays what the user sees; a rate in percent as typed. Nothing for
// a negative number or one beyond kMaxTypedChange.
std::optional<double> typedChange(double typed, bool amount);

// Removes the lump sums dated before the schedule's first date or after its last. Without a schedule (it could not be
// computed) nothing is known to be outside, and every entry stays.
bool removeLumpSumsOutsideSchedule(TextTable &lumpSums, const ScheduleTable &schedule);

} // namespace engine
