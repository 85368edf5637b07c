#include "DateField.h"

#include "engine/LoanDates.h"

#include <QDateEdit>

namespace ui {

namespace {

const QDate kEpoch(1899, 12, 30);

} // namespace

QDate toQDate(engine::Date date)
{
    return kEpoch.addDays(date);
}

engine::Date toSerial(const QDate &date)
{
    return engine::Date(kEpoch.daysTo(date));
}

QString pickerFormat(const QString &pattern)
{
    QString format;
    QString literal;
    auto flush = [&] {
        if (literal.isEmpty())
            return;
        format +=
            QLatin1Char('\'') + QString(literal).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
        literal.clear();
    };
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern.at(i + run) == c)
            ++run;
        if (c == QLatin1Char('M')) {
            flush();
            format += run == 1 ? QStringLiteral("M") : run == 2 ? QStringLiteral("MM") : QStringLiteral("MMM");
        } else if (c == QLatin1Char('d')) {
            flush();
            format += run == 1 ? QStringLiteral("d") : QStringLiteral("dd");
        } else if (c == QLatin1Char('y')) {
            flush();
            format += QStringLiteral("yyyy");
        } else {
            literal += QString(run, c);
        }
        i += run;
    }
    flush();
    return format.isEmpty() ? QStringLiteral("M/d/yyyy") : format;
}

QDateEdit *dateField(const QString &pattern)
{
    auto *field = new QDateEdit;
    field->setCalendarPopup(true);
    field->setDisplayFormat(pickerFormat(pattern));
    field->setDateRange(toQDate(engine::LoanDates::kFirstDate), toQDate(engine::LoanDates::kLastDate));
    // A typed date counts once it is complete, not at every keystroke.
    field->setKeyboardTracking(false);
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("Sep/30/2000")) + 48);
    return field;
}

} // namespace ui
