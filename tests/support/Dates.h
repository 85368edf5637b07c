#pragma once

#include "engine/Dates.h"

// A calendar date the tests name by its year, month and day; it must exist.
inline engine::Date ymd(int year, int month, int day)
{
    return *engine::exactDate(year, month, day);
}
