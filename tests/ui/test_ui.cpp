#include "support/CanadianFrenchFormat.h"
#include "support/EuroFormat.h"
#include "support/QtPrinters.h"
#include "ui/BgrColor.h"
#include "ui/DateField.h"
#include "ui/MoneyFieldValidator.h"
#include "ui/NumberField.h"
#include "ui/NumberFieldValidator.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

using ui::NumberFieldValidator;

TEST(NumberFieldValidatorTest, NumbersWithinTheRangeAndTheirDecimals)
{
    const engine::NumberFormat dot;
    const engine::NumberFormat comma = testsupport::euroFormat();
    const engine::NumberFormat french = testsupport::canadianFrenchFormat();
    struct Case
    {
        double minimum, maximum;
        int decimals;
        const engine::NumberFormat &format;
        const char *typed;
        QValidator::State state;
    };
    const QValidator::State ok = QValidator::Acceptable, partial = QValidator::Intermediate,
                            refused = QValidator::Invalid;
    for (const Case &c : {
             Case {0, 1000, 2, dot, "", ok}, // an empty field: not given
             Case {0, 1000, 2, dot, "999.99", ok},
             Case {0, 1000, 2, dot, "1000", ok},
             Case {0, 1000, 2, dot, "1000.01", refused},
             Case {0, 1000, 2, dot, "12.345", partial}, // a third decimal: kept as typed, and no number
             Case {0, 1000, 2, dot, ".", partial},
             Case {0, 1000, 2, dot, ".5", ok},
             Case {0, 1000, 2, dot, "12a", refused},
             Case {0, 1000, 2, dot, "-5", refused}, // no sign without a negative minimum
             Case {0, 90000, 0, dot, "90000", ok},
             Case {0, 90000, 0, dot, "1.", partial}, // no decimals at all
             Case {0, 90000, 0, dot, "1.5", partial},
             Case {0, 1000, 2, dot, "\u0661", refused}, // digits of other scripts
             Case {-100, 100, 2, dot, "-", partial},
             Case {-100, 100, 2, dot, "-.", partial},
             Case {-100, 100, 2, dot, "-99.5", ok},
             Case {-100, 100, 2, dot, "-100.01", refused},
             Case {-100, 100, 2, dot, "5-", refused},
             Case {10, 100, 0, dot, "5", partial}, // may still grow into a valid number
             Case {10, 100, 0, dot, "50", ok},
             // A separator of another convention stays as typed, and the text holds no number.
             Case {0, 1000, 2, dot, "1,5", partial},
             Case {0, 1000, 2, dot, "1.2.3", partial},
             Case {0, 1e10, 2, dot, "1234,56", partial},
             Case {0, 1e10, 2, dot, "1.234,56", partial},
             Case {0, 1e10, 2, dot, "1,234.56", ok},
             Case {0, 1000, 2, comma, "1,5", ok}, // the locale's separator
             Case {0, 1000, 2, comma, "1.5", partial},
             Case {0, 1e10, 2, comma, "1234.56", partial},
             Case {0, 1e10, 2, comma, "1,234.56", partial},
             Case {0, 1e10, 2, comma, "1.234,56", ok},
             Case {0, 1e10, 2, french, "250000.5", partial},
             Case {0, 1e10, 2, french, "250000,5", ok},
             Case {0, 1e10, 2, french, "1 234,56", ok},
             Case {0, 1000, 5, french, "5.25", partial},
         }) {
        SCOPED_TRACE(c.typed);
        NumberFieldValidator validator(c.minimum, c.maximum, c.decimals, c.format);
        QString input = QString::fromUtf8(c.typed);
        int position = int(input.size());
        EXPECT_EQ(validator.validate(input, position), c.state);
    }
}

