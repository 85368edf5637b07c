#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "support/Examples.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

// Started with one of Qt's own options before a document, the program opens the document: it lists it among the
// recent files, in a settings folder of the test's own.
TEST(WindowedStart, QtsOwnOptionsAreNoPartOfTheDocumentPath)
{
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("My Loan.plr"));
    ASSERT_TRUE(QFile::copy(examplePath("car-loan.plr"), document));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QString settings = dir.filePath(QStringLiteral("config/%1/%1.ini").arg(app::kSettingsName));

    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(PELLANDRA_PROGRAM), {QStringLiteral("-style"), QStringLiteral("Fusion"), document});
    ASSERT_TRUE(program.waitForStarted());
    QString listed;
    for (QDeadlineTimer deadline(30000); listed.isEmpty() && !deadline.hasExpired(); QThread::msleep(100)) {
        if (QFile::exists(settings))
            listed = app::IniSettingsStore(settings).value(app::kRecentFilesSection, QStringLiteral("RecentFile1"));
    }
    program.kill();
    program.waitForFinished();
    EXPECT_EQ(listed, document);
}
