#include "support/CanadianFrenchFormat.h"
#include "support/EuroFormat.h"
#include "support/QtPrinters.h"
#include "ui/BgrColor.h"
#include "ui/DateField.h"
#include "ui/MoneyFieldValidator.h"
#include "ui/NumberField.h"
#include "ui/NumberFieldValidator.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QTest>

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
        const std::unique_ptr<QDateEdit> field(ui::dateField(c.pattern));
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
    const std::unique_ptr<QDateEdit> field(ui::dateField(QStringLiteral("M/d/yyyy")));
    field->setDate(ui::toQDate(-5));
    EXPECT_EQ(field->date(), QDate(1900, 1, 1));
}
