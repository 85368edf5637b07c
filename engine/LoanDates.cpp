#include "LoanDates.h"

#include "Arithmetic.h"
#include "ArithmeticError.h"
#include "Calendar.h"
#include "Codes.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

std::string plural(int count, const char *singular, const char *many)
{
    return std::to_string(count) + ' ' + (count == 1 ? singular : many);
}

} // namespace

std::string yearsAndMonthsText(double years)
{
    int whole = int(std::floor(years));
    int months = int(std::lround((years - whole) * 12));
    if (months == 12) {
        ++whole;
        months = 0;
    }
    std::string text;
    if (whole != 0)
        text = plural(whole, "Year", "Years");
    if (months != 0 || whole == 0)
        text += (text.empty() ? "" : " ") + plural(months, "Month", "Months");
    return text;
}

LoanDates LoanDates::forNewLoan(int option, int frequency, Date today)
{
    LoanDates dates;
    dates.m_option = option != 0 ? 1 : 0;
    // The first payment falls today; the loan starts one installment period earlier.
    Date start = today;
    try {
        start = nthPaymentDate(today, frequency, 0, 0);
    } catch (const ArithmeticError &) { }
    dates.set(start, today);
    dates.m_previousStart = dates.m_start;
    dates.follow(frequency);
    return dates;
}

LoanDates LoanDates::fromDocument(int option, Date anchor, Date start, int frequency, Date today)
{
    LoanDates dates;
    dates.m_option = option != 0 ? 1 : 0;
    if (!isValidSerial(anchor) || anchor <= 0)
        anchor = today;
    Date first = anchor;
    try {
        if (dates.m_option != 0) {
            // The anchor is the day the money was lent; the first payment falls one period later.
            start = anchor;
            first = nthPaymentDate(anchor, frequency, 1, 1);
        } else if (start <= 0 || start >= first) {
            // No usable start date: the natural one, an installment period before the first payment.
            start = nthPaymentDate(first, frequency, 0, 0);
        }
    } catch (const ArithmeticError &) { }
    // The document's own dates stand: a start date between two periods is kept.
    dates.set(start, first);
    dates.m_previousStart = dates.m_start;
    return dates;
}

void LoanDates::set(Date start, Date first)
{
    m_start = std::clamp(start, kFirstDate, kLastDate);
    m_first = std::clamp(first, kFirstDate, kLastDate);
}

// One date from the other through the payment calendar: the first payment one installment period after the day the
// money was lent, or that day one period before the first payment.
void LoanDates::follow(bool fromStart, int frequency)
{
    Date start = m_start;
    Date first = m_first;
    try {
        if (fromStart) {
            first = nthPaymentDate(start, frequency, 1, 1);
        } else {
            start = nthPaymentDate(first, frequency, 0, 0);
            if (m_option != 0)
                first = nthPaymentDate(start, frequency, 1, 1);
        }
    } catch (const ArithmeticError &) {
        return;
    }
    set(start, first);
    m_previousStart = m_start;
}

bool LoanDates::setOption(int option, int frequency)
{
    option = option != 0 ? 1 : 0;
    if (option == m_option)
        return false;
    m_option = option;
    follow(frequency);
    return true;
}

bool LoanDates::setStart(Date date, int frequency)
{
    // A field confirmed without a change gives its date again; following it would move the other date.
    if (date == m_start)
        return true;
    const Date first = m_first;
    set(date, m_first);
    if (m_option != 0)
        follow(true, frequency);
    if (m_start >= m_first) {
        set(m_previousStart, first);
        return false;
    }
    m_previousStart = m_start;
    return true;
}

void LoanDates::setFirstPaymentDue(Date date, int frequency)
{
    if (date == m_first)
        return;
    set(m_start, date);
    follow(false, frequency);
}

LoanDates::Term LoanDates::term(double periods, int frequency) const
{
    Term term;
    if (!(periods >= 1))
        return term;
    try {
        const Date last = lastPaymentDue(anchor(), frequency, periods, m_option);
        const double years = periodsToLength(periods, kYears, frequency, m_start);
        const double months = periodsToLength(periods, kMonths, frequency, m_start);
        term.lastPaymentDue = last;
        term.yearsAndMonths = yearsAndMonthsText(years);
        term.months = plural(int(std::lround(months)), "Month", "Months");
    } catch (const ArithmeticError &) { }
    return term;
}

} // namespace engine
