#pragma once

#include "support/Examples.h"
#include "support/ScriptedDialogs.h"

#include "app/DebugCommands.h"
#include "app/EditCommands.h"
#include "app/FileCommands.h"
#include "app/FormatCommands.h"
#include "app/HelpCommands.h"
#include "app/MainWindow.h"
#include "app/SettingsStore.h"
#include "app/ViewCommands.h"
#include "app/WindowCommands.h"
#include "app/frmChild.h"

#include <QDate>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

// A main window with the data-entry commands on a settings file of its own, a fixed "today" and scripted
// message boxes. Modal dialogs are handed to `m_onDialog` instead of being executed.
class DataEntryTest : public ::testing::Test
{
protected:
    static QDate today() { return QDate(2026, 3, 15); }

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_settings = std::make_unique<app::IniSettingsStore>(m_dir.filePath(QStringLiteral("settings.ini")));
    }
    void TearDown() override { stop(); }

    // Closes the window and every document in it without saving, then lets it go.
    void stop()
    {
        if (!m_window)
            return;
        m_dialogs.answers.clear();
        for (int i = 0; i < 64; ++i)
            m_dialogs.answers << ui::UserDialogs::No;
        m_window->close();
        m_window.reset();
    }

    app::MainWindow &start()
    {
        m_window = std::make_unique<app::MainWindow>(*m_settings, m_dialogs, false);
        m_window->show();
        m_window->setClock(&DataEntryTest::today);
        m_window->setDialogRunner([this](QDialog &dialog) {
            if (m_onDialog)
                m_onDialog(dialog);
            return dialog.result();
        });
        return *m_window;
    }

    // An empty document window, as File > New makes one before the wizard opens.
    app::frmChild &newWindow()
    {
        const int slot = m_window->docSlots().GetFreeDocSlot();
        return *m_window->createDocumentWindow(slot, QStringLiteral("Untitled%1").arg(slot));
    }

    // Saves a picture of a widget when PELLANDRA_SCREENSHOTS names a folder; checks that it could be drawn.
    static void screenshot(QWidget &widget, const QString &name)
    {
        const QImage image = widget.grab().toImage();
        EXPECT_FALSE(image.isNull());
        const QString folder = qEnvironmentVariable("PELLANDRA_SCREENSHOTS");
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            image.save(QDir(folder).filePath(name + QStringLiteral(".png")));
        }
    }

    QTemporaryDir m_dir;
    std::unique_ptr<app::IniSettingsStore> m_settings;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<app::MainWindow> m_window;
    std::function<void(QDialog &)> m_onDialog;
};
