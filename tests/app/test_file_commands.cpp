#include "MainWindowFixture.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>

using namespace app;

// An entry taken off the list leaves its hidden menu item behind; neither that nor an earlier refused open may cost
// another entry its place.
TEST_F(MainWindowTest, RecentEntriesAreNotLostToAnEarlierFailure)
{
    MainWindow &window = start();
    QStringList paths;
    for (const char *name : {"a.plr", "b.plr", "c.plr"}) {
        paths << copyExample("car-loan.plr", QString::fromLatin1(name));
        window.files().OpenPath(paths.last());
        m_dialogs.answers = {ui::UserDialogs::No};
        closeActive();
    }
    const QString a = paths[0], b = paths[1], c = paths[2];
    ASSERT_EQ(recentEntries(), (QStringList {c, b, a}));

    // a goes missing and leaves the list; back on disk and opened again, it returns at the top with the others kept.
    ASSERT_TRUE(QFile::rename(a, a + QStringLiteral(".away")));
    window.files().recentActions()[2]->trigger();
    EXPECT_EQ(recentEntries(), (QStringList {c, b}));
    ASSERT_TRUE(QFile::rename(a + QStringLiteral(".away"), a));
    window.files().OpenPath(a);
    EXPECT_EQ(recentEntries(), (QStringList {a, c, b}));
    EXPECT_EQ(visibleRecentMenu(), (QStringList {a, c, b}));

    // A refused open, then a document saved over a listed file: the file is written, so it is listed at the top.
    window.files().OpenPath(m_dir.filePath(QStringLiteral("nowhere.plr")));
    ASSERT_TRUE(window.state().gblnOpenFailed);
    window.NewDocument();
    m_dialogs.saveAnswers = {b};
    window.files().SaveDocumentAs();
    EXPECT_EQ(recentEntries().first(), b);
    EXPECT_EQ(recentEntries().count(b), 1);
    // The same through the save prompt of a new document.
    window.NewDocument();
    m_dialogs.answers = {ui::UserDialogs::Yes};
    m_dialogs.saveAnswers = {c};
    closeActive();
    EXPECT_EQ(recentEntries().first(), c);
    EXPECT_TRUE(recentEntries().contains(b));
}

// The extension is looked for in the file's own name, and a name the extension completes is not replaced unasked.
TEST_F(MainWindowTest, SaveAsCompletesTheNameAndAsksBeforeReplacing)
{
    MainWindow &window = start();
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("jo.smith")));
    const QString dotted = m_dir.filePath(QStringLiteral("jo.smith/loan"));
    const QString existing = copyExample("us-mortgage-30y.plr", QStringLiteral("kept.plr"));
    const QString stem = existing.chopped(4);
    const QByteArray original = contents(existing);

    struct Case
    {
        const char *what;
        QStringList typed; // one name per showing of the dialog
        QList<ui::UserDialogs::Button> answers; // to the question about replacing
        QString saved; // empty: nothing saved
        int questions;
    };
    const QList<Case> cases = {
        {"a dot in the folder only", {dotted}, {}, dotted + QStringLiteral(".plr"), 0},
        {"completed onto a file, not replaced", {stem, QString()}, {ui::UserDialogs::No}, QString(), 1},
        {"completed onto a file, then another name",
         {stem, m_dir.filePath(QStringLiteral("other"))},
         {ui::UserDialogs::No},
         m_dir.filePath(QStringLiteral("other.plr")),
         1},
        {"completed onto a file, replaced", {stem}, {ui::UserDialogs::Yes}, existing, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        window.NewDocument();
        frmChild *child = window.activeDocument();
        m_dialogs.messages.clear();
        m_dialogs.saveProposals.clear();
        m_dialogs.saveAnswers = c.typed;
        m_dialogs.answers = c.answers;
        window.files().SaveDocumentAs();
        EXPECT_EQ(m_dialogs.messages.size(), c.questions);
        if (c.questions > 0) {
            EXPECT_EQ(m_dialogs.messages[0].text,
                      QStringLiteral("'kept.plr' already exists.\nDo you want to replace it?"));
            EXPECT_EQ(m_dialogs.messages[0].buttons, ui::UserDialogs::Yes | ui::UserDialogs::No);
        }
        // Refused, the dialog comes back on the completed name.
        if (c.typed.size() > 1) {
            EXPECT_EQ(m_dialogs.saveProposals.value(1), existing);
        }
        if (c.saved.isEmpty()) {
            EXPECT_TRUE(window.docSlots().window(child->slot())->isUntitled());
            EXPECT_EQ(contents(existing), original);
        } else {
            EXPECT_EQ(QString::fromStdString(child->loan().gstrFileName), c.saved);
            EXPECT_TRUE(QFileInfo::exists(c.saved));
        }
        m_dialogs.answers = {ui::UserDialogs::No};
        closeActive();
    }
    EXPECT_NE(contents(existing), original);
}
