#include "WizardTestSupport.h"

#include "app/wizard/OptionalInformationPage.h"
#include "app/wizard/frmWizard.h"
#include "engine/ChangeTables.h"
#include "views/CellEditor.h"
#include "views/ScheduleModel.h"
#include "views/ScheduleView.h"
#include "views/frmLumpSums.h"
#include "views/frmOptions.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTextLayout>
#include <QUndoStack>

#include <algorithm>

using namespace app;

namespace {

class UndoTest : public DataEntryTest
{
protected:
    frmChild &open(const char *example, const QString &name)
    {
        if (!m_window)
            start();
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(QFile::copy(examplePath(example), path));
        m_window->files().OpenPath(path);
        return *m_window->activeDocument();
    }
    bool modified(const frmChild &document) { return m_window->docSlots().window(document.slot())->isWindowModified(); }
    static QMdiSubWindow *frame(frmChild &document) { return qobject_cast<QMdiSubWindow *>(document.parentWidget()); }
    QAction *undo() const { return m_window->editCommands().undo; }
    QAction *redo() const { return m_window->editCommands().redo; }
    static QString lumpSum(frmChild &document, int row)
    {
        views::ScheduleModel *model = document.view()->model();
        return model->index(row, model->visibleColumn(engine::colLumpSum)).data().toString();
    }
    void addLumpSum(const QString &amount)
    {
        m_onDialog = [amount](QDialog &dialog) {
            auto &lumpSums = dynamic_cast<views::frmLumpSums &>(dialog);
            lumpSums.txtLumpSumAmount()->setText(amount);
            lumpSums.cmdAdd()->click();
            lumpSums.cmdOK()->click();
        };
        m_window->editCommands().lumpSums->trigger();
    }
};

} // namespace

// Every change of a document can be taken back and made again, through the one path that changes it; the title marks
// a document not saved, and going back to the document as saved leaves nothing to save.
TEST_F(UndoTest, ChangesAreUndoneAndRedoneWithTheModifiedMark)
{
    frmChild &car = open("car-loan.plr", QStringLiteral("car.plr"));
    EXPECT_EQ(frame(car)->windowTitle(), QStringLiteral("car.plr[*]"));
    EXPECT_FALSE(frame(car)->isWindowModified());
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_FALSE(redo()->isEnabled());

    // A lump sum from the dialog on the row of 15 June 2026.
    car.gridMain1()->setCurrentIndex(car.gridMain1()->model()->index(5, 1));
    addLumpSum(QStringLiteral("2000"));
    EXPECT_EQ(lumpSum(car, 5), QStringLiteral("$2,000.00"));
    EXPECT_TRUE(modified(car));
    EXPECT_TRUE(frame(car)->isWindowModified());
    EXPECT_TRUE(undo()->isEnabled());
    EXPECT_EQ(undo()->text(), QStringLiteral("&Undo Lump Sums"));

    // Delete in the grid takes it out again: a second change.
    car.gridMain1()->setCurrentIndex(
        car.gridMain1()->model()->index(5, car.view()->model()->visibleColumn(engine::colLumpSum)));
    car.view()->cellEditor()->clearCell();
    EXPECT_EQ(lumpSum(car, 5), QString());

    undo()->trigger();
    EXPECT_EQ(lumpSum(car, 5), QStringLiteral("$2,000.00"));
    EXPECT_TRUE(modified(car));
    undo()->trigger();
    EXPECT_EQ(lumpSum(car, 5), QString());
    EXPECT_EQ(car.loan().gridLumpSum.rows(), 1);
    // Back where the file was opened: nothing to save, nothing to ask on closing.
    EXPECT_FALSE(modified(car));
    EXPECT_FALSE(frame(car)->isWindowModified());
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_EQ(redo()->text(), QStringLiteral("&Redo Lump Sums"));

    redo()->trigger();
    EXPECT_EQ(lumpSum(car, 5), QStringLiteral("$2,000.00"));
    EXPECT_TRUE(modified(car));

    // Saved here: undoing leaves the saved document, redoing comes back to it.
    m_window->files().SaveDocument();
    EXPECT_FALSE(modified(car));
    undo()->trigger();
    EXPECT_TRUE(modified(car));
    redo()->trigger();
    EXPECT_FALSE(modified(car));

    // A change no undo takes back (the page setup, a column fitted) leaves the document to save whatever is undone.
    m_window->formatCommands().autoFitColumns->trigger();
    EXPECT_TRUE(modified(car));
    undo()->trigger();
    redo()->trigger();
    EXPECT_TRUE(modified(car));
}

