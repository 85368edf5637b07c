#include "support/CanadianFrenchFormat.h"
#include "support/Examples.h"
#include "support/RecordingShell.h"

#include "engine/ChangeTables.h"
#include "support/Dates.h"
#include "ui/DateField.h"
#include "views/frmLumpSums.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace views;

namespace {

// The car loan: 60 monthly payments from 15 February 2026, its schedule starting on 15 January 2026 and ending on
// 15 January 2031.
class LumpSumsDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_data = readExample("car-loan.plr", m_format);
        ASSERT_TRUE(engine::Calculate(m_data.loan, m_format));
        m_shell.data = &m_data;
        m_shell.format = &m_format;
    }
    void addStored(engine::Date date, double amount)
    {
        engine::putChangeEntry(m_data.loan.gridLumpSum, date, amount, m_format);
        ASSERT_TRUE(engine::Calculate(m_data.loan, m_format));
    }
    std::unique_ptr<frmLumpSums> open(int gridRow = -1)
    {
        return std::make_unique<frmLumpSums>(m_data.loan, m_shell, gridRow, m_format);
    }
    static void add(frmLumpSums &dialog, engine::Date date, const QString &amount)
    {
        dialog.txtLumpSumDate()->setDate(ui::toQDate(date));
        dialog.txtLumpSumAmount()->setText(amount);
        dialog.cmdAdd()->click();
    }
    // The list as shown: date and amount of each row.
    static QStringList shown(const frmLumpSums &dialog)
    {
        QStringList rows;
        for (int r = 0; r < dialog.gridLumpSum2()->rowCount(); ++r)
            rows << dialog.gridLumpSum2()->item(r, 0)->text() + QLatin1Char(' ')
                    + dialog.gridLumpSum2()->item(r, 1)->text();
        return rows;
    }

    engine::NumberFormat m_format;
    document::DocumentData m_data;
    RecordingShell m_shell;
};

// The same loan where money is written 1 234,56 $.
class LumpSumsCanadianFrenchTest : public LumpSumsDialogTest
{
protected:
    void SetUp() override
    {
        m_format = testsupport::canadianFrenchFormat();
        LumpSumsDialogTest::SetUp();
    }
};

} // namespace

TEST_F(LumpSumsDialogTest, OpensOnTheGridsRowWithinTheSchedulesDates)
{
    addStored(ymd(2026, 6, 15), 1000);
    struct Case
    {
        int gridRow;
        QDate date;
        QString amount;
    };
    for (const Case &c : {
             Case {5, QDate(2026, 6, 15), QStringLiteral("$1,000.00")}, // the row of the stored lump sum
             Case {2, QDate(2026, 3, 15), QString()},
             Case {0, QDate(2026, 1, 16), QString()}, // the start row: the first date allowed
             Case {-1, QDate(2026, 1, 16), QString()},
         }) {
        SCOPED_TRACE(c.gridRow);
        const auto dialog = open(c.gridRow);
        EXPECT_EQ(dialog->txtLumpSumDate()->date(), c.date);
        EXPECT_EQ(dialog->txtLumpSumAmount()->text(), c.amount);
        EXPECT_EQ(dialog->cmdAdd()->isEnabled(), !c.amount.isEmpty());
    }
    const auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Lump Sums Dialog"));
    EXPECT_EQ(dialog->txtLumpSumDate()->displayFormat(), QStringLiteral("M'/'d'/'yyyy"));
    EXPECT_TRUE(dialog->txtLumpSumDate()->calendarPopup());
    // The first schedule date itself cannot be chosen, the day after can, and nothing after the last.
    dialog->txtLumpSumDate()->setDate(QDate(2026, 1, 15));
    EXPECT_EQ(dialog->txtLumpSumDate()->date(), QDate(2026, 1, 16));
    EXPECT_EQ(dialog->txtLumpSumDate()->minimumDate(), QDate(2026, 1, 16));
    // The lump sum repays the loan two payments early.
    EXPECT_EQ(dialog->txtLumpSumDate()->maximumDate(), QDate(2030, 11, 15));
    EXPECT_EQ(dialog->gridLumpSum2()->horizontalHeaderItem(0)->text(), QStringLiteral("Date"));
    EXPECT_EQ(dialog->gridLumpSum2()->horizontalHeaderItem(1)->text(), QStringLiteral("Amount"));
}

