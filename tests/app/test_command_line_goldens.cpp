// What --schedule, --summary and --year-end print, for the examples and a loan of every frequency, stays byte for byte
// what the golden files hold.
#include "support/GoldenFiles.h"

#include "app/CommandLine.h"

#include <QLocale>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

std::string output(const QStringList &arguments)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const auto code = app::runHeadless(arguments, outStream, errStream);
    outStream.flush();
    EXPECT_EQ(code.value_or(-1), app::ExitOk) << err.toStdString();
    return out.toStdString();
}

} // namespace

TEST(CommandLineGoldens, ScheduleSummaryAndYearEnd)
{
    const auto documents = golden::documents();
    ASSERT_GE(documents.size(), 16u);
    for (const auto &path : documents) {
        SCOPED_TRACE(path.filename().string());
        const QString file = QString::fromStdString(path.string());
        const std::string stem = path.stem().string();
        const struct
        {
            QStringList arguments;
            std::string expected;
        } runs[] = {
            {{QStringLiteral("--schedule"), file}, stem + ".csv"},
            {{QStringLiteral("--schedule"), file, QStringLiteral("--format"), QStringLiteral("tsv")}, stem + ".tsv"},
            {{QStringLiteral("--summary"), file}, stem + ".summary.txt"},
            {{QStringLiteral("--year-end"), QStringLiteral("12"), file}, stem + ".year-end.csv"},
        };
        for (const auto &run : runs) {
            SCOPED_TRACE(run.expected);
            const std::string actual = output(run.arguments);
            const std::string expected = golden::expected(run.expected, actual);
            EXPECT_TRUE(actual == expected) << golden::firstDifference(actual, expected);
        }
    }
}

// What --privileges and --penalty print for the documents with prepayment terms: a full payout, and a prepayment
// that is partly within the year's privilege.
TEST(CommandLineGoldens, PrivilegesAndPenalty)
{
    int withTerms = 0;
    for (const auto &path : golden::documents()) {
        if (golden::readFile(path).find("\"[PrepaymentTerms]\"") == std::string::npos)
            continue;
        ++withTerms;
        SCOPED_TRACE(path.filename().string());
        const QString file = QString::fromStdString(path.string());
        const std::string stem = path.stem().string();
        const QStringList penalty = {QStringLiteral("--penalty"),
                                     file,
                                     QStringLiteral("--date"),
                                     QStringLiteral("2028-03-15"),
                                     QStringLiteral("--comparison-rate"),
                                     QStringLiteral("3.5")};
        const struct
        {
            QStringList arguments;
            std::string expected;
        } runs[] = {
            {{QStringLiteral("--privileges"), file}, stem + ".privileges.tsv"},
            {penalty, stem + ".penalty.txt"},
            {penalty + QStringList {QStringLiteral("--amount"), QStringLiteral("70000")}, stem + ".penalty-70000.txt"},
        };
        for (const auto &run : runs) {
            SCOPED_TRACE(run.expected);
            const std::string actual = output(run.arguments);
            const std::string expected = golden::expected(run.expected, actual);
            EXPECT_TRUE(actual == expected) << golden::firstDifference(actual, expected);
        }
    }
    EXPECT_GE(withTerms, 1);
}
