#include "support/EuroFormat.h"
#include "support/ScriptedDialogs.h"

#include "print/PageSurface.h"
#include "print/frmPageSetup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using print::frmPageSetup;

namespace {

// A document's print options in the dialog, the way File > Page Setup opens it.
class PageSetupDialog : public ::testing::Test
{
protected:
    frmPageSetup &open(bool newDocument, const engine::NumberFormat &format = {})
    {
        print::PageSetupContext context;
        context.newDocument = newDocument;
        context.font = QFont(QStringLiteral("DejaVu Sans"), 8);
        context.firstCell = QStringLiteral("1/15/2026");
        context.firstColumnWidth = 600;
        context.date = QStringLiteral("12/8/2026");
        context.messageTitle = QStringLiteral("Pellandra 3.0");
        context.markModified = [this] { ++modified; };
        context.format = format;
        dialog = std::make_unique<frmPageSetup>(record, context, dialogs, printer);
        return *dialog;
    }

    document::PrintOptions record;
    ScriptedDialogs dialogs;
    QPrinter printer;
    int modified = 0;
    std::unique_ptr<frmPageSetup> dialog;
};

TEST_F(PageSetupDialog, ShowsANewDocumentsDefaultsAndMarksItModifiedOnce)
{
    frmPageSetup &setup = open(true);
    EXPECT_TRUE(setup.portrait()->isChecked());
    EXPECT_EQ(setup.paperSize()->currentText(), QStringLiteral("Letter, 8 1/2 x 11 in."));
    const char *margins[6] = {"0.5", "0.5", "0.25", "0.25", "0", "0"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(setup.marginField(i)->text(), QLatin1String(margins[i])) << i;
    EXPECT_EQ(setup.scaling()->text(), QStringLiteral("100"));
    EXPECT_EQ(setup.headerList()->currentText(), QStringLiteral("Page 1"));
    EXPECT_EQ(setup.headerSample(1)->text(), QStringLiteral("Page 1"));
    EXPECT_EQ(setup.footerList()->currentText(), QStringLiteral("File Name"));
    EXPECT_TRUE(setup.gridLines()->isChecked());
    EXPECT_TRUE(setup.blackAndWhite()->isChecked());
    EXPECT_FALSE(setup.repeatHeading()->isChecked());
    EXPECT_EQ(setup.density()->value(), 3);
    EXPECT_TRUE(record.DefaultsApplied);
    EXPECT_EQ(modified, 1);

    // A change kept, then the dialog again: the defaults are not applied a second time.
    setup.scaling()->setText(QStringLiteral("80"));
    setup.okClicked();
    EXPECT_EQ(setup.outcome(), frmPageSetup::Outcome::Applied);
    EXPECT_EQ(record.Scaling, 80);
    EXPECT_EQ(modified, 2);
    EXPECT_EQ(open(true).scaling()->text(), QStringLiteral("80"));
    EXPECT_EQ(modified, 2);
}

TEST_F(PageSetupDialog, CancelKeepsTheRecordAndOkWithoutAChangeKeepsTheDocumentUnmodified)
{
    record.RowsPerPage = 60;
    frmPageSetup &setup = open(false);
    EXPECT_EQ(setup.density()->value(), 4);
    setup.landscape()->setChecked(true);
    setup.marginField(0)->setText(QStringLiteral("1"));
    EXPECT_TRUE(record.SetupChanged);
    setup.cancelClicked();
    EXPECT_EQ(setup.outcome(), frmPageSetup::Outcome::Cancelled);
    EXPECT_FALSE(record.SetupChanged);
    EXPECT_TRUE(record.Orientation);
    EXPECT_FLOAT_EQ(record.MarginTop, 0.5f);
    EXPECT_EQ(modified, 0);

    open(false).okClicked();
    EXPECT_EQ(dialog->outcome(), frmPageSetup::Outcome::Applied);
    EXPECT_FALSE(record.SetupChanged);
    EXPECT_EQ(modified, 0);
}

TEST_F(PageSetupDialog, CountsAValueChangedAndChangedBackAsChanged)
{
    frmPageSetup &setup = open(false);
    setup.gridLines()->setChecked(false);
    setup.gridLines()->setChecked(true);
    setup.density()->setValue(0);
    EXPECT_EQ(setup.workingCopy().RowsPerPage, 140);
    setup.density()->setValue(3);
    setup.okClicked();
    EXPECT_TRUE(record.SetupChanged);
    EXPECT_EQ(record.GridLines, 1);
    EXPECT_EQ(record.RowsPerPage, 80);
    EXPECT_EQ(modified, 1);
}

TEST_F(PageSetupDialog, StoresWhatTheFieldsHold)
{
    frmPageSetup &setup = open(false);
    setup.scaling()->setText(QStringLiteral("abc"));
    setup.marginField(4)->setText(QStringLiteral("x"));
    setup.marginField(5)->setText(QStringLiteral("0.3"));
    setup.paperSize()->setCurrentIndex(8);
    setup.footerList()->setCurrentIndex(7);
    setup.titleComments()->setChecked(true);
    EXPECT_EQ(setup.footerSample(1)->text(), QStringLiteral("12/8/2026"));
    EXPECT_EQ(setup.footerSample(2)->text(), QStringLiteral("Page 1"));
    setup.okClicked();
    EXPECT_EQ(record.Scaling, 10);
    EXPECT_FLOAT_EQ(record.HeaderEdge, 0.0f);
    EXPECT_FLOAT_EQ(record.FooterEdge, 0.3f);
    EXPECT_EQ(record.PageSize, 9);
    EXPECT_EQ(record.FooterListIndex, 7);
    EXPECT_EQ(record.TitleComments, 1);
}

TEST_F(PageSetupDialog, ShowsWhatAFieldStoresOnceTheUserLeavesIt)
{
    frmPageSetup &setup = open(false);
    const struct
    {
        QLineEdit *field;
        const char *typed, *shown;
    } cases[] = {
        {setup.scaling(), "1000", "400"},  {setup.scaling(), "abc", "10"},   {setup.scaling(), "75", "75"},
        {setup.marginField(0), "-1", "0"}, {setup.marginField(2), "x", "0"}, {setup.marginField(1), "0.75", "0.75"},
    };
    for (const auto &c : cases) {
        c.field->setText(QLatin1String(c.typed));
        emit c.field->editingFinished();
        EXPECT_EQ(c.field->text(), QLatin1String(c.shown)) << c.typed;
    }
    setup.okClicked();
    EXPECT_EQ(record.Scaling, 75);
    EXPECT_FLOAT_EQ(record.MarginTop, 0.0f);
    EXPECT_FLOAT_EQ(record.MarginLeft, 0.0f);
    EXPECT_FLOAT_EQ(record.MarginBottom, 0.75f);
}

TEST_F(PageSetupDialog, KeepsMarginsThatAreTooBigInTheOpenDialog)
{
    frmPageSetup &setup = open(false);
    setup.marginField(2)->setText(QStringLiteral("4.2"));
    setup.marginField(3)->setText(QStringLiteral("4.2"));
    setup.okClicked();
    ASSERT_EQ(dialogs.texts(), QStringList {QStringLiteral("The Margins are too Big")});
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Pellandra 3.0"));
    EXPECT_EQ(setup.result(), 0);
    EXPECT_FLOAT_EQ(record.MarginLeft, 0.25f);
    EXPECT_EQ(setup.marginField(2)->text(), QStringLiteral("4.2"));

    // Print and Print Preview apply without the test.
    setup.previewClicked();
    EXPECT_EQ(setup.outcome(), frmPageSetup::Outcome::Preview);
    EXPECT_FLOAT_EQ(record.MarginLeft, 4.2f);
}

TEST_F(PageSetupDialog, RemembersTheTabAndHandsThePrinterSetUpToTheSystem)
{
    open(false).tabs()->setCurrentIndex(2);
    EXPECT_EQ(open(false).tabs()->currentIndex(), 2);
    dialog->setPrintButtonsVisible(false);
    EXPECT_TRUE(dialog->printButton()->isHidden());
    EXPECT_TRUE(dialog->previewButton()->isHidden());
    dialog->optionClicked();
    EXPECT_EQ(dialogs.pageSetupShown, 1);
    dialog->tabs()->setCurrentIndex(0);
}

TEST_F(PageSetupDialog, TakesThePaperAndOrientationChosenInThePrinterSetUp)
{
    frmPageSetup &setup = open(false);
    setup.paperSize()->setCurrentIndex(1); // Legal
    const struct
    {
        bool accepted;
        QPageSize::PageSizeId paper;
        QPageLayout::Orientation orientation;
        int pageSize;
        bool portrait;
    } cases[] = {
        {false, QPageSize::A4, QPageLayout::Landscape, 2, true}, // cancelled: nothing changes
        {true, QPageSize::A4, QPageLayout::Landscape, 9, false},
        {true, QPageSize::A6, QPageLayout::Portrait, 9, true}, // a paper the list does not have keeps the list's
    };
    for (const auto &c : cases) {
        const QPageSize offered = print::pageSizeFor(setup.workingCopy().PageSize);
        dialogs.printAnswer = c.accepted;
        dialogs.pageSetupChoice = QPageLayout(QPageSize(c.paper), c.orientation, QMarginsF());
        setup.optionClicked();
        EXPECT_TRUE(dialogs.pageSetupOffered.pageSize().isEquivalentTo(offered)) << c.paper;
        EXPECT_EQ(setup.workingCopy().PageSize, c.pageSize) << c.paper;
        EXPECT_EQ(setup.workingCopy().Orientation, c.portrait) << c.paper;
        EXPECT_EQ(setup.portrait()->isChecked(), c.portrait) << c.paper;
    }
    setup.okClicked();
    EXPECT_EQ(record.PageSize, 9);
    EXPECT_TRUE(record.SetupChanged);
}

} // namespace

// Margins are typed as the locale writes numbers, the keypad's decimal key giving its decimal separator: a figure
// written the other way is no number, never one read by another convention.
TEST_F(PageSetupDialog, MarginsAreTypedAsTheLocaleWritesNumbers)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    frmPageSetup &setup = open(false, testsupport::euroFormat());
    const struct
    {
        int field;
        const char *before;
        bool keypad;
        const char *after;
        const char *shown;
        float document::PrintOptions::*stored;
        float inches;
    } cases[] = {
        {0, "0,75", false, "", "0,75", &document::PrintOptions::MarginTop, 0.75f},
        {1, "0", true, "6", "0,6", &document::PrintOptions::MarginBottom, 0.6f},
        {2, "1.5", false, "", "1.5", &document::PrintOptions::MarginLeft, 0.0f},
        {3, "0.25", false, "", "0.25", &document::PrintOptions::MarginRight, 0.0f},
    };
    for (const auto &c : cases) {
        QLineEdit *field = setup.marginField(c.field);
        field->clear();
        QTest::keyClicks(field, QString::fromLatin1(c.before));
        if (c.keypad)
            QTest::keyClick(field, Qt::Key_Period, Qt::KeypadModifier);
        QTest::keyClicks(field, QString::fromLatin1(c.after));
        EXPECT_EQ(field->text(), QLatin1String(c.shown)) << c.before;
        EXPECT_FLOAT_EQ(setup.workingCopy().*c.stored, c.inches) << c.before;
    }
    QLocale::setDefault(previous);
}
