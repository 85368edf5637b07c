#include "FifoReleaser.h"

#include "app/Application.h"
#include "app/CommandLine.h"
#include "support/Examples.h"

#include "engine/MessageText.h"
#include "engine/NumberFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using app::runHeadless;

namespace {

struct Outcome
{
    int code = -1;
    QString out;
    QString err;
};

Outcome run(const QStringList &arguments)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Outcome r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    const auto code = runHeadless(arguments, out, err);
    r.code = code.value_or(-1);
    return r;
}

QString writeFile(QTemporaryDir &dir, const char *name, const QByteArray &bytes)
{
    const QString path = dir.filePath(QLatin1String(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

// A command that refuses its arguments or its files: its exit code, nothing printed, and why on the error output.
struct Refusal
{
    QStringList arguments;
    int code;
    const char *message;
};

void expectRefused(const QList<Refusal> &cases)
{
    for (const Refusal &c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const Outcome r = run(c.arguments);
        EXPECT_EQ(r.code, c.code);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(QLatin1String(c.message))) << r.err.toStdString();
    }
}

} // namespace

TEST(CommandLine, ExitCodes)
{
    QTemporaryDir dir;
    const QString notADocument = writeFile(dir, "notes.plr", "\"[LoanData]\",17,1\r\n");
    const QString uncomputable = writeFile(dir, "huge.plr",
                                           "\"[Application]\",1,1\r\n\"LoanAmount\",1000\r\n"
                                           "\"FirstPaymentDue\",#2025-01-01#\r\n\"NumberOfPeriods\",1E+12\r\n"
                                           "\"TitleComments\",0\r\n");
    // The example cut at its 54th line, before its lump sums; the example with a loan amount no loan has; with margins
    // larger than the page.
    QFile example(examplePath("car-loan.plr"));
    EXPECT_TRUE(example.open(QIODevice::ReadOnly));
    const QByteArray whole = example.readAll();
    qsizetype cut = 0;
    for (int line = 0; line < 54; ++line)
        cut = whole.indexOf("\r\n", cut) + 2;
    const QString cutShort = writeFile(dir, "cut.plr", whole.left(cut));
    // The example with the line of `key` replaced.
    auto withLine = [&whole](const char *key, const char *line) {
        const qsizetype from = whole.indexOf(key);
        return QByteArray(whole).replace(from, whole.indexOf("\r\n", from) - from, line);
    };
    const QString negative = writeFile(dir, "negative.plr", withLine("\"LoanAmount\",", "\"LoanAmount\",-120000"));
    const QString wideMargins = writeFile(dir, "margins.plr", withLine("\"MarginTop\",", "\"MarginTop\",3e38"));
    const QString folder = dir.path();
    const QString fifo = dir.filePath(QStringLiteral("pipe.plr"));
    EXPECT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    FifoReleaser releaser(fifo);
    const QString loop = dir.filePath(QStringLiteral("loop.plr"));
    EXPECT_TRUE(QFile::link(loop, loop));
    struct Case
    {
        QStringList arguments;
        int code;
        const char *message; // part of what stderr must say
    };
    const QList<Case> cases = {
        {{QStringLiteral("--schedule")}, app::ExitBadArguments, "needs a document file"},
        {{QStringLiteral("--schedule"), examplePath("car-loan.plr"), QStringLiteral("--format"), QStringLiteral("xml")},
         app::ExitBadArguments,
         "unknown format 'xml'"},
        {{QStringLiteral("--summary")}, app::ExitBadArguments, "exactly one document"},
        {{QStringLiteral("--frobnicate")}, app::ExitBadArguments, "unknown option '--frobnicate'"},
        {{QStringLiteral("--summary"), dir.filePath(QStringLiteral("absent.plr"))},
         app::ExitFileUnreadable,
         "does not exist."},
        {{QStringLiteral("--summary"), folder}, app::ExitFileUnreadable, "is a folder, not a document file."},
        {{QStringLiteral("--summary"), fifo}, app::ExitFileRefused, "is not a document file."},
        {{QStringLiteral("--schedule"), QStringLiteral("/dev/zero")}, app::ExitFileRefused, "is not a document file."},
        {{QStringLiteral("--summary"), loop}, app::ExitFileUnreadable, "symbolic links lead round in a loop."},
        {{QStringLiteral("--schedule"), notADocument}, app::ExitFileRefused, "in the wrong format or is corrupted."},
        {{QStringLiteral("--summary"), uncomputable}, app::ExitNotComputable, "90,000"},
        {{QStringLiteral("--schedule"), cutShort},
         app::ExitFileRefused,
         "The rest of this file could not be read (line 55: the file ends too early)."},
        {{QStringLiteral("--summary"), negative}, app::ExitFileRefused, "LoanAmount \"-120000\" is not within 0 to"},
        {{QStringLiteral("--compare"), examplePath("car-loan.plr"), cutShort}, app::ExitFileRefused, "ends too early"},
        {{QStringLiteral("--pdf"), dir.filePath(QStringLiteral("margins.pdf")), wideMargins},
         app::ExitOutputUnwritable,
         "The Margins are too Big"},
        {{QStringLiteral("--compare"), examplePath("car-loan.plr")}, app::ExitBadArguments, "from 2 to 4 document"},
        {{QStringLiteral("--compare"), examplePath("car-loan.plr"), folder, examplePath("car-loan.plr")},
         app::ExitFileUnreadable,
         "is a folder"},
        {{QStringLiteral("--compare"), examplePath("car-loan.plr"), uncomputable}, app::ExitNotComputable, "90,000"},
        {{QStringLiteral("--compare"), examplePath("car-loan.plr"), examplePath("car-loan.plr"),
          QStringLiteral("--pdf")},
         app::ExitBadArguments,
         "--pdf needs"},
        {{QStringLiteral("--compare"), examplePath("car-loan.plr"), examplePath("car-loan.plr"),
          QStringLiteral("--pdf"), folder},
         app::ExitOutputUnwritable,
         "Cannot write"},
        {{QStringLiteral("--pdf"), dir.filePath(QStringLiteral("out.pdf"))}, app::ExitBadArguments, "a PDF file"},
        {{QStringLiteral("--pdf"), dir.filePath(QStringLiteral("out.pdf")), dir.filePath(QStringLiteral("absent.plr"))},
         app::ExitFileUnreadable,
         "does not exist."},
        {{QStringLiteral("--pdf"), dir.filePath(QStringLiteral("out.pdf")), uncomputable},
         app::ExitNotComputable,
         "90,000"},
        {{QStringLiteral("--pdf"), folder, examplePath("car-loan.plr")}, app::ExitOutputUnwritable, "Cannot write"},
        {{QStringLiteral("--pdf"), dir.filePath(QStringLiteral("missing/out.pdf")), examplePath("car-loan.plr")},
         app::ExitOutputUnwritable,
         "Cannot write"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const Outcome r = run(c.arguments);
        EXPECT_EQ(r.code, c.code);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(QLatin1String(c.message))) << r.err.toStdString();
    }
}

TEST(CommandLine, PdfReplacesAnExistingFileWithTheWholeSchedule)
{
    QTemporaryDir dir;
    const QString output = writeFile(dir, "loan.pdf", "%PDF-1.4 an older file");
    const Outcome r = run({QStringLiteral("--pdf"), output, examplePath("us-mortgage-30y.plr")});
    ASSERT_EQ(r.code, app::ExitOk) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    QFile file(output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    // 361 rows at the document's 80 lines a page: 75 on page 1 below the title and the heading, then 78 a page
    // below the repeated heading.
    EXPECT_EQ(bytes.count("/Type /Page\n"), 5);
    // Nothing is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("loan.pdf")});
}

TEST(CommandLine, HelpVersionAndWindowedStart)
{
    Outcome r = run({QStringLiteral("--version")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, QStringLiteral("Pellandra 3.3.9\n"));
    r = run({QStringLiteral("--help")});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains(QLatin1String("--schedule FILE.plr")));
    // No command: the windowed program starts, with or without a document.
    for (const QStringList &arguments : {QStringList(), QStringList {QStringLiteral("My"), QStringLiteral("Loan.plr")},
                                         QStringList {QStringLiteral("--debug")}}) {
        QString out;
        QTextStream stream(&out);
        EXPECT_FALSE(runHeadless(arguments, stream, stream).has_value());
        EXPECT_TRUE(out.isEmpty());
    }
}

TEST(CommandLine, ScheduleAsCsvAndTsv)
{
    const Outcome csv = run({QStringLiteral("--schedule"), examplePath("canadian-mortgage-25y.plr")});
    ASSERT_EQ(csv.code, 0) << csv.err.toStdString();
    const QStringList lines = csv.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.value(0),
              QStringLiteral("No.,Date,Opening Balance,Annual Rate,Interest,Principal,Ending Balance,"
                             "Percent Paid,Payment,Lump Sums,Cumulative Payments,Cumulative Interest,"
                             "Cumulative Principal"));
    EXPECT_EQ(lines.value(1), QStringLiteral("0,2026-01-01,,,,,,,,,,,"));
    // 360,000 at 5.24 % compounded half-yearly: 1.0262^(1/6) - 1 a month, so 1,555.11 interest in month one.
    EXPECT_EQ(lines.value(2),
              QStringLiteral("1,2026-02-01,360000.00,5.2400,1555.11,588.12,359411.88,0.16,2143.23,,2143.23,1555.11,"
                             "588.12"));
    // The lump sum of 15 June 2028 falls between two payments: a row of its own with the interest it saves.
    const QStringList lumpRow = lines.filter(QStringLiteral(",2028-06-15,"));
    ASSERT_EQ(lumpRow.size(), 1);
    EXPECT_TRUE(lumpRow.first().startsWith(QLatin1String(",2028-06-15,,,-")));
    EXPECT_TRUE(lumpRow.first().contains(QLatin1String(",5000.00,")));

    const Outcome tsv = run({QStringLiteral("--schedule"), QStringLiteral("--format"), QStringLiteral("tsv"),
                             examplePath("canadian-mortgage-25y.plr")});
    ASSERT_EQ(tsv.code, 0);
    QString expected = csv.out;
    EXPECT_EQ(tsv.out, expected.replace(QLatin1Char(','), QLatin1Char('\t')));
}

TEST(CommandLine, Summary)
{
    const Outcome r = run({QStringLiteral("--summary"), examplePath("car-loan.plr")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 14);
    const QStringList expected = {
        QStringLiteral("Loan Type\tPersonal Loan"),     QStringLiteral("Interest Compounded\tMonthly"),
        QStringLiteral("Loan Amount\t$32,000.00"),      QStringLiteral("Annual Rate\t7.9000%"),
        QStringLiteral("Amortization\t5 Years"),        QStringLiteral("Frequency of Installment\tMonthly"),
        QStringLiteral("Basic Payments\t$647.31"),      QStringLiteral("Periodic Rate\t.6583333%"),
        QStringLiteral("Periods per Year\t12"),         QStringLiteral("First Payment Date\t2/15/2026"),
        QStringLiteral("Last Payment Date\t1/15/2031"), QStringLiteral("Number of Periods\t60"),
    };
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]);
    EXPECT_TRUE(lines[12].startsWith(QLatin1String("Total Payments\t$38,8")));
    EXPECT_TRUE(lines[13].startsWith(QLatin1String("Interest Paid\t$6,8")));
}

