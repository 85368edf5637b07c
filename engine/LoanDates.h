#pragma once

#include "Dates.h"

#include <string>

namespace engine {

// A loan's first dates as the wizard's term step holds them: the day the money is lent, the first payment, and which
// of the two the user fixes (the start-payment option). The other one follows through the payment calendar.
class LoanDates
{
public:
    // The dates a date field can hold: 1 January 1900 to 31 December 9999.
    static constexpr Date kFirstDate = 2;
    static constexpr Date kLastDate = kMaxDate;

    // A new loan: its first payment today, and its start one installment period earlier.
    static LoanDates forNewLoan(int option, int frequency, Date today);
    // A document's dates: its anchor (or `today` without one) and its start date when that can stand.
    static LoanDates fromDocument(int option, Date anchor, Date start, int frequency, Date today);

    int option() const { return m_option; }
    Date start() const { return m_start; }
    Date firstPaymentDue() const { return m_first; }
    // The calendar's anchor: the day the money was lent, or the first payment.
    Date anchor() const { return m_option != 0 ? m_start : m_first; }

    // False when `option` is already the one in force.
    bool setOption(int option, int frequency);
    // False when the start date is not before the first payment: the previous start date is then restored. A date
    // given again changes nothing.
    bool setStart(Date date, int frequency);
    void setFirstPaymentDue(Date date, int frequency);
    // The date the user fixes stays; the other follows it at a new frequency.
    void follow(int frequency) { follow(m_option != 0, frequency); }

    struct Term
    {
        Date lastPaymentDue = kNoDate;
        std::string yearsAndMonths; // "21 Years 6 Months"
        std::string months; // "258 Months"
    };
    // The term of `periods` payments; empty when there is none.
    Term term(double periods, int frequency) const;

    bool operator==(const LoanDates &) const = default;

private:
    void follow(bool fromStart, int frequency);
    void set(Date start, Date first);

    int m_option = 1;
    Date m_start = kFirstDate;
    Date m_first = kFirstDate;
    Date m_previousStart = kFirstDate; // where a refused start date returns to
};

// A length in years as whole years and months ("21 Years 6 Months").
std::string yearsAndMonthsText(double years);

} // namespace engine
