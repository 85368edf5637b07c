#include "app/DialogHost.h"
#include "app/StatusReporter.h"
#include "app/frmChild.h"
#include "app/wizard/frmWizard.h"
#include "support/Examples.h"
#include "support/ScriptedDialogs.h"

#include "engine/NumberFormat.h"
#include "engine/Schedule.h"

#include <QDialog>
#include <QSignalSpy>
#include <QUndoStack>

#include <gtest/gtest.h>

namespace {

// The status bar around a document window, counting the progress it is told of.
struct CountingStatus : app::StatusReporter
{
    int progressSteps = 0;
    void ShowProgressBar(bool) override { }
    void SetProgressBarUbound(int) override { }
    void SetProgressBar(int, int) override { ++progressSteps; }
    int progressUpperBound() const override { return 100; }
    void setCellStatus(const QString &) override { }
    void setPageStatus(const QString &) override { }
};

// The dialogs around a document window: every message remembered, no dialog shown.
struct RecordingHost : app::DialogHost
{
    ScriptedDialogs scripted;
    QStringList messages;
    Clock noClock;
    ui::UserDialogs &dialogs() override { return scripted; }
    QWidget *dialogParent() override { return nullptr; }
    ui::UserDialogs::Button message(const QString &text, int, ui::UserDialogs::Icon) override
    {
        messages << text;
        return ui::UserDialogs::Ok;
    }
    int runDialog(QDialog &) override { return QDialog::Rejected; }
    QDate today() const override { return QDate(2026, 1, 1); }
    const Clock &clock() const override { return noClock; }
    app::WizardResult runWizard(engine::LoanDocument &, bool) override { return {}; }
};

std::vector<std::string> scheduleTexts(const engine::LoanDocument &loan)
{
    std::vector<std::string> texts;
    for (int row = 0; row < loan.gridMain0.rows(); ++row) {
        for (int column : {1, 2, 5})
            texts.push_back(loan.gridMain0.text(row, column));
    }
    return texts;
}

} // namespace

// A change the schedule cannot be computed with is taken back: the document and the schedule shown are the ones from
// before, said once, and the views are shown the schedule once, not computed again.
TEST(DocumentWindow, RefusedChangeLeavesTheScheduleAsItWas)
{
    const engine::NumberFormat format = engine::NumberFormat::englishUS();
    CountingStatus status;
    RecordingHost host;
    app::frmChild window(1, format, status, host, QString());
    window.data() = readExample("car-loan.plr", format);
    ASSERT_TRUE(window.Calculate());
    const double amount = window.loan().gdblLoanAmount;
    const std::vector<std::string> before = scheduleTexts(window.loan());
    ASSERT_GT(before.size(), 30u);

    QSignalSpy shown(&window, &app::frmChild::scheduleShown);
    EXPECT_FALSE(window.changeAndRecalculate(QStringLiteral("Amount"),
                                             [](document::DocumentData &data) { data.loan.gdblLoanAmount = 1e14; }));
    EXPECT_EQ(window.loan().gdblLoanAmount, amount);
    EXPECT_EQ(scheduleTexts(window.loan()), before);
    EXPECT_EQ(host.messages.size(), 1);
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(window.undoStack()->count(), 0);
    EXPECT_FALSE(window.isWindowModified());
}
