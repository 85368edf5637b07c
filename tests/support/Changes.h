#pragma once

#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"

// Adds a rate change, payment change or lump sum of the given date and amount after the table's last row.
inline void addChange(engine::TextTable &table, engine::Date date, double amount)
{
    const int row = table.rows();
    table.setRows(row + 1);
    engine::setChangeEntry(table, row, date, amount, engine::NumberFormat());
}
