#include "MainWindowFixture.h"

#include "app/DocumentPrinting.h"
#include "print/frmPageSetup.h"
#include "print/frmPrintPreview.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>

using app::MainWindow;

namespace {

class Printing : public MainWindowTest
{
protected:
    MainWindow &openExample()
    {
        MainWindow &window = start();
        window.files().OpenPath(copyExample("us-mortgage-30y.plr", QStringLiteral("loan.plr")));
        return window;
    }
    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    static int pdfPages(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? int(file.readAll().count("/Type /Page\n")) : -1;
    }
};

TEST_F(Printing, PreviewStandsInForTheMenusUntilItCloses)
{
    MainWindow &window = openExample();
    app::frmChild *document = window.activeDocument();
    auto *documentFrame = qobject_cast<QMdiSubWindow *>(document->parentWidget());
    window.files().printPreview->trigger();
    print::frmPrintPreview *preview = window.printing().preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("loan.plr"));
    EXPECT_FALSE(window.menuBar()->isVisible());
    EXPECT_FALSE(window.toolBar()->isVisible());
    EXPECT_EQ(window.pageStatus(), QStringLiteral("Page 1 of 5"));
    // Keys reach no command past the preview.
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(window.documents().size(), 1);

    // Closing the program closes the preview first.
    window.close();
    settle();
    EXPECT_EQ(window.printing().preview(), nullptr);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.menuBar()->isVisible());
    EXPECT_TRUE(window.toolBar()->isVisible());
    EXPECT_TRUE(window.pageStatus().isEmpty());
    EXPECT_EQ(window.activeDocument(), document);
    EXPECT_FALSE(documentFrame->isMaximized());
}

TEST_F(Printing, PrintPrintsEveryPageWithoutAPreview)
{
    MainWindow &window = openExample();
    m_dialogs.printAnswer = true;
    m_dialogs.printFile = m_dir.filePath(QStringLiteral("printed.pdf"));
    window.files().print->trigger();
    EXPECT_EQ(window.printing().preview(), nullptr);
    EXPECT_EQ(m_dialogs.printOffered.last, 5);
    EXPECT_EQ(pdfPages(m_dialogs.printFile), 5);
}

TEST_F(Printing, PageSetupsPrintButtonPrintsWithoutAPreview)
{
    MainWindow &window = openExample();
    m_dialogs.printAnswer = true;
    m_dialogs.printFile = m_dir.filePath(QStringLiteral("printed.pdf"));
    window.setDialogRunner([](QDialog &dialog) {
        dynamic_cast<print::frmPageSetup &>(dialog).printButton()->click();
        return int(QDialog::Accepted);
    });
    window.files().pageSetup->trigger();
    EXPECT_EQ(window.printing().preview(), nullptr);
    EXPECT_EQ(pdfPages(m_dialogs.printFile), 5);
}

TEST_F(Printing, PageSetupHandsOverToThePreviewAndTheSetupAgain)
{
    MainWindow &window = openExample();
    const int slot = window.activeSlot();
    window.setDialogRunner([](QDialog &dialog) {
        auto &setup = dynamic_cast<print::frmPageSetup &>(dialog);
        setup.landscape()->setChecked(true);
        setup.previewButton()->click();
        return int(QDialog::Accepted);
    });
    window.files().pageSetup->trigger();
    EXPECT_TRUE(window.docSlots().window(slot)->isWindowModified());
    EXPECT_FALSE(window.activeDocument() && window.activeDocument()->data().print.Orientation);
    print::frmPrintPreview *preview = window.printing().preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->surface().orientation(), print::PageSurface::Landscape);

    // From the preview, Setup offers no printing, and a change builds the pages again.
    bool printButtonsShown = true;
    window.setDialogRunner([&](QDialog &dialog) {
        auto &setup = dynamic_cast<print::frmPageSetup &>(dialog);
        printButtonsShown = !setup.printButton()->isHidden();
        setup.portrait()->setChecked(true);
        setup.okButton()->click();
        return int(QDialog::Accepted);
    });
    preview->setupButton()->click();
    EXPECT_FALSE(printButtonsShown);
    EXPECT_EQ(preview->surface().orientation(), print::PageSurface::Portrait);
    preview->closeButton()->click();
    settle();
    EXPECT_EQ(window.printing().preview(), nullptr);
}

// Margins a file gives go through Page Setup's test: pages that would hold no row are refused, not printed.
TEST_F(Printing, MarginsFromAFileThatLeaveNoRoomAreRefused)
{
    MainWindow &window = start();
    const QString path = copyExample("us-mortgage-30y.plr", QStringLiteral("margins.plr"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    const qsizetype from = bytes.indexOf("\"MarginTop\",");
    bytes.replace(from, bytes.indexOf("\r\n", from) - from, "\"MarginTop\",3e38");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    window.files().OpenPath(path);
    ASSERT_NE(window.activeDocument(), nullptr);
    EXPECT_TRUE(m_dialogs.texts().isEmpty()) << m_dialogs.texts().join(QLatin1Char('|')).toStdString();

    m_dialogs.printAnswer = true;
    m_dialogs.printFile = m_dir.filePath(QStringLiteral("printed.pdf"));
    for (QAction *command : {window.files().printPreview, window.files().print}) {
        SCOPED_TRACE(command->text().toStdString());
        m_dialogs.messages.clear();
        command->trigger();
        EXPECT_EQ(m_dialogs.texts(), QStringList {QStringLiteral("The Margins are too Big")});
        EXPECT_EQ(window.printing().preview(), nullptr);
        EXPECT_EQ(m_dialogs.printShown, 0);
        EXPECT_FALSE(QFile::exists(m_dialogs.printFile));
    }
}

} // namespace
