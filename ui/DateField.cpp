#include "DateField.h"

#include "engine/LoanDates.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>

namespace ui {

namespace {

const QDate kEpoch(1899, 12, 30);

// The day, month and year sections of a date's text, in order: its runs of letters and digits.
QList<std::pair<qsizetype, qsizetype>> sections(const QString &text)
{
    QList<std::pair<qsizetype, qsizetype>> runs;
    for (qsizetype i = 0; i < text.size();) {
        if (!text.at(i).isLetterOrNumber()) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && text.at(i).isLetterOrNumber())
            ++i;
        runs.append({start, i - start});
    }
    return runs;
}

// The pattern's fields in order: 'M', 'd' or 'y' for each.
QString fieldsOf(const std::string &pattern)
{
    QString fields;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if ((c == 'M' || c == 'd' || c == 'y') && (i == 0 || pattern[i - 1] != c))
            fields += QLatin1Char(c);
    }
    return fields;
}

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

DateField::DateField(const engine::NumberFormat &format, QWidget *parent)
    : QLineEdit(parent)
    , m_format(format)
    , m_minimum(toQDate(engine::LoanDates::kFirstDate))
    , m_maximum(toQDate(engine::LoanDates::kLastDate))
{
    if (m_format.datePattern().empty())
        m_format.setDatePattern(engine::kDefaultDatePattern);
    // Room for the calendar's arrow at the right end.
    setTextMargins(0, 0, arrowArea().width(), 0);
    setMinimumWidth(fontMetrics().horizontalAdvance(shown(QDate(2000, 9, 30)) + QStringLiteral("WW")) + 48);
    hold(QDate(2000, 1, 1));
}

QRect DateField::arrowArea() const
{
    const int width = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return QRect(rect().right() - width - 1, rect().top(), width, rect().height());
}

void DateField::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    const QRect area = arrowArea();
    // A drop-down arrow behind a thin line, as a picker's button looks.
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(area.left(), area.top() + 3, area.left(), area.bottom() - 3);
    QStyleOption option;
    option.initFrom(this);
    option.rect = area.adjusted(1, 0, 0, 0);
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &painter, this);
}

void DateField::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && arrowArea().contains(event->position().toPoint())) {
        m_selectOnRelease = false;
        showCalendar();
        event->accept();
        return;
    }
    // A click into a date chosen whole keeps it chosen (a second click places the cursor in it).
    if (hasFocus() && !text().isEmpty() && selectedText() == text())
        m_selectOnRelease = true;
    QLineEdit::mousePressEvent(event);
}

QString DateField::shown(const QDate &date) const
{
    return QString::fromStdString(m_format.formatDate(toSerial(date)));
}

QString DateField::displayFormat() const
{
    return pickerFormat(QString::fromStdString(m_format.datePattern()));
}

// The field holds `date` and shows it.
void DateField::hold(const QDate &date)
{
    const QDate previous = m_date;
    m_date = std::clamp(date, m_minimum, m_maximum);
    m_last = m_date;
    m_interpreted = shown(m_date);
    if (text() != m_interpreted)
        setText(m_interpreted);
    if (m_date != previous)
        emit dateChanged(m_date);
}

void DateField::setDate(const QDate &date)
{
    if (date.isValid())
        hold(date);
}

void DateField::setDateRange(const QDate &minimum, const QDate &maximum)
{
    if (!minimum.isValid() || !maximum.isValid())
        return;
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    if (m_date.isValid())
        hold(m_date);
    m_last = std::clamp(m_last, m_minimum, m_maximum);
    if (m_calendar)
        m_calendar->setDateRange(m_minimum, m_maximum);
}

