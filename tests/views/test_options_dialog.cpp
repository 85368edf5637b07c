#include "support/RecordingShell.h"
#include "support/ScriptedDialogs.h"

#include "document/ColumnProperties.h"
#include "ui/BgrColor.h"
#include "views/frmOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace views;

namespace {

QStringList items(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

class OptionsDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_columns.init(true);
        // Annual Rate and Lump Sums hidden, Payment moved before Date.
        for (int k = 0; k < document::kLogicalColumns; ++k)
            m_columns.columns[size_t(k)].Position = -1;
        int position = 0;
        for (int k : {0, 8, 1, 2, 4, 5, 6, 7, 10, 11, 12})
            m_columns.columns[size_t(k)].Position = position++;
        m_preferences.dateFormat = "M/d/yyyy";
        m_preferences.rowInterval = 3;
        m_preferences.rowIntervalColor = 0x00FFFF; // yellow
        m_preferences.scrollTrack = false;
    }
    std::unique_ptr<frmOptions> open(int tab = 0)
    {
        return std::make_unique<frmOptions>(
            m_columns, m_preferences, tab, m_format, [] { return QDate(2026, 3, 5); }, m_dialogs, m_shell);
    }

    document::ColumnProperties m_columns;
    engine::Preferences m_preferences;
    engine::NumberFormat m_format;
    ScriptedDialogs m_dialogs;
    RecordingShell m_shell;
};

} // namespace

TEST_F(OptionsDialogTest, ShowsTheLayoutAndThePreferences)
{
    const auto dialog = open(1);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(dialog->tbsOptions()->tabText(0), QStringLiteral("Columns Properties"));
    EXPECT_EQ(dialog->tbsOptions()->tabText(1), QStringLiteral("Formatting"));
    EXPECT_EQ(dialog->tab(), 1);
    // "No." is in neither list.
    EXPECT_EQ(items(dialog->List1()),
              (QStringList {QStringLiteral("Payment"), QStringLiteral("Date"), QStringLiteral("Opening Balance"),
                            QStringLiteral("Interest"), QStringLiteral("Principal"), QStringLiteral("Ending Balance"),
                            QStringLiteral("Percent Paid"), QStringLiteral("Cumulative Payments"),
                            QStringLiteral("Cumulative Interest"), QStringLiteral("Cumulative Principal")}));
    EXPECT_EQ(items(dialog->List2()), (QStringList {QStringLiteral("Annual Rate"), QStringLiteral("Lump Sums")}));

    ASSERT_EQ(dialog->cboDateFormat()->count(), 19);
    EXPECT_EQ(dialog->cboDateFormat()->itemText(0), QStringLiteral("M-d-yyyy"));
    EXPECT_EQ(dialog->cboDateFormat()->itemText(18), QStringLiteral("yyyy-MMM-dd"));
    EXPECT_EQ(dialog->cboDateFormat()->currentText(), QStringLiteral("M/d/yyyy"));
    EXPECT_TRUE(dialog->txtDateFormatSample()->isReadOnly());
    EXPECT_EQ(dialog->txtDateFormatSample()->text(), QStringLiteral("3/5/2026"));
    dialog->cboDateFormat()->setCurrentText(QStringLiteral("dd-MMM-yyyy"));
    EXPECT_EQ(dialog->txtDateFormatSample()->text(), QStringLiteral("05-Mar-2026"));

    EXPECT_EQ(dialog->txtInterval()->value(), 3);
    EXPECT_EQ(dialog->txtInterval()->maximum(), 32767);
    EXPECT_EQ(dialog->txtInterval()->minimum(), 0);
    EXPECT_FALSE(dialog->chkScrollTrack()->isChecked());
    EXPECT_EQ(dialog->txtColor()->palette().color(QPalette::Window), QColor(255, 255, 0));
    EXPECT_EQ(dialog->preferences(),
              (engine::Preferences {"dd-MMM-yyyy", m_preferences.rowInterval, m_preferences.rowIntervalColor, false}));
}

TEST_F(OptionsDialogTest, ColumnButtonsMoveAndMarkTheDocumentModified)
{
    const auto dialog = open();
    // Up on the first and Down on the last change nothing.
    dialog->List1()->setCurrentRow(0);
    dialog->cmdUp()->click();
    dialog->List1()->setCurrentRow(dialog->List1()->count() - 1);
    dialog->cmdDown()->click();
    EXPECT_EQ(items(dialog->List1()).first(), QStringLiteral("Payment"));
    EXPECT_EQ(items(dialog->List1()).last(), QStringLiteral("Cumulative Principal"));
    EXPECT_EQ(m_shell.modified, 0);

    dialog->List1()->setCurrentRow(0);
    dialog->cmdDown()->click(); // Date, Payment, ...
    EXPECT_EQ(dialog->List1()->currentRow(), 1);
    dialog->cmdRight()->click(); // Payment hidden; the next one selected
    EXPECT_EQ(dialog->List1()->currentItem()->text(), QStringLiteral("Opening Balance"));
    dialog->List2()->setCurrentRow(0);
    dialog->List2_DblClick(); // Annual Rate shown, at the end
    EXPECT_EQ(items(dialog->List2()), (QStringList {QStringLiteral("Lump Sums"), QStringLiteral("Payment")}));
    EXPECT_EQ(m_shell.modified, 3);

    document::ColumnProperties chosen = m_columns;
    dialog->applyColumns(chosen);
    std::vector<int> positions;
    for (const auto &column : chosen.columns)
        positions.push_back(column.Position);
    EXPECT_EQ(positions, (std::vector<int> {0, 1, 2, 10, 3, 4, 5, 6, -1, -1, 7, 8, 9}));
}

TEST_F(OptionsDialogTest, ColorChooserStartsFromTheColourAndMayBeCancelled)
{
    const auto dialog = open(1);
    m_dialogs.colorAnswers = {std::nullopt, QColor(0x12, 0x34, 0x56)};
    dialog->cmdColor()->click();
    EXPECT_EQ(dialog->preferences().rowIntervalColor, 0x00FFFF);
    dialog->cmdColor()->click();
    EXPECT_EQ(dialog->preferences().rowIntervalColor, 0x563412);
    EXPECT_EQ(dialog->txtColor()->palette().color(QPalette::Window), QColor(0x12, 0x34, 0x56));
}

TEST_F(OptionsDialogTest, CtrlTabGoesToTheNextTabAndWraps)
{
    const auto dialog = open();
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    for (QWidget *focus : {static_cast<QWidget *>(dialog->List1()), static_cast<QWidget *>(dialog->cmdOK())}) {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(dialog->tab(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(dialog->tab(), 0);
    }
}