TEST_F(LumpSumsDialogTest, LumpSumsOutsideTheScheduleGoOnOpeningEvenAfterCancel)
{
    addStored(ymd(2026, 6, 15), 1000);
    addStored(ymd(2032, 1, 1), 500); // after the schedule's end
    {
        const auto dialog = open();
        EXPECT_EQ(shown(*dialog), (QStringList {QStringLiteral("6/15/2026 $1,000.00")}));
        dialog->cmdCancel()->click();
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
    }
    EXPECT_EQ(m_data.loan.gridLumpSum.rows(), 2);
    EXPECT_EQ(engine::findChangeEntryByDate(m_data.loan.gridLumpSum, ymd(2032, 1, 1)), 0);
    EXPECT_EQ(m_shell.calculations, 0);
}

// Money paid on one date adds up: a second amount added on a date makes one entry of their sum.
TEST_F(LumpSumsDialogTest, AddsInDateOrderAndAddsUpTheAmountsOfADate)
{
    const auto dialog = open();
    add(*dialog, ymd(2027, 3, 1), QStringLiteral("$2,500.00"));
    add(*dialog, ymd(2026, 4, 20), QStringLiteral("299.999"));
    add(*dialog, ymd(2028, 1, 15), QStringLiteral("50"));
    add(*dialog, ymd(2027, 3, 1), QStringLiteral("2600.5"));
    // A prepayment is never negative.
    dialog->txtLumpSumAmount()->setText(QStringLiteral("-50"));
    EXPECT_FALSE(dialog->cmdAdd()->isEnabled());
    EXPECT_EQ(shown(*dialog),
              (QStringList {QStringLiteral("4/20/2026 $300.00"), QStringLiteral("3/1/2027 $5,100.50"),
                            QStringLiteral("1/15/2028 $50.00")}));
    // Each is taken as it shows, to the cent.
    EXPECT_EQ(dialog->list().text(1, engine::chgAmount), "300");
    // The entry just added is selected.
    EXPECT_EQ(dialog->gridLumpSum2()->currentRow(), 1);
    // Clicking a row brings it back into the fields.
    dialog->gridLumpSum2()->setCurrentCell(2, 0);
    dialog->gridLumpSum2_Click();
    EXPECT_EQ(dialog->txtLumpSumDate()->date(), QDate(2028, 1, 15));
    EXPECT_EQ(dialog->txtLumpSumAmount()->text(), QStringLiteral("$50.00"));
    // Enter in a field adds what the fields hold, and leaves the dialog open.
    dialog->txtLumpSumDate()->setDate(QDate(2029, 5, 1));
    dialog->txtLumpSumAmount()->setText(QStringLiteral("75"));
    QTest::keyClick(dialog->txtLumpSumAmount(), Qt::Key_Return);
    EXPECT_EQ(dialog->gridLumpSum2()->rowCount(), 4);
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    // Nothing reaches the document before OK.
    EXPECT_EQ(m_data.loan.gridLumpSum.rows(), 1);
}

TEST_F(LumpSumsDialogTest, ButtonsFollowTheFieldsAndTheList)
{
    const auto dialog = open();
    EXPECT_FALSE(dialog->cmdRemove()->isEnabled());
    for (const char *amount : {"", "$", "0", "0.004"}) {
        dialog->txtLumpSumAmount()->setText(QString::fromLatin1(amount));
        EXPECT_FALSE(dialog->cmdAdd()->isEnabled()) << amount;
    }
    // Text that is no amount cannot be typed.
    dialog->txtLumpSumAmount()->clear();
    QTest::keyClicks(dialog->txtLumpSumAmount(), QStringLiteral("1x2"));
    EXPECT_EQ(dialog->txtLumpSumAmount()->text(), QStringLiteral("12"));
    EXPECT_TRUE(dialog->cmdAdd()->isEnabled());
    add(*dialog, ymd(2027, 3, 1), QStringLiteral("100"));
    EXPECT_TRUE(dialog->cmdRemove()->isEnabled());
    // Removing the only entry empties the list, with nothing selected.
    dialog->gridLumpSum2()->clearSelection();
    dialog->cmdRemove()->click();
    EXPECT_EQ(dialog->gridLumpSum2()->rowCount(), 0);
    EXPECT_FALSE(dialog->cmdRemove()->isEnabled());
    // Of several, the current one goes; the list opens on the entry of the grid's row, else on the first, so that
    // Remove always takes out the one shown chosen.
    for (const auto &[gridRow, chosen] : {std::pair {-1, 0}, std::pair {5, 1}}) {
        addStored(ymd(2026, 3, 15), 100);
        addStored(ymd(2026, 6, 15), 200);
        const auto opened = open(gridRow);
        EXPECT_EQ(opened->gridLumpSum2()->currentRow(), chosen) << gridRow;
        EXPECT_TRUE(opened->gridLumpSum2()->selectionModel()->isRowSelected(chosen)) << gridRow;
        opened->cmdRemove()->click();
        EXPECT_EQ(opened->list().rows(), 2) << gridRow;
        EXPECT_EQ(engine::findChangeEntryByDate(opened->list(), chosen == 0 ? ymd(2026, 3, 15) : ymd(2026, 6, 15)), 0);
    }
    add(*dialog, ymd(2027, 3, 1), QStringLiteral("100"));
    add(*dialog, ymd(2027, 4, 1), QStringLiteral("200"));
    add(*dialog, ymd(2027, 5, 1), QStringLiteral("300"));
    dialog->gridLumpSum2()->setCurrentCell(1, 0);
    dialog->cmdRemove()->click();
    EXPECT_EQ(shown(*dialog), (QStringList {QStringLiteral("3/1/2027 $100.00"), QStringLiteral("5/1/2027 $300.00")}));
    // Delete in the list does the same.
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    dialog->gridLumpSum2()->setFocus();
    dialog->gridLumpSum2()->setCurrentCell(0, 0);
    QTest::keyClick(dialog->gridLumpSum2(), Qt::Key_Delete);
    EXPECT_EQ(shown(*dialog), (QStringList {QStringLiteral("5/1/2027 $300.00")}));
}