// Each column of the comparison holds the figures its document's summary shows, as plain numbers and dates.
TEST(CommandLine, ComparisonHasEachSummarysFigures)
{
    const QStringList paths = {examplePath("us-mortgage-30y.plr"), examplePath("accelerated-biweekly.plr"),
                               examplePath("canadian-mortgage-25y.plr"), examplePath("car-loan.plr")};
    const Outcome compared = run(QStringList {QStringLiteral("--compare")} + paths
                                 + QStringList {QStringLiteral("--format"), QStringLiteral("tsv")});
    ASSERT_EQ(compared.code, 0) << compared.err.toStdString();
    QMap<QString, QStringList> table;
    for (const QString &line : compared.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        QStringList cells = line.split(QLatin1Char('\t'));
        ASSERT_EQ(cells.size(), 5) << line.toStdString();
        table.insert(cells.takeFirst(), cells);
    }
    EXPECT_EQ(table.value(QString()).value(1), QStringLiteral("Birch Lane townhouse, accelerated bi-weekly"));

    const engine::NumberFormat shown;
    const QStringList numbers = {QStringLiteral("Loan Amount"),    QStringLiteral("Annual Rate"),
                                 QStringLiteral("Basic Payments"), QStringLiteral("Number of Periods"),
                                 QStringLiteral("Total Payments"), QStringLiteral("Interest Paid")};
    const QStringList dates = {QStringLiteral("First Payment Date"), QStringLiteral("Last Payment Date")};
    for (int i = 0; i < paths.size(); ++i) {
        SCOPED_TRACE(paths[i].toStdString());
        const Outcome summary = run({QStringLiteral("--summary"), paths[i]});
        ASSERT_EQ(summary.code, 0);
        QMap<QString, QString> figures;
        for (const QString &line : summary.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            figures.insert(line.section(QLatin1Char('\t'), 0, 0), line.section(QLatin1Char('\t'), 1));
        for (const QString &label : numbers) {
            SCOPED_TRACE(label.toStdString());
            const auto value = engine::parsePlainNumber(table.value(label).value(i).toStdString());
            ASSERT_TRUE(value);
            EXPECT_EQ(*value, shown.parseNumber(figures.value(label).toStdString()));
        }
        for (const QString &label : dates) {
            SCOPED_TRACE(label.toStdString());
            const auto date = engine::plainFormat().parseDate(table.value(label).value(i).toStdString());
            ASSERT_TRUE(date);
            EXPECT_EQ(*date, shown.parseDate(figures.value(label).toStdString()));
        }
        EXPECT_EQ(table.value(QStringLiteral("Frequency of Installment")).value(i),
                  figures.value(QStringLiteral("Frequency of Installment")));
    }
}

TEST(CommandLine, MatchesAStatement)
{
    // The lender's statement: its first twelve months (and the start row, which has no amounts) of the example's own
    // schedule, its balance column called "Balance".
    const Outcome schedule = run({QStringLiteral("--schedule"), examplePath("canadian-mortgage-25y.plr")});
    QStringList lines = schedule.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(0, 14);
    lines[0].replace(QLatin1String("Ending Balance"), QLatin1String("Balance"));
    QTemporaryDir dir;
    const QString exact = writeFile(dir, "exact.csv", lines.join(QLatin1Char('\n')).toUtf8());
    // 1,555.11 of interest in the first month becomes 1,555.12.
    const QString altered =
        writeFile(dir, "altered.csv",
                  lines.join(QLatin1Char('\n'))
                      .replace(QLatin1String(",1555.11,588.12,359411.88,"), QLatin1String(",1555.12,588.12,359411.88,"))
                      .toUtf8());
    const QString header = QStringLiteral("Compounding\tPeriods per Year\tStart Payment\tAnnual Rate\tRate From\t"
                                          "Rows Matched\tRows Agreeing\tLargest Difference\tFirst Disagreeing Date\t"
                                          "Interest Rounding");

    Outcome r = run({QStringLiteral("--match"), exact, examplePath("canadian-mortgage-25y.plr")});
    EXPECT_EQ(r.code, app::ExitOk) << r.err.toStdString();
    QStringList out = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(out.size(), 9); // four compoundings, two start conventions, and rates solved from the statement
    EXPECT_EQ(out[0], header);
    EXPECT_EQ(out[1],
              QStringLiteral("Semi-Annually (Canada)\t12\tFirst Payment\t5.2400\tdocument\t12\t12\t0.00\t\tNone"));

    r = run({QStringLiteral("--match"), altered, examplePath("canadian-mortgage-25y.plr")});
    EXPECT_EQ(r.code, app::ExitNoMatch);
    out = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(out.size(), 2);
    EXPECT_TRUE(out[1].startsWith(QLatin1String("Semi-Annually (Canada)\t12\tFirst Payment\t5.2400\tdocument\t12\t11\t"
                                                "0.01\t2026-02-01")))
        << out[1].toStdString();

    const QString notAStatement = writeFile(dir, "notes.csv", "Date,Payment\n2026-02-01,lots\n");
    const QList<Refusal> cases = {
        {{QStringLiteral("--match"), exact}, app::ExitBadArguments, "needs a statement file and a document file"},
        {{QStringLiteral("--match"), dir.filePath(QStringLiteral("absent.csv")), examplePath("car-loan.plr")},
         app::ExitFileUnreadable,
         "absent.csv' does not exist."},
        {{QStringLiteral("--match"), notAStatement, examplePath("car-loan.plr")},
         app::ExitFileRefused,
         "notes.csv: Line 2: \"lots\" in the column Payment is not an amount."},
        {{QStringLiteral("--match"), exact, dir.filePath(QStringLiteral("absent.plr"))},
         app::ExitFileUnreadable,
         "does not exist."},
    };
    expectRefused(cases);
}

// What renewing the loan at the end of its term costs, as TSV: the example's 25-year mortgage given a 5-year term, at
// the rates shown by default and at rates given; a loan whose term covers its amortization has nothing to renew.
TEST(CommandLine, Renewal)
{
    QFile example(examplePath("canadian-mortgage-25y.plr"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    QTemporaryDir dir;
    const QString fiveYears = writeFile(dir, "five-years.plr",
                                        example.readAll().replace("\"NumberOfPeriods\",300", "\"NumberOfPeriods\",60"));
    const QString header = QStringLiteral(
        "Renewal Date\tBalance Left\tPeriods Left\tAnnual Rate\tPayment\tPayment Change\tInterest over Term");

    Outcome r = run({QStringLiteral("--renewal"), fiveYears});
    ASSERT_EQ(r.code, app::ExitOk) << r.err.toStdString();
    QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], header);
    QStringList rates;
    for (const QString &line : lines.mid(1)) {
        const QStringList cells = line.split(QLatin1Char('\t'));
        ASSERT_EQ(cells.size(), 7);
        EXPECT_EQ(cells[0], QStringLiteral("2031-01-01"));
        EXPECT_EQ(cells[2], QStringLiteral("240"));
        rates << cells[3];
    }
    EXPECT_EQ(rates,
              (QStringList {QStringLiteral("4.2400"), QStringLiteral("5.2400"), QStringLiteral("6.2400"),
                            QStringLiteral("7.2400")}));

    r = run({QStringLiteral("--renewal"), fiveYears, QStringLiteral("--rates"), QStringLiteral("4.5,5.5")});
    ASSERT_EQ(r.code, app::ExitOk) << r.err.toStdString();
    lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1].split(QLatin1Char('\t')).value(3), QStringLiteral("4.5000"));
    EXPECT_EQ(lines[2].split(QLatin1Char('\t')).value(3), QStringLiteral("5.5000"));

    const QList<Refusal> cases = {
        {{QStringLiteral("--renewal"), examplePath("canadian-mortgage-25y.plr")},
         app::ExitNotComputable,
         "covers its amortization"},
        {{QStringLiteral("--renewal")}, app::ExitBadArguments, "--renewal needs a document file"},
        {{QStringLiteral("--renewal"), fiveYears, QStringLiteral("--rates")}, app::ExitBadArguments, "--rates needs"},
        {{QStringLiteral("--renewal"), fiveYears, QStringLiteral("--rates"), QStringLiteral("4.5,lots")},
         app::ExitBadArguments,
         "--rates needs"},
        {{QStringLiteral("--renewal"), fiveYears, QStringLiteral("--rates"), QStringLiteral("-1")},
         app::ExitBadArguments,
         "--rates needs"},
        {{QStringLiteral("--renewal"), fiveYears, fiveYears}, app::ExitBadArguments, "unexpected argument"},
        {{QStringLiteral("--renewal"), dir.filePath(QStringLiteral("absent.plr"))},
         app::ExitFileUnreadable,
         "does not exist."},
    };
    expectRefused(cases);
}

