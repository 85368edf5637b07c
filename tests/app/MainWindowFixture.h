#pragma once

#include "support/Examples.h"
#include "support/QtPrinters.h"
#include "support/ScriptedDialogs.h"

#include "app/DebugCommands.h"
#include "app/EditCommands.h"
#include "app/FileCommands.h"
#include "app/FormatCommands.h"
#include "app/HelpCommands.h"
#include "app/MainWindow.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/ViewCommands.h"
#include "app/WindowCommands.h"
#include "app/frmChild.h"

#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A main window on a settings file of its own, with scripted message boxes and file dialogs; File > New accepts at
// once instead of showing the wizard.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_settings = std::make_unique<app::IniSettingsStore>(m_dir.filePath(QStringLiteral("settings.ini")));
    }
    void TearDown() override
    {
        if (m_window) {
            m_dialogs.answers = {ui::UserDialogs::No, ui::UserDialogs::No, ui::UserDialogs::No, ui::UserDialogs::No};
            m_window->close();
        }
    }

    app::MainWindow &start(bool debug = false)
    {
        m_window = std::make_unique<app::MainWindow>(*m_settings, m_dialogs, debug);
        // These tests are about the frame: File > New accepts at once instead of showing the wizard modally.
        m_window->setWizardRunner({});
        m_window->show();
        return *m_window;
    }
    void restart()
    {
        m_window->close();
        m_window.reset();
        start();
    }
    // A copy of an example document in the test's folder, under a name of the test's choosing.
    QString copyExample(const char *exampleName, const QString &name)
    {
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(examplePath(exampleName), path));
        return path;
    }
    QStringList captions() const
    {
        QStringList list;
        for (app::frmChild *child : m_window->documents())
            list << child->windowTitle();
        return list;
    }
    QStringList recentEntries() const
    {
        QStringList list;
        for (int n = 1; n <= app::kMaxRecentFiles; ++n) {
            const QString value = m_settings->value(app::kRecentFilesSection, QStringLiteral("RecentFile%1").arg(n));
            if (!value.isEmpty())
                list << value;
        }
        return list;
    }
    QStringList visibleRecentMenu() const
    {
        QStringList list;
        for (QAction *action : m_window->files().recentActions()) {
            if (action->isVisible())
                list << action->data().toString();
        }
        return list;
    }
    void closeActive() { m_window->mdiArea()->currentSubWindow()->close(); }

    QTemporaryDir m_dir;
    std::unique_ptr<app::IniSettingsStore> m_settings;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<app::MainWindow> m_window;
};