// Rows chosen with Ctrl and Shift go together.
TEST_F(LumpSumsDialogTest, RemoveTakesOutEveryChosenRow)
{
    const auto dialog = open();
    for (int month = 3; month <= 7; ++month)
        add(*dialog, ymd(2027, month, 1), QString::number(month * 100));
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    QTableWidget *list = dialog->gridLumpSum2();
    auto click = [list](int row, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                          list->visualRect(list->model()->index(row, 0)).center());
    };
    click(0, Qt::NoModifier);
    click(2, Qt::ControlModifier);
    click(4, Qt::ControlModifier);
    dialog->cmdRemove()->click();
    EXPECT_EQ(shown(*dialog), (QStringList {QStringLiteral("4/1/2027 $400.00"), QStringLiteral("6/1/2027 $600.00")}));
    for (int month : {3, 5})
        add(*dialog, ymd(2027, month, 1), QString::number(month * 100));
    click(1, Qt::NoModifier);
    click(3, Qt::ShiftModifier);
    dialog->cmdRemove()->click();
    EXPECT_EQ(shown(*dialog), (QStringList {QStringLiteral("3/1/2027 $300.00")}));
}

TEST_F(LumpSumsDialogTest, OkRecalculatesOnlyWhenTheListChanged)
{
    addStored(ymd(2026, 6, 15), 1234.567); // shown to the cent, held as stored
    {
        // Opened on the lump sum's row and closed with OK: the list is the document's.
        const auto dialog = open(5);
        const engine::TextTable before = m_data.loan.gridLumpSum;
        dialog->cmdOK()->click();
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(m_data.loan.gridLumpSum, before);
        EXPECT_EQ(m_shell.calculations, 0);
        EXPECT_EQ(m_shell.modified, 0);
    }
    {
        const auto dialog = open();
        add(*dialog, ymd(2027, 3, 1), QStringLiteral("5000"));
        dialog->cmdOK()->click();
    }
    EXPECT_EQ(m_shell.calculations, 1);
    EXPECT_EQ(m_shell.modified, 1);
    const int entry = engine::findChangeEntryByDate(m_data.loan.gridLumpSum, ymd(2027, 3, 1));
    ASSERT_GT(entry, 0);
    EXPECT_EQ(m_data.loan.GetLumpSumAmount(entry), 5000);
    EXPECT_EQ(m_data.loan.gridLumpSum.text(entry, engine::chgDateText), "3/1/2027");
}

// An amount typed with the other convention's separators stays as typed and is no amount, so Add stays off; the
// keypad's decimal key types the locale's separator.
TEST_F(LumpSumsDialogTest, AnAmountIsTakenOnlyAsTheLocaleWritesIt)
{
    const auto dialog = open();
    for (const char *typed : {"1234,56", "1.234,56", "12,34"}) {
        dialog->txtLumpSumAmount()->clear();
        QTest::keyClicks(dialog->txtLumpSumAmount(), QString::fromLatin1(typed));
        EXPECT_EQ(dialog->txtLumpSumAmount()->text(), QString::fromLatin1(typed));
        EXPECT_FALSE(dialog->cmdAdd()->isEnabled()) << typed;
    }
    dialog->txtLumpSumAmount()->clear();
    QTest::keyClicks(dialog->txtLumpSumAmount(), QStringLiteral("1,234"));
    QTest::keyClick(dialog->txtLumpSumAmount(), Qt::Key_Comma, Qt::KeypadModifier);
    QTest::keyClicks(dialog->txtLumpSumAmount(), QStringLiteral("56"));
    EXPECT_EQ(dialog->txtLumpSumAmount()->text(), QStringLiteral("1,234.56"));
    dialog->txtLumpSumDate()->setDate(QDate(2027, 3, 1));
    dialog->cmdAdd()->click();
    EXPECT_EQ(shown(*dialog), QStringList {QStringLiteral("3/1/2027 $1,234.56")});
}

