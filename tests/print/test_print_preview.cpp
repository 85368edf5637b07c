#include "PrintTestSupport.h"
#include "support/ScriptedDialogs.h"

#include "print/PageView.h"
#include "print/frmPrintPreview.h"

#include <QComboBox>
#include <QFile>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using print::frmPrintPreview;

namespace {

// A table of 200 rows on default pages (79 rows below the heading, then 80): three pages.
struct FakeServices : print::PreviewServices
{
    print::PrintJob printJob() override
    {
        ++jobs;
        print::PrintJob job;
        job.table = std::make_shared<printtest::FakeTable>(std::vector<int>(5, 1500), rows);
        job.caption = QStringLiteral("loan.plr");
        job.font = QFont(QStringLiteral("DejaVu Sans"), 8);
        return job;
    }
    bool runPageSetup() override
    {
        ++setups;
        return setupChanges;
    }
    void showPageStatus(const QString &text) override { status = text; }
    void withProgress(const std::function<void(const print::TableLayout::Progress &)> &work) override
    {
        work([this](int done, int) { reached = done; });
    }
    void showMessage(const QString &text) override { messages << text; }

    int rows = 200;
    int jobs = 0;
    int setups = 0;
    bool setupChanges = false;
    int reached = 0;
    QString status;
    QStringList messages;
};

int pdfPages(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? int(file.readAll().count("/Type /Page\n")) : -1;
}

class PrintPreview : public ::testing::Test
{
protected:
    FakeServices services;
    ScriptedDialogs dialogs;
    QPrinter printer;
    QTemporaryDir folder;
};

TEST_F(PrintPreview, OpensOnPageOneAt100PercentAndPagesThrough)
{
    frmPrintPreview preview(services, dialogs, printer, false);
    EXPECT_EQ(preview.windowTitle(), QStringLiteral("loan.plr"));
    EXPECT_EQ(preview.pageCount(), 3);
    EXPECT_EQ(services.reached, 200);
    EXPECT_EQ(services.status, QStringLiteral("Page 1 of 3"));
    QStringList zooms;
    for (int i = 0; i < preview.zoomList()->count(); ++i)
        zooms << preview.zoomList()->itemText(i);
    EXPECT_EQ(
        zooms,
        (QStringList {QStringLiteral("200%"), QStringLiteral("180%"), QStringLiteral("160%"), QStringLiteral("140%"),
                      QStringLiteral("120%"), QStringLiteral("100%"), QStringLiteral("80%"), QStringLiteral("60%"),
                      QStringLiteral("40%"), QStringLiteral("20%")}));
    EXPECT_EQ(preview.zoomList()->currentText(), QStringLiteral("100%"));
    EXPECT_EQ(preview.view()->backgroundColor(), QColor(0x80, 0x80, 0x80));
    EXPECT_FALSE(preview.previousButton()->isEnabled());
    EXPECT_TRUE(preview.nextButton()->isEnabled());

    preview.nextButton()->click();
    preview.nextButton()->click();
    EXPECT_EQ(preview.currentPage(), 3);
    EXPECT_EQ(services.status, QStringLiteral("Page 3 of 3"));
    EXPECT_FALSE(preview.nextButton()->isEnabled());
    EXPECT_TRUE(preview.previousButton()->isEnabled());
    preview.previousButton()->click();
    EXPECT_EQ(services.status, QStringLiteral("Page 2 of 3"));

    const QSize atHundred = preview.view()->sheetPixels();
    preview.zoomList()->setCurrentIndex(preview.zoomList()->findText(QStringLiteral("40%")));
    EXPECT_EQ(preview.view()->zoom(), 40);
    EXPECT_NEAR(preview.view()->sheetPixels().width(), atHundred.width() * 0.4, 1);
}

TEST_F(PrintPreview, RebuildsThePagesOnlyWhenSetupChangedSomething)
{
    frmPrintPreview preview(services, dialogs, printer, false);
    preview.nextPage();
    preview.setupButton()->click();
    EXPECT_EQ(services.setups, 1);
    EXPECT_EQ(services.jobs, 1);
    EXPECT_EQ(preview.currentPage(), 2);

    services.setupChanges = true;
    services.rows = 20;
    preview.setupButton()->click();
    EXPECT_EQ(services.jobs, 2);
    EXPECT_EQ(preview.pageCount(), 1);
    EXPECT_EQ(services.status, QStringLiteral("Page 1 of 1"));
}

TEST_F(PrintPreview, PrintsThePagesChosenInThePrintDialog)
{
    frmPrintPreview preview(services, dialogs, printer, false);
    // Cancelled: nothing printed, nothing said.
    EXPECT_FALSE(preview.Print());
    EXPECT_EQ(dialogs.printShown, 1);
    EXPECT_EQ(dialogs.printOffered.first, 1);
    EXPECT_EQ(dialogs.printOffered.last, 3);
    EXPECT_TRUE(dialogs.printOffered.selection);
    EXPECT_TRUE(services.messages.isEmpty());

    dialogs.printAnswer = true;
    const struct
    {
        QPrinter::PrintRange range;
        int from, to;
        int pages;
    } cases[] = {{QPrinter::AllPages, 0, 0, 3}, {QPrinter::PageRange, 2, 3, 2}, {QPrinter::Selection, 0, 0, 1}};
    int n = 0;
    for (const auto &c : cases) {
        dialogs.printRange = c.range;
        dialogs.printFrom = c.from;
        dialogs.printTo = c.to;
        dialogs.printFile = folder.filePath(QStringLiteral("out%1.pdf").arg(++n));
        EXPECT_TRUE(preview.Print());
        EXPECT_EQ(pdfPages(dialogs.printFile), c.pages) << n;
    }
    EXPECT_TRUE(services.messages.isEmpty());
}

TEST_F(PrintPreview, PrintsDirectlyWithoutShowingOrBuildingBeforeTheDialog)
{
    dialogs.printAnswer = true;
    dialogs.printFile = folder.filePath(QStringLiteral("direct.pdf"));
    EXPECT_TRUE(print::printDirectly(services, dialogs, printer, nullptr));
    EXPECT_EQ(dialogs.printOffered.last, 3);
    EXPECT_FALSE(dialogs.printOffered.selection);
    EXPECT_EQ(pdfPages(dialogs.printFile), 3);
    EXPECT_EQ(services.reached, 200);
    EXPECT_TRUE(services.status.isEmpty());

    // A printer that cannot start is told, not passed over.
    dialogs.printFile = folder.filePath(QStringLiteral("missing/direct.pdf"));
    EXPECT_FALSE(print::printDirectly(services, dialogs, printer, nullptr));
    EXPECT_EQ(services.messages.size(), 1);
}

} // namespace