// Typed key by key, a field keeps every character of a number and holds only what the locale's number says; the
// keypad's decimal key is the locale's decimal separator whatever the keyboard puts on it.
TEST(NumberFieldTest, KeepsWhatWasTypedAndTakesTheKeypadsDecimalKey)
{
    const engine::NumberFormat dot;
    const engine::NumberFormat comma = testsupport::euroFormat();
    const engine::NumberFormat french = testsupport::canadianFrenchFormat();
    struct Case
    {
        const engine::NumberFormat &format;
        int decimals;
        const char *before;
        Qt::Key keypadKey; // Qt::Key_unknown: none
        const char *after;
        const char *shown;
        std::optional<double> value;
    };
    for (const Case &c : {
             Case {french, 2, "250000.5", Qt::Key_unknown, "", "250000.5", std::nullopt},
             Case {french, 5, "5.25", Qt::Key_unknown, "", "5.25", std::nullopt},
             Case {french, 2, "250000", Qt::Key_Period, "5", "250000,5", 250000.5},
             Case {french, 2, "1 234,56", Qt::Key_unknown, "", "1 234,56", 1234.56},
             Case {comma, 2, "1234.56", Qt::Key_unknown, "", "1234.56", std::nullopt},
             Case {comma, 2, "1,234.56", Qt::Key_unknown, "", "1,234.56", std::nullopt},
             Case {comma, 2, "1234", Qt::Key_Period, "56", "1234,56", 1234.56},
             Case {dot, 2, "1234,56", Qt::Key_unknown, "", "1234,56", std::nullopt},
             Case {dot, 2, "1.234,56", Qt::Key_unknown, "", "1.234,56", std::nullopt},
             Case {dot, 0, "1.5", Qt::Key_unknown, "", "1.5", std::nullopt}, // never 15
             Case {dot, 2, "1234", Qt::Key_Comma, "56", "1234.56", 1234.56},
             Case {dot, 2, "1,234.56", Qt::Key_unknown, "", "1,234.56", 1234.56},
         }) {
        SCOPED_TRACE(c.before);
        const std::unique_ptr<QLineEdit> field(ui::numberField("txtAmount", 9999999999.99, c.decimals, c.format));
        QTest::keyClicks(field.get(), QString::fromUtf8(c.before));
        if (c.keypadKey != Qt::Key_unknown)
            QTest::keyClick(field.get(), c.keypadKey, Qt::KeypadModifier);
        QTest::keyClicks(field.get(), QString::fromUtf8(c.after));
        EXPECT_EQ(field->text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(ui::numberFieldValue(field.get(), c.format), c.value);
    }
}

// Money typed as the locale writes it, within the range; characters that belong to no amount are refused outright.
TEST(MoneyFieldValidatorTest, TheLocalesMoneyTextWithinTheRange)
{
    const engine::NumberFormat euro = testsupport::euroFormat();
    const engine::NumberFormat french = testsupport::canadianFrenchFormat();
    const engine::NumberFormat dollar;
    struct Case
    {
        const engine::NumberFormat &format;
        const char *typed;
        QValidator::State state;
        std::optional<double> value;
    };
    const QValidator::State ok = QValidator::Acceptable, partial = QValidator::Intermediate,
                            refused = QValidator::Invalid;
    for (const Case &c : {
             Case {dollar, "", ok, std::nullopt}, // no amount
             Case {dollar, "$1,234.56", ok, 1234.56},
             Case {dollar, "1234.5", ok, 1234.5},
             Case {dollar, "-$5.00", ok, -5},
             Case {dollar, "($5.00)", ok, -5},
             Case {dollar, "$9,000,000,000.00", ok, 9e9},
             Case {dollar, "-9000000000", ok, -9e9},
             Case {dollar, "9000000000.01", refused, std::nullopt},
             Case {dollar, "-$9,000,000,001", refused, std::nullopt},
             Case {dollar, "12a", refused, std::nullopt},
             Case {dollar, "$", partial, std::nullopt},
             Case {dollar, "-", partial, std::nullopt},
             Case {euro, "1.234,56 \u20AC", ok, 1234.56},
             // A separator of another convention stays as typed and gives no amount.
             Case {dollar, "1234,56", partial, std::nullopt},
             Case {dollar, "1.234,56", partial, std::nullopt},
             Case {euro, "1234.56", partial, std::nullopt},
             Case {euro, "1,234.56", partial, std::nullopt},
             Case {french, "1234.56", partial, std::nullopt},
             Case {french, "1 234,56 $", ok, 1234.56},
             Case {euro, "$5", refused, std::nullopt},
         }) {
        SCOPED_TRACE(c.typed);
        ui::MoneyFieldValidator validator(c.format, -9e9, 9e9);
        QString input = QString::fromUtf8(c.typed);
        int position = int(input.size());
        EXPECT_EQ(validator.validate(input, position), c.state);
        EXPECT_EQ(validator.value(input), c.value);
    }
}

TEST(BgrColorTest, BlueIsTheHighByte)
{
    EXPECT_EQ(ui::colorFromBgr(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(ui::colorFromBgr(0x0080FF), QColor(255, 128, 0));
    EXPECT_EQ(ui::bgrFromColor(QColor(255, 128, 0)), 0x0080FF);
    EXPECT_EQ(ui::bgrFromColor(ui::colorFromBgr(0xEFEFEF)), 0xEFEFEF);
}

TEST(DateFieldTest, ThePickerShowsTheProgramsDatePattern)
{
    struct Case
    {
        QString pattern, format, shown;
    };
    for (const Case &c :
         {Case {QStringLiteral("M/d/yyyy"), QStringLiteral("M'/'d'/'yyyy"), QStringLiteral("3/5/2026")},
          Case {QStringLiteral("dd-MMM-yyyy"), QStringLiteral("dd'-'MMM'-'yyyy"), QStringLiteral("05-Mar-2026")},
          Case {QStringLiteral("yyyy-MM-dd"), QStringLiteral("yyyy'-'MM'-'dd"), QStringLiteral("2026-03-05")},
          Case {QStringLiteral("d 'of' M"), QStringLiteral("d' ''of'' 'M"), QString()},
          Case {QString(), QStringLiteral("M/d/yyyy"), QStringLiteral("3/5/2026")}}) {
        SCOPED_TRACE(c.pattern.toStdString());
        EXPECT_EQ(ui::pickerFormat(c.pattern), c.format);
        if (c.shown.isEmpty())
            continue;
        engine::NumberFormat format;
        format.setDatePattern(c.pattern.toStdString());
        const std::unique_ptr<ui::DateField> field(new ui::DateField(format));
        field->setDate(QDate(2026, 3, 5));
        EXPECT_EQ(field->text(), c.shown);
        EXPECT_TRUE(field->calendarPopup());
    }
}

TEST(DateFieldTest, SerialsAndTheFieldsRange)
{
    EXPECT_EQ(ui::toQDate(0), QDate(1899, 12, 30));
    EXPECT_EQ(ui::toSerial(QDate(2026, 3, 15)), 46096);
    EXPECT_EQ(ui::toQDate(46096), QDate(2026, 3, 15));
    // A date beyond what a picker holds is brought to its nearest end.
    const std::unique_ptr<ui::DateField> field(new ui::DateField(engine::NumberFormat()));
    field->setDate(ui::toQDate(-5));
    EXPECT_EQ(field->date(), QDate(1900, 1, 1));
}

namespace {

// A date field in a window of its own, shown and active, with a second field to Tab to.
struct DateFieldWindow
{
    explicit DateFieldWindow(const char *pattern)
    {
        format.setDatePattern(pattern);
        field = new ui::DateField(format, &window);
        next = new QLineEdit(&window);
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(field);
        layout->addWidget(next);
        field->setDateRange(QDate(2026, 1, 16), QDate(2030, 11, 15));
        field->setDate(QDate(2026, 2, 15));
        QObject::connect(field, &ui::DateField::dateRefused, [this](const QString &message) { messages << message; });
        QObject::connect(field, &ui::DateField::dateChanged, [this](const QDate &date) { changes << date; });
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    engine::NumberFormat format;
    QWidget window;
    ui::DateField *field;
    QLineEdit *next;
    QStringList messages;
    QList<QDate> changes;
};

} // namespace

// A date is taken as typed in the pattern shown, with any usual separator and one or two digits for the day and the
// month, or refused with a message and left as typed; it never becomes another date.
TEST(DateFieldTest, TakesATypedDateAsTypedOrRefusesIt)
{
    struct Case
    {
        const char *pattern;
        const char *typed;
        QDate date; // invalid: refused
        const char *message;
    };
    const char *notADate = "\"%1\" is not a date. Type the date as %2: %3, for example.";
    const char *outOfRange = "Date is out of range: %1 is not between 1/16/2026 and 11/15/2030.";
    for (const Case &c : {
             Case {"M/d/yyyy", "12/15/2029", QDate(2029, 12, 15), nullptr},
             Case {"M/d/yyyy", "1/31/2027", QDate(2027, 1, 31), nullptr},
             Case {"M/d/yyyy", "01/05/2027", QDate(2027, 1, 5), nullptr},
             Case {"M/d/yyyy", "1-31-2027", QDate(2027, 1, 31), nullptr},
             Case {"M/d/yyyy", " 3/1/2028 ", QDate(2028, 3, 1), nullptr},
             Case {"d/M/yyyy", "31.1.2027", QDate(2027, 1, 31), nullptr},
             Case {"dd-MMM-yyyy", "15-dec-2029", QDate(2029, 12, 15), nullptr},
             Case {"yyyy-MM-dd", "2029-12-15", QDate(2029, 12, 15), nullptr},
             Case {"M/d/yyyy", "2/30/2027", QDate(), notADate},
             Case {"M/d/yyyy", "31/1/2027", QDate(), notADate},
             Case {"M/d/yyyy", "1/31/27", QDate(), notADate},
             Case {"M/d/yyyy", "1/31", QDate(), notADate},
             Case {"M/d/yyyy", "12/15/2035", QDate(), outOfRange},
             Case {"M/d/yyyy", "1/15/2026", QDate(), outOfRange},
         }) {
        SCOPED_TRACE(std::string(c.pattern) + " " + c.typed);
        DateFieldWindow w(c.pattern);
        w.field->setFocus();
        w.field->selectAll();
        QTest::keyClicks(w.field, QString::fromLatin1(c.typed));
        QTest::keyClick(w.field, Qt::Key_Tab);
        EXPECT_EQ(w.field->date(), c.date);
        if (c.date.isValid()) {
            EXPECT_EQ(w.changes, QList<QDate> {c.date});
            EXPECT_TRUE(w.messages.isEmpty());
            EXPECT_EQ(w.field->text(), QString::fromStdString(w.format.formatDate(ui::toSerial(c.date))));
            continue;
        }
        EXPECT_TRUE(w.changes.isEmpty());
        EXPECT_EQ(w.field->text(), QString::fromLatin1(c.typed));
        const QString shown = QString::fromLatin1(c.typed).trimmed();
        const QString expected = c.message == notADate
            ? QString::fromLatin1(c.message).arg(shown, QString::fromLatin1(c.pattern), QStringLiteral("2/15/2026"))
            : QString::fromLatin1(c.message).arg(shown);
        EXPECT_EQ(w.messages, QStringList {expected});
        // Left unchanged, the text is not refused a second time; a date set shows again.
        w.field->setFocus();
        QTest::keyClick(w.field, Qt::Key_Tab);
        EXPECT_EQ(w.messages.size(), 1);
        w.field->setDate(QDate(2027, 6, 1));
        EXPECT_EQ(w.field->date(), QDate(2027, 6, 1));
        EXPECT_EQ(w.field->text(), QStringLiteral("6/1/2027"));
    }
}

// A click into the field takes the whole date, so typing replaces it; Enter takes it too.
TEST(DateFieldTest, AClickIntoTheFieldAndTypingReplacesTheDate)
{
    DateFieldWindow w("M/d/yyyy");
    w.next->setFocus();
    QTest::mouseClick(w.field, Qt::LeftButton, {}, QPoint(10, w.field->height() / 2));
    ASSERT_TRUE(w.field->hasFocus());
    QTest::keyClicks(w.field, QStringLiteral("1/31/2027"));
    QTest::keyClick(w.field, Qt::Key_Return);
    EXPECT_EQ(w.field->date(), QDate(2027, 1, 31));
    EXPECT_TRUE(w.messages.isEmpty());
    // Emptied, the field asks for a date.
    w.field->selectAll();
    QTest::keyClick(w.field, Qt::Key_Delete);
    QTest::keyClick(w.field, Qt::Key_Tab);
    EXPECT_FALSE(w.field->date().isValid());
    EXPECT_EQ(w.messages, QStringList {QStringLiteral("Please type a date, as M/d/yyyy: 1/31/2027, for example.")});
}

// The arrow keys step the section under the cursor within the range; Alt+Down opens the calendar, and a day picked
// there is the date.
TEST(DateFieldTest, ArrowKeysAndTheCalendar)
{
    DateFieldWindow w("M/d/yyyy"); // 2/15/2026
    w.field->setFocus();
    struct Step
    {
        int cursor;
        Qt::Key key;
        QDate date;
    };
    for (const Step &s : {Step {0, Qt::Key_Up, QDate(2026, 3, 15)}, Step {3, Qt::Key_Up, QDate(2026, 3, 16)},
                          Step {6, Qt::Key_Up, QDate(2027, 3, 16)}, Step {6, Qt::Key_Down, QDate(2026, 3, 16)},
                          Step {0, Qt::Key_Down, QDate(2026, 2, 16)}, Step {0, Qt::Key_Down, QDate(2026, 1, 16)},
                          Step {0, Qt::Key_Down, QDate(2026, 1, 16)}}) { // the range's start
        w.field->setCursorPosition(s.cursor);
        QTest::keyClick(w.field, s.key);
        EXPECT_EQ(w.field->date(), s.date) << s.cursor;
    }
    QTest::keyClick(w.field, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(w.field->calendarWidget()->isVisible());
    EXPECT_EQ(w.field->calendarWidget()->selectedDate(), QDate(2026, 1, 16));
    emit w.field->calendarWidget()->clicked(QDate(2028, 4, 3));
    EXPECT_FALSE(w.field->calendarWidget()->isVisible());
    EXPECT_EQ(w.field->date(), QDate(2028, 4, 3));
    EXPECT_EQ(w.field->text(), QStringLiteral("4/3/2028"));
}
