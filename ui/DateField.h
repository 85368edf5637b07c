#pragma once

#include "engine/Dates.h"
#include "engine/NumberFormat.h"

#include <QDate>
#include <QLineEdit>
#include <QString>

class QCalendarWidget;

namespace ui {

// Day serials and the dates Qt shows.
QDate toQDate(engine::Date date);
engine::Date toSerial(const QDate &date);

// The program's date pattern as a Qt display format: the month, day and year runs keep their meaning, and anything
// else is shown literally.
QString pickerFormat(const QString &pattern);

// A date typed as the program shows dates (its date pattern, any of the usual separators, the sections in order), or
// picked in a calendar. A typed date counts once it is complete: on Enter, when the field is left, or when the window
// asks (`interpretText`). What is typed is never made into another date: a text that is no date, or a date outside
// the field's range, is refused (`dateRefused`, with the message to show) and stays as typed, and the field then holds
// no date until a date is typed or set. The arrow keys step the day, month or year under the cursor; Alt+Down or F4
// opens the calendar.
class DateField : public QLineEdit
{
    Q_OBJECT

public:
    explicit DateField(const engine::NumberFormat &format, QWidget *parent = nullptr);

    // The date the field holds; invalid while it shows a refused text.
    QDate date() const { return m_date; }
    // Shows a date, brought within the field's range.
    void setDate(const QDate &date);
    void setDateRange(const QDate &minimum, const QDate &maximum);
    QDate minimumDate() const { return m_minimum; }
    QDate maximumDate() const { return m_maximum; }
    // The dates' pattern as a Qt display format.
    QString displayFormat() const;
    bool calendarPopup() const { return true; }
    QCalendarWidget *calendarWidget();
    void showCalendar();

    // Takes what is typed now: true when the field then holds the date its text shows, false when the text was refused
    // (now or before, unchanged since).
    bool interpretText();

signals:
    void dateChanged(const QDate &date);
    void dateRefused(const QString &message);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect arrowArea() const;
    QString shown(const QDate &date) const;
    void hold(const QDate &date);
    void step(int direction);

    engine::NumberFormat m_format;
    QDate m_date;
    QDate m_last; // the date last held, for the examples of a message
    QDate m_minimum;
    QDate m_maximum;
    QString m_interpreted; // the text last taken or refused
    bool m_selectOnRelease = false;
    QCalendarWidget *m_calendar = nullptr;
};

} // namespace ui