bool DateField::interpretText()
{
    const QString typed = text();
    if (typed == m_interpreted)
        return m_date.isValid();
    m_interpreted = typed;
    const std::optional<engine::Date> serial = m_format.parseDate(typed.toStdString());
    const QDate date = serial ? toQDate(*serial) : QDate();
    if (date.isValid() && date >= m_minimum && date <= m_maximum) {
        hold(date);
        return true;
    }
    m_date = QDate();
    const QString pattern = QString::fromStdString(m_format.datePattern());
    const QString example = shown(m_last);
    if (date.isValid())
        emit dateRefused(QStringLiteral("Date is out of range: %1 is not between %2 and %3.")
                             .arg(shown(date), shown(m_minimum), shown(m_maximum)));
    else if (typed.trimmed().isEmpty())
        emit dateRefused(QStringLiteral("Please type a date, as %1: %2, for example.").arg(pattern, example));
    else
        emit dateRefused(QStringLiteral("\"%1\" is not a date. Type the date as %2: %3, for example.")
                             .arg(typed.trimmed(), pattern, example));
    return false;
}

QCalendarWidget *DateField::calendarWidget()
{
    if (!m_calendar) {
        m_calendar = new QCalendarWidget(this);
        m_calendar->setWindowFlags(Qt::Popup);
        m_calendar->setDateRange(m_minimum, m_maximum);
        connect(m_calendar, &QCalendarWidget::clicked, this, [this](const QDate &date) {
            m_calendar->hide();
            hold(date);
            setFocus(Qt::PopupFocusReason);
        });
        connect(m_calendar, &QCalendarWidget::activated, m_calendar, &QCalendarWidget::clicked);
    }
    return m_calendar;
}

void DateField::showCalendar()
{
    // A date being typed counts first, and the calendar opens on it; one just refused keeps the calendar shut.
    const bool typed = text() != m_interpreted;
    if (!interpretText() && typed)
        return;
    QCalendarWidget *calendar = calendarWidget();
    calendar->setSelectedDate(m_date.isValid() ? m_date : m_last);
    calendar->adjustSize();
    QPoint at = mapToGlobal(rect().bottomLeft());
    if (const QScreen *screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - calendar->width())));
        if (at.y() + calendar->height() > room.bottom())
            at.setY(mapToGlobal(rect().topLeft()).y() - calendar->height());
    }
    calendar->move(at);
    calendar->show();
    calendar->setFocus(Qt::PopupFocusReason);
}

// Steps the day, month or year under the cursor, as a date picker does.
void DateField::step(int direction)
{
    if (!interpretText())
        return;
    const QString fields = fieldsOf(m_format.datePattern());
    const auto runs = sections(text());
    const qsizetype cursor = cursorPosition();
    qsizetype section = 0;
    for (qsizetype i = 0; i < runs.size(); ++i) {
        if (runs[i].first <= cursor)
            section = i;
    }
    const QChar field = section < fields.size() ? fields.at(section) : QLatin1Char('d');
    const engine::Date day = toSerial(m_date);
    const std::optional<engine::Date> next = field == QLatin1Char('M') ? engine::addMonths(day, direction)
        : field == QLatin1Char('y')                                    ? engine::addYears(day, direction)
                                                                       : engine::addDays(day, direction);
    if (!next)
        return;
    hold(toQDate(*next));
    const auto shownRuns = sections(text());
    if (section < shownRuns.size())
        setSelection(shownRuns[section].first, int(shownRuns[section].second));
}

void DateField::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A refused date keeps the key: Enter must not go on to the window's default button with it.
        if (!interpretText()) {
            event->accept();
            return;
        }
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (event->modifiers() & Qt::AltModifier) {
            showCalendar();
            return;
        }
        step(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    case Qt::Key_F4:
        showCalendar();
        return;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
}

void DateField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // Whichever way the field takes the focus, the whole date is chosen, so that what is typed replaces it.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::MouseFocusReason)
        m_selectOnRelease = true;
    else if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        selectAll();
}

void DateField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Not when the calendar opens over the field, nor when another program's window or a message takes the focus.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        interpretText();
}

void DateField::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (m_selectOnRelease && !hasSelectedText())
        selectAll();
    m_selectOnRelease = false;
}

} // namespace ui