// --penalty and --privileges refuse what they cannot estimate with the usual exit codes: arguments missing or
// malformed, a prepayment over the balance, a file missing or cut inside its terms, a loan without terms or a date
// outside its schedule. The posted comparison needs today's posted rate, and then takes the original discount off it.
TEST(CommandLine, PenaltyAndPrivilegesRefusals)
{
    QFile golden(QStringLiteral(PELLANDRA_TEST_DATA "/golden/prepayment-terms.plr"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    const QByteArray bytes = golden.readAll();
    QTemporaryDir dir;
    const QString terms = writeFile(dir, "terms.plr", bytes);
    const QString cut = writeFile(dir, "cut.plr", bytes.left(bytes.indexOf("\"PenaltyMethod\"")));
    const QString posted = writeFile(dir, "posted.plr",
                                     QByteArray(bytes)
                                         .replace("\"IrdComparison\",0", "\"IrdComparison\",1")
                                         .replace("\"OriginalPostedRate\",0", "\"OriginalPostedRate\",0.0649"));
    const QString car = examplePath("car-loan.plr");
    auto penalty = [](const QString &file, std::initializer_list<const char *> rest) {
        QStringList arguments {QStringLiteral("--penalty"), file};
        for (const char *argument : rest)
            arguments << QString::fromLatin1(argument);
        return arguments;
    };
    const QList<Refusal> cases = {
        {{QStringLiteral("--penalty")}, app::ExitBadArguments, "--penalty needs a document file"},
        {penalty(terms, {"--comparison-rate", "3"}), app::ExitBadArguments, "needs --date yyyy-mm-dd"},
        {penalty(terms, {"--date", "2028-03-15"}), app::ExitBadArguments, "needs --comparison-rate"},
        {penalty(terms, {"--date", "3/15/2028", "--comparison-rate", "3"}), app::ExitBadArguments,
         "--date needs a date as yyyy-mm-dd"},
        {penalty(terms, {"--date", "2028-03-15", "--comparison-rate", "-1"}), app::ExitBadArguments,
         "--comparison-rate needs an annual rate in percent"},
        {penalty(terms, {"--date", "2028-03-15", "--comparison-rate", "3", "--amount", "lots"}), app::ExitBadArguments,
         "--amount needs an amount"},
        {penalty(terms, {"--date", "2028-03-15", "--comparison-rate", "3", "--amount", "900000"}),
         app::ExitBadArguments, "is more than the balance $281,967.56 owed on 3/15/2028."},
        {penalty(terms, {"--date", "2028-03-15", "--comparison-rate", "3", "--frobnicate"}), app::ExitBadArguments,
         "unknown option '--frobnicate'"},
        {penalty(posted, {"--date", "2028-03-15", "--comparison-rate", "3"}), app::ExitBadArguments,
         "needs today's posted rate"},
        {penalty(dir.filePath(QStringLiteral("absent.plr")), {"--date", "2028-03-15", "--comparison-rate", "3"}),
         app::ExitFileUnreadable, "does not exist."},
        {penalty(cut, {"--date", "2028-03-15", "--comparison-rate", "3"}), app::ExitFileRefused, "ends too early"},
        {penalty(car, {"--date", "2028-03-15", "--comparison-rate", "3"}), app::ExitNotComputable,
         "This loan has no prepayment terms."},
        {penalty(terms, {"--date", "2031-01-02", "--comparison-rate", "3"}), app::ExitNotComputable,
         "The date 1/2/2031 is outside the schedule (1/1/2026 to 1/1/2031)."},
        {{QStringLiteral("--privileges")}, app::ExitBadArguments, "--privileges needs exactly one document file"},
        {{QStringLiteral("--privileges"), car}, app::ExitNotComputable, "This loan has no prepayment terms."},
        {{QStringLiteral("--privileges"), cut}, app::ExitFileRefused, "ends too early"},
    };
    expectRefused(cases);

    // Posted 6.49 % when signed at 5.24 %, 4.99 % posted today: 4.99 % - 1.25 % = 3.74 %.
    const Outcome r = run(penalty(posted, {"--date", "2028-03-15", "--comparison-rate", "3", "--posted-rate", "4.99"}));
    ASSERT_EQ(r.code, app::ExitOk) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Comparison Rate\t3.7400%\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("Formula\tComparison rate = 4.9900% − (6.4900% − 5.2400%) = 3.7400%\n")))
        << r.out.toStdString();
}

