#pragma once

#include "Dates.h"

#include <functional>
#include <optional>
#include <string_view>

namespace engine {

class NumberFormat;
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

// Removes one entry; the heading row always stays.
void removeChangeEntry(TextTable &table, int row);

// Removes every entry whose date `outside` says; true when any went.
bool removeChangeEntriesIf(TextTable &table, const std::function<bool(Date)> &outside);
// Removes the entries that a loan lent on `start` and paid up by `last` can never pay: dated on or before `start`,
// or after `last` (kNoDate: no end yet). An entry dated on `last` stays.
bool removeChangeEntriesOutside(TextTable &table, Date start, Date last);

} // namespace engine