// The column layout of the options dialog and a new title from the wizard go back as they were, each alone.
TEST_F(UndoTest, OptionsAndPropertiesAreUndone)
{
    frmChild &car = open("car-loan.plr", QStringLiteral("car.plr"));
    const int columns = car.view()->model()->columnCount();
    const std::string title = car.loan().gstrTitle;
    m_onDialog = [](QDialog &dialog) {
        auto &options = dynamic_cast<views::frmOptions &>(dialog);
        options.List1()->setCurrentRow(0);
        options.cmdRight()->click();
        options.cmdOK()->click();
    };
    m_window->viewCommands().options->trigger();
    EXPECT_EQ(car.view()->model()->columnCount(), columns - 1);
    EXPECT_EQ(undo()->text(), QStringLiteral("&Undo Columns"));

    m_onDialog = [](QDialog &dialog) {
        auto &wizard = dynamic_cast<frmWizard &>(dialog);
        wizard.cmdNext_Click();
        wizard.optionalPage()->txtTitle()->setText(QStringLiteral("Red car"));
        for (int step = 2; step <= 4; ++step)
            wizard.cmdNext_Click();
    };
    m_window->files().properties->trigger();
    EXPECT_EQ(car.loan().gstrTitle, "Red car");
    EXPECT_EQ(undo()->text(), QStringLiteral("&Undo Properties"));

    undo()->trigger();
    EXPECT_EQ(car.loan().gstrTitle, title);
    EXPECT_EQ(car.view()->model()->columnCount(), columns - 1);
    undo()->trigger();
    EXPECT_EQ(car.view()->model()->columnCount(), columns);
    EXPECT_EQ(car.loan().gstrTitle, title);
    // The column moves in the dialog marked the document whatever became of them.
    EXPECT_TRUE(modified(car));
}

// A maximized document hands its title, with its mark, to the main window, which then reads "car.plr* — Pellandra"
// on the desktop: the program's name once.
TEST_F(UndoTest, MaximizedDocumentNamesTheMainWindow)
{
    frmChild &car = open("car-loan.plr", QStringLiteral("car.plr"));
    EXPECT_EQ(m_window->windowTitle(), QString());
    frame(car)->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("car.plr[*]"));
    EXPECT_FALSE(m_window->isWindowModified());
    car.markModified();
    EXPECT_TRUE(m_window->isWindowModified());
    frame(car)->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(m_window->windowTitle(), QString());
}

// The save prompt asks a question, titled with the main window's caption, and never breaks the file's name over two
// lines, as the message box lays its text out.
TEST_F(UndoTest, SavePromptKeepsTheNameWhole)
{
    for (const QString &name : {QStringLiteral("car-loan.plr"), QStringLiteral("My mortgage 2025 - fixed rate.plr")}) {
        SCOPED_TRACE(name.toStdString());
        frmChild &document = open("car-loan.plr", name);
        document.markModified();
        m_dialogs.messages.clear();
        m_dialogs.answers = {ui::UserDialogs::No};
        frame(document)->close();
        ASSERT_EQ(m_dialogs.messages.size(), 1);
        const ScriptedDialogs::Shown &prompt = m_dialogs.messages[0];
        EXPECT_EQ(prompt.icon, ui::UserDialogs::Icon::Question);
        EXPECT_EQ(prompt.title, QStringLiteral("Pellandra"));
        // The same words, whatever keeps them together.
        EXPECT_EQ(QString(prompt.text).remove(QChar(0x2060)).replace(QChar(0x00A0), QLatin1Char(' ')),
                  QStringLiteral("Do you want to save the changes you made to '%1'?").arg(name));

        const auto box = ui::QtUserDialogs::messageBox(nullptr, prompt.title, prompt.text, prompt.buttons, prompt.icon);
        box->show();
        QApplication::processEvents();
        const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        QTextLayout layout(label->text(), label->font());
        QTextOption option;
        option.setWrapMode(label->wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QStringList lines;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(label->contentsRect().width());
            lines << label->text()
                         .mid(line.textStart(), line.textLength())
                         .remove(QChar(0x2060))
                         .replace(QChar(0x00A0), QLatin1Char(' '));
        }
        layout.endLayout();
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const QString &line) { return line.contains(name); }))
            << lines.join(QLatin1Char('|')).toStdString();
    }
}