TEST_F(LumpSumsCanadianFrenchTest, AnAmountIsTakenOnlyAsTheLocaleWritesIt)
{
    const auto dialog = open();
    for (const char *typed : {"1234.56", "1,234.56", "250000.5"}) {
        dialog->txtLumpSumAmount()->clear();
        QTest::keyClicks(dialog->txtLumpSumAmount(), QString::fromLatin1(typed));
        EXPECT_EQ(dialog->txtLumpSumAmount()->text(), QString::fromLatin1(typed));
        EXPECT_FALSE(dialog->cmdAdd()->isEnabled()) << typed;
    }
    // Each on a date of its own: amounts added on one date add up.
    for (const auto &[typed, keypad, day, listed] : {std::tuple {"1 234,56", false, 1, "3/1/2027 1\u202F234,56\u00A0$"},
                                                     std::tuple {"1234", true, 2, "3/2/2027 1\u202F234,56\u00A0$"}}) {
        dialog->txtLumpSumDate()->setDate(QDate(2027, 3, day));
        dialog->txtLumpSumAmount()->clear();
        QTest::keyClicks(dialog->txtLumpSumAmount(), QString::fromUtf8(typed));
        if (keypad) {
            QTest::keyClick(dialog->txtLumpSumAmount(), Qt::Key_Period, Qt::KeypadModifier);
            QTest::keyClicks(dialog->txtLumpSumAmount(), QStringLiteral("56"));
        }
        ASSERT_TRUE(dialog->cmdAdd()->isEnabled()) << typed;
        dialog->cmdAdd()->click();
        EXPECT_TRUE(shown(*dialog).contains(QString::fromUtf8(listed))) << typed;
    }
}

// Typed from the keyboard as a user does: the date is taken as typed, or refused with a message and no lump sum is
// added; it never becomes another date.
TEST_F(LumpSumsDialogTest, ATypedDateIsTakenAsTyped)
{
    const auto dialog = open();
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    ASSERT_TRUE(dialog->txtLumpSumDate()->hasFocus());
    auto addWithAltA = [&](int entries, int wait = 1000) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
        return QTest::qWaitFor([&] { return dialog->gridLumpSum2()->rowCount() == entries; }, wait);
    };
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12/15/2029"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("4000"));
    EXPECT_TRUE(addWithAltA(1));
    EXPECT_EQ(shown(*dialog), QStringList {QStringLiteral("12/15/2029 $4,000.00")});
    EXPECT_TRUE(m_shell.messages.isEmpty());

    // Clicked into, the date is typed over.
    QTest::mouseClick(dialog->txtLumpSumDate(), Qt::LeftButton, {}, QPoint(10, dialog->txtLumpSumDate()->height() / 2));
    ASSERT_TRUE(dialog->txtLumpSumDate()->hasFocus());
    QTest::keyClicks(dialog->txtLumpSumDate(), QStringLiteral("1/31/2027"));
    QTest::keyClick(dialog->txtLumpSumDate(), Qt::Key_Return);
    EXPECT_EQ(shown(*dialog),
              (QStringList {QStringLiteral("1/31/2027 $4,000.00"), QStringLiteral("12/15/2029 $4,000.00")}));

    // A date that does not exist is refused, and Add waits for a date.
    for (const char *typed : {"2/30/2027", "12/15/2035"}) {
        SCOPED_TRACE(typed);
        m_shell.messages.clear();
        QTest::mouseClick(dialog->txtLumpSumDate(), Qt::LeftButton, {},
                          QPoint(10, dialog->txtLumpSumDate()->height() / 2));
        QTest::keyClicks(dialog->txtLumpSumDate(), QString::fromLatin1(typed));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(m_shell.messages.size(), 1);
        EXPECT_EQ(dialog->txtLumpSumDate()->text(), QString::fromLatin1(typed));
        EXPECT_FALSE(dialog->cmdAdd()->isEnabled());
        EXPECT_FALSE(addWithAltA(3, 300));
        EXPECT_EQ(dialog->list().rows(), 3);
    }
}