// The year-end report for a closing month: every column named, plain numbers; a month outside 1..12 is refused.
TEST(CommandLine, YearEnd)
{
    const QString loan = examplePath("canadian-mortgage-25y.plr");
    const Outcome csv = run({QStringLiteral("--year-end"), QStringLiteral("12"), loan});
    ASSERT_EQ(csv.code, 0) << csv.err.toStdString();
    const QStringList lines = csv.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 25);
    EXPECT_EQ(lines[0],
              QStringLiteral("Year,From,Until,Interest,Principal,Balance,Payment,Lump Sums,"
                             "Cumulative Payments,Cumulative Interest,Cumulative Principal"));
    EXPECT_EQ(lines[1],
              QStringLiteral("1,2026-01-01,2026-12-01,16964.64,6610.89,353389.11,23575.53,,23575.53,16964.64,6610.89"));
    EXPECT_EQ(lines[2],
              QStringLiteral("2,2027-01-01,2027-12-01,17699.77,18018.99,335370.12,35718.76,10000.00,"
                             "59294.29,34664.41,24629.88"));
    // The last year's interest is the sum of its three payments' 23.080688, 13.922180 and 4.731903 (the last payment
    // paid as shown, 1,098.34), rounded once.
    EXPECT_EQ(lines[24],
              QStringLiteral("24,2049-01-01,2049-03-01,41.73,5343.07,0.00,5384.80,,609773.05,249773.05,360000.00"));
    const Outcome tsv = run(
        {QStringLiteral("--year-end"), QStringLiteral("12"), loan, QStringLiteral("--format"), QStringLiteral("tsv")});
    QString expected = csv.out;
    EXPECT_EQ(tsv.out, expected.replace(QLatin1Char(','), QLatin1Char('\t')));

    struct Case
    {
        QStringList arguments;
        int code;
    };
    for (const Case &c : {Case {{QStringLiteral("0"), loan}, 1}, Case {{QStringLiteral("13"), loan}, 1},
                          Case {{QStringLiteral("June"), loan}, 1}, Case {{loan}, 1}, Case {{QStringLiteral("6")}, 1},
                          Case {{QStringLiteral("6"), loan, QStringLiteral("--format"), QStringLiteral("xls")}, 1},
                          Case {{QStringLiteral("6"), loan + QStringLiteral(".missing")}, 2}}) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const Outcome r = run(QStringList {QStringLiteral("--year-end")} + c.arguments);
        EXPECT_EQ(r.code, c.code);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(r.err.isEmpty());
    }
}

