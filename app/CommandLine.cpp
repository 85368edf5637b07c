#include "CommandLine.h"

#include "DocumentLoader.h"
#include "FileAccess.h"
#include "LocaleFormat.h"

#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "engine/Summary.h"

#include <QIODevice>
#include <QLocale>
#include <QTextStream>

namespace app {

namespace {

QString csvField(const QString &text, QChar separator)
{
    if (!text.contains(separator) && !text.contains(QLatin1Char('"')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Plain text goes to a device as it is, without a round trip through UTF-16; `text` is emptied.
void writeAscii(QTextStream &out, std::string &text)
{
    if (QIODevice *device = out.device()) {
        out.flush();
        device->write(text.data(), qint64(text.size()));
    } else {
        out << QString::fromStdString(text);
    }
    text.clear();
}

// Loads and computes a document for a command; prints what goes wrong and gives the exit code.
int loadAndCalculate(const QString &path, document::DocumentData &data, const engine::NumberFormat &format,
                     QTextStream &err)
{
    const LoadOutcome outcome = loadDocumentFile(path, data, format);
    if (!outcome.ok()) {
        err << outcome.error << Qt::endl;
        const bool refused =
            outcome.status == LoadOutcome::Status::WrongFormat || outcome.status == LoadOutcome::Status::NotADocument;
        return refused ? ExitFileRefused : ExitFileUnreadable;
    }
    if (!outcome.warning.isEmpty())
        err << outcome.warning << Qt::endl;
    const engine::CalculateResult result = engine::Calculate(data.loan, format);
    if (!result.ok) {
        err << QString::fromStdString(result.message) << Qt::endl;
        return ExitNotComputable;
    }
    return ExitOk;
}

int printSchedule(const QString &path, char separator, QTextStream &out, QTextStream &err)
{
    document::DocumentData data;
    const engine::NumberFormat format = numberFormatFor(QLocale());
    if (const int code = loadAndCalculate(path, data, format, err))
        return code;
    QStringList fields;
    for (int c = 0; c < engine::colDateSerial; ++c)
        fields << csvField(QString::fromUtf8(engine::scheduleCaption(c)), QLatin1Char(separator));
    out << fields.join(QLatin1Char(separator)) << '\n';
    // Straight from the schedule's numbers: plain decimals and dates never need quoting.
    std::string lines;
    engine::ScheduleReader reader(data.loan.gridMain0);
    engine::ScheduleRowValues row;
    while (reader.next(row)) {
        for (int c = 0; c < engine::colDateSerial; ++c) {
            if (c > 0)
                lines += separator;
            lines += engine::plainCellText(row, c);
        }
        lines += '\n';
        if (lines.size() > 1 << 16)
            writeAscii(out, lines);
    }
    writeAscii(out, lines);
    return ExitOk;
}

int printSummary(const QString &path, QTextStream &out, QTextStream &err)
{
    document::DocumentData data;
    const engine::NumberFormat format = numberFormatFor(QLocale());
    if (const int code = loadAndCalculate(path, data, format, err))
        return code;
    for (const auto &[label, value] : engine::summaryRows(data.loan, format))
        out << QString::fromStdString(label) << '\t' << QString::fromStdString(value) << '\n';
    return ExitOk;
}

int badArguments(QTextStream &err, const QString &why)
{
    err << "pellandra: " << why << '\n' << usageText();
    return ExitBadArguments;
}

} // namespace

QString usageText()
{
    return QStringLiteral("Usage:\n"
                          "  pellandra [--debug] [FILE.plr]                   open the program, with a document\n"
                          "  pellandra --schedule FILE.plr [--format csv|tsv] print the computed schedule\n"
                          "  pellandra --summary FILE.plr                     print the loan's summary table\n"
                          "  pellandra --help | --version\n");
}

std::optional<int> runHeadless(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.isEmpty())
        return std::nullopt;
    const QString command = arguments.first();
    if (command == QLatin1String("--help")) {
        out << usageText();
        return ExitOk;
    }
    if (command == QLatin1String("--version")) {
        out << "Pellandra " << PELLANDRA_VERSION << '\n';
        return ExitOk;
    }
    if (command == QLatin1String("--schedule")) {
        QString path;
        QString formatName = QStringLiteral("csv");
        for (int i = 1; i < arguments.size(); ++i) {
            if (arguments[i] == QLatin1String("--format")) {
                if (++i >= arguments.size())
                    return badArguments(err, QStringLiteral("--format needs csv or tsv"));
                formatName = arguments[i];
            } else if (path.isEmpty()) {
                path = arguments[i];
            } else {
                return badArguments(err,
                                    QStringLiteral("unexpected argument '%1'").arg(quotedForMessage(arguments[i])));
            }
        }
        if (path.isEmpty())
            return badArguments(err, QStringLiteral("--schedule needs a document file"));
        if (formatName != QLatin1String("csv") && formatName != QLatin1String("tsv"))
            return badArguments(err, QStringLiteral("unknown format '%1'").arg(quotedForMessage(formatName)));
        return printSchedule(path, formatName == QLatin1String("csv") ? ',' : '\t', out, err);
    }
    if (command == QLatin1String("--summary")) {
        if (arguments.size() != 2)
            return badArguments(err, QStringLiteral("--summary needs exactly one document file"));
        return printSummary(arguments[1], out, err);
    }
    for (const QString &argument : arguments) {
        if (argument.startsWith(QLatin1String("--")) && argument != QLatin1String("--debug"))
            return badArguments(err, QStringLiteral("unknown option '%1'").arg(quotedForMessage(argument)));
    }
    return std::nullopt;
}

} // namespace app
