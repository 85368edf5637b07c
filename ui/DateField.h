#pragma once

#include "engine/Dates.h"

#include <QDate>
#include <QString>

class QDateEdit;

namespace ui {

// Day serials and the dates Qt shows.
QDate toQDate(engine::Date date);
engine::Date toSerial(const QDate &date);

// The program's date pattern as a date picker's display format: the month, day and year runs keep their meaning, and
// anything else is shown literally.
QString pickerFormat(const QString &pattern);

// A date picker in the program's date pattern, with its calendar, taking a typed date once it is complete.
QDateEdit *dateField(const QString &pattern);

} // namespace ui