// A message quotes what it names by its first 40 characters, however long the argument.
TEST(CommandLine, MessagesQuoteLongArgumentsByTheirStart)
{
    const QString huge = QStringLiteral("--") + QString(1 << 20, QLatin1Char('x'));
    const QString missing = QStringLiteral("/") + QString(5000, QLatin1Char('m')) + QStringLiteral(".plr");
    struct Case
    {
        QStringList arguments;
        QString quoted;
    };
    const QList<Case> cases = {
        {{huge}, huge},
        {{QStringLiteral("--schedule"), examplePath("car-loan.plr"), huge}, huge},
        {{QStringLiteral("--schedule"), examplePath("car-loan.plr"), QStringLiteral("--format"), huge}, huge},
        {{QStringLiteral("--summary"), missing}, missing},
    };
    for (const Case &c : cases) {
        const Outcome r = run(c.arguments);
        EXPECT_NE(r.code, 0);
        const QString start = QStringLiteral("'%1\u2026'").arg(c.quoted.left(40));
        EXPECT_TRUE(r.err.contains(start)) << r.err.left(200).toStdString();
        // The usage text, and a line of message.
        EXPECT_LT(r.err.size(), app::usageText().size() + 200);
    }
}

// A PDF file goes only where writing it loses nothing: never over a document of the command, a file that is no PDF
// file, or a FIFO or device (the link to one included). Nothing is written, and the refused file stays as it was.
TEST(CommandLine, PdfOutputThatWouldLoseAFileIsRefused)
{
    QTemporaryDir dir;
    auto copy = [&dir](const char *example, const char *name) {
        const QString path = dir.filePath(QLatin1String(name));
        EXPECT_TRUE(QFile::copy(examplePath(example), path));
        return path;
    };
    const QString house = copy("canadian-mortgage-25y.plr", "house.plr");
    const QString car = copy("car-loan.plr", "car-loan.plr");
    const QString notes = writeFile(dir, "notes.txt", "my notes");
    const QString hardLink = dir.filePath(QStringLiteral("car-again.plr"));
    ASSERT_EQ(::link(QFile::encodeName(car).constData(), QFile::encodeName(hardLink).constData()), 0);
    const QString fifo = dir.filePath(QStringLiteral("pipe.pdf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    FifoReleaser releaser(fifo);
    const QString toFifo = dir.filePath(QStringLiteral("to-pipe.pdf"));
    ASSERT_TRUE(QFile::link(fifo, toFifo));
    auto bytesOf = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QMap<QString, QByteArray> before = {{house, bytesOf(house)}, {car, bytesOf(car)}, {notes, bytesOf(notes)}};
    const QString pdf = QStringLiteral("--pdf");
    const QString compare = QStringLiteral("--compare");
    const char *input = "It is one of the documents to print, and is left as it is";
    const char *notPdf = "It is not a PDF file, and is left as it is";
    const char *special = "It is not a regular file (a device, FIFO or socket), and is left as it is";
    expectRefused({
        {{pdf, house, car}, app::ExitBadArguments, notPdf},
        {{pdf, car, car}, app::ExitBadArguments, input},
        {{pdf, hardLink, car}, app::ExitBadArguments, input},
        {{compare, house, car, pdf, house}, app::ExitBadArguments, input},
        {{pdf, car, compare, house, car}, app::ExitBadArguments, input},
        {{pdf, notes, car}, app::ExitBadArguments, notPdf},
        {{pdf, fifo, car}, app::ExitOutputUnwritable, special},
        {{pdf, toFifo, car}, app::ExitOutputUnwritable, special},
    });
    for (auto it = before.begin(); it != before.end(); ++it)
        EXPECT_EQ(bytesOf(it.key()), it.value()) << it.key().toStdString();
    EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
    EXPECT_TRUE(QFileInfo(toFifo).isSymLink());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 6);

    // A link to a PDF file is followed: the file it names gets the new PDF, and the link stays.
    const QString older = writeFile(dir, "older.pdf", "");
    const QString toOlder = dir.filePath(QStringLiteral("to-older.pdf"));
    ASSERT_TRUE(QFile::link(older, toOlder));
    EXPECT_EQ(run({pdf, toOlder, car}).code, app::ExitOk);
    EXPECT_TRUE(QFileInfo(toOlder).isSymLink());
    EXPECT_TRUE(bytesOf(older).startsWith("%PDF-"));
}

// What a file holds reaches the terminal with its control characters shown, and a spreadsheet as text.
TEST(CommandLine, FileTextIsShownSafely)
{
    QTemporaryDir dir;
    QFile example(examplePath("car-loan.plr"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    const QByteArray whole = example.readAll();
    auto withLine = [&whole](const char *key, const QByteArray &line) {
        const qsizetype from = whole.indexOf(key);
        return QByteArray(whole).replace(from, whole.indexOf("\r\n", from) - from, line);
    };
    const QString escape =
        writeFile(dir, "escape.plr", withLine("\"LoanAmount\",", "\"LoanAmount\",\"1\x1b]0;x\x07\""));
    const Outcome refused = run({QStringLiteral("--summary"), escape});
    EXPECT_EQ(refused.code, app::ExitFileRefused);
    EXPECT_TRUE(refused.err.contains(QLatin1String("\"1\\x1B]0;x\\x07\" is not a number")))
        << refused.err.toStdString();
    EXPECT_FALSE(refused.err.contains(QChar(0x1b)));

    const QString formula =
        writeFile(dir, "formula.plr",
                  QByteArray(whole).replace("\"Title\",17\r\nCar loan, 5 years", "\"Title\",13\r\n=HYPERLINK(1)"));
    const Outcome compared = run({QStringLiteral("--compare"), formula, examplePath("car-loan.plr")});
    ASSERT_EQ(compared.code, app::ExitOk) << compared.err.toStdString();
    EXPECT_TRUE(compared.out.startsWith(QLatin1String(",'=HYPERLINK(1),"))) << compared.out.left(80).toStdString();
}

// The windowed start reads what Qt leaves of the command line once it has taken its own options, so "-style Fusion"
// is no part of the document's path; words that are not options still make up one path.
TEST(CommandLine, WindowedStartTakesTheArgumentsQtLeaves)
{
    struct Case
    {
        QStringList arguments; // as Qt leaves them, the program first
        bool debug;
        const char *document;
    };
    const Case cases[] = {
        {{QStringLiteral("pellandra")}, false, ""},
        {{QStringLiteral("pellandra"), QStringLiteral("/home/ann/My Loan.plr")}, false, "/home/ann/My Loan.plr"},
        {{QStringLiteral("pellandra"), QStringLiteral("/home/ann/My"), QStringLiteral("Loan.plr")},
         false,
         "/home/ann/My Loan.plr"},
        {{QStringLiteral("pellandra"), QStringLiteral("--debug"), QStringLiteral("car.plr")}, true, "car.plr"},
    };
    for (const Case &c : cases) {
        const app::WindowedStart start = app::windowedStart(c.arguments);
        EXPECT_EQ(start.debug, c.debug) << c.arguments.join(u'|').toStdString();
        EXPECT_EQ(start.document.toStdString(), c.document) << c.arguments.join(u'|').toStdString();
    }
}

// The program starts its window only for the arguments the commands leave to it, so that no command is taken for a
// document to open and no document path for a command.
TEST(CommandLine, WindowAskedForExactlyWhenNoCommandRuns)
{
    const QList<QStringList> cases = {
        {},
        {QStringLiteral("car.plr")},
        {QStringLiteral("--debug")},
        {QStringLiteral("--debug"), QStringLiteral("my"), QStringLiteral("loan.plr")},
        {QStringLiteral("-style"), QStringLiteral("Fusion")},
        {QStringLiteral("--help")},
        {QStringLiteral("--version")},
        {QStringLiteral("--schedule")},
        {QStringLiteral("car.plr"), QStringLiteral("--summary")},
        {QStringLiteral("--debug"), QStringLiteral("--frobnicate")},
        {QStringLiteral("--")},
    };
    for (const QStringList &arguments : cases) {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        const bool headless = runHeadless(arguments, outStream, errStream).has_value();
        EXPECT_EQ(app::asksForWindow(arguments), !headless) << arguments.join(u'|').toStdString();
    }
}
