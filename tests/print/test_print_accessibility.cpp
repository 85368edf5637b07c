#include "PrintTestSupport.h"
#include "support/AccessibilityCheck.h"
#include "support/ScriptedDialogs.h"

#include "print/PageView.h"
#include "print/frmPageSetup.h"
#include "print/frmPrintPreview.h"

#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

// A table of 200 rows on default pages: three pages.
struct PreviewTable : print::PreviewServices
{
    print::PrintJob printJob() override
    {
        print::PrintJob job;
        job.table = std::make_shared<printtest::FakeTable>(std::vector<int>(5, 1500), 200);
        job.caption = QStringLiteral("loan.plr");
        job.font = QFont(QStringLiteral("DejaVu Sans"), 8);
        return job;
    }
    bool runPageSetup() override { return false; }
    void showPageStatus(const QString &) override { }
    void withProgress(const std::function<void(const print::TableLayout::Progress &)> &work) override
    {
        work([](int, int) {});
    }
    void showMessage(const QString &) override { }
};

class PrintAccessibility : public ::testing::Test
{
protected:
    std::unique_ptr<print::frmPageSetup> pageSetup()
    {
        print::PageSetupContext context;
        context.font = QFont(QStringLiteral("DejaVu Sans"), 8);
        context.firstCell = QStringLiteral("1/15/2026");
        context.firstColumnWidth = 600;
        context.date = QStringLiteral("12/8/2026");
        context.messageTitle = QStringLiteral("Pellandra");
        context.markModified = [] {};
        return std::make_unique<print::frmPageSetup>(m_record, context, m_dialogs, m_printer);
    }

    document::PrintOptions m_record;
    ScriptedDialogs m_dialogs;
    QPrinter m_printer;
    PreviewTable m_services;
};

} // namespace

// Every control of each page of Page Setup, and of the preview, is announced with a name; Tab goes round each.
TEST_F(PrintAccessibility, EveryControlHasANameAndTabGoesRound)
{
    const auto setup = pageSetup();
    for (int page = 0; page < setup->findChild<QTabWidget *>()->count(); ++page) {
        SCOPED_TRACE(page);
        setup->findChild<QTabWidget *>()->setCurrentIndex(page);
        setup->show();
        EXPECT_EQ(testsupport::unnamedControls(setup.get()), "");
    }
    EXPECT_TRUE(testsupport::tabCycle(setup.get(), setup->findChild<QTabWidget *>()).backToStart);

    print::frmPrintPreview preview(m_services, m_dialogs, m_printer, false);
    preview.show();
    EXPECT_EQ(testsupport::unnamedControls(&preview), "");
    EXPECT_TRUE(testsupport::tabCycle(&preview, preview.zoomList()).backToStart);
}

// The page shown says which it is, and follows the paging.
TEST_F(PrintAccessibility, ThePreviewSaysWhichPageItShows)
{
    print::frmPrintPreview preview(m_services, m_dialogs, m_printer, false);
    preview.show();
    QWidget *page = preview.view();
    ASSERT_TRUE(page);
    EXPECT_EQ(testsupport::accessible(page)->text(QAccessible::Description), QStringLiteral("Page 1 of 3"));
    preview.nextButton()->click();
    EXPECT_EQ(testsupport::accessible(page)->text(QAccessible::Description), QStringLiteral("Page 2 of 3"));
}
