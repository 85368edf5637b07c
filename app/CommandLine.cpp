#include "CommandLine.h"

#include "ComparisonPrinting.h"
#include "DocumentPrinting.h"
#include "FileAccess.h"
#include "LoadOutcome.h"
#include "LocaleFormat.h"
#include "SettingsKeys.h"
#include "SettingsStore.h"

#include "engine/DelimitedTables.h"
#include "engine/LoanComparison.h"
#include "engine/MessageText.h"
#include "engine/NumberFormat.h"
#include "engine/Prepayment.h"
#include "engine/Renewal.h"
#include "engine/Schedule.h"
#include "engine/StatementMatch.h"
#include "engine/Summary.h"
#include "engine/YearEndReport.h"
#include "views/StatementFile.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QLocale>
#include <QTextStream>

namespace app {

namespace {

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
    // What a part of a document would print is not that document's.
    if (outcome.damaged)
        return ExitFileRefused;
    const engine::CalculateResult result = engine::Calculate(data.loan, format);
    if (!result.ok) {
        err << QString::fromStdString(result.message) << Qt::endl;
        return ExitNotComputable;
    }
    return ExitOk;
}

// Delimited text to the command's output, as it comes.
engine::DelimitedOut toStream(QTextStream &out)
{
    return [&out](std::string_view text, int, int) {
        std::string piece(text);
        writeAscii(out, piece);
        return true;
    };
}

int printSchedule(const QString &path, char separator, QTextStream &out, QTextStream &err)
{
    document::DocumentData data;
    const engine::NumberFormat format = numberFormatFor(QLocale());
    if (const int code = loadAndCalculate(path, data, format, err))
        return code;
    engine::writeScheduleTable(data.loan.gridMain0, separator, toStream(out));
    return ExitOk;
}

int printYearEnd(const QString &path, int closingMonth, char separator, QTextStream &out, QTextStream &err)
{
    document::DocumentData data;
    const engine::NumberFormat format = numberFormatFor(QLocale());
    if (const int code = loadAndCalculate(path, data, format, err))
        return code;
    const engine::YearEndReport report = engine::yearEndReport(data.loan, closingMonth);
    engine::writeYearEndTable(report, separator, toStream(out));
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

// Where a command's PDF file goes, once it is sure that writing it loses nothing: never over one of the command's
// documents, nor over a file that is no PDF file, nor in the place of a folder, FIFO or device. Nothing, with why
// printed and the exit code in `code`, when it is refused.
std::optional<QString> pdfOutput(const QString &output, const QStringList &inputs, QTextStream &err, int &code)
{
    auto refuse = [&](int exitCode, const QString &why) {
        err << QStringLiteral("Cannot write '%1': %2").arg(quotedForMessage(output), why) << Qt::endl;
        code = exitCode;
        return std::nullopt;
    };
    const WriteTarget target = writeTarget(output);
    if (!target.ok())
        return refuse(ExitOutputUnwritable, target.refusal);
    for (const QString &input : inputs) {
        if (sameExistingFile(target.path, input))
            return refuse(ExitBadArguments,
                          QStringLiteral("It is one of the documents to print, and is left as it is"));
    }
    QFile existing(target.path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return refuse(ExitOutputUnwritable, existing.errorString());
        const QByteArray start = existing.read(5);
        // An empty file holds nothing to lose.
        if (!start.isEmpty() && start != "%PDF-")
            return refuse(ExitBadArguments, QStringLiteral("It is not a PDF file, and is left as it is"));
    }
    return target.path;
}

int printPdf(const QString &output, const QString &path, QTextStream &err)
{
    int refused = ExitOk;
    const std::optional<QString> target = pdfOutput(output, {path}, err, refused);
    if (!target)
        return refused;
    document::DocumentData data;
    const engine::NumberFormat format = numberFormatFor(QLocale());
    if (const int code = loadAndCalculate(path, data, format, err))
        return code;
    QString error;
    if (!writeSchedulePdf(data, QFileInfo(path).fileName(), *target, &error)) {
        err << QStringLiteral("Cannot write '%1': %2").arg(quotedForMessage(output), error) << Qt::endl;
        return ExitOutputUnwritable;
    }
    return ExitOk;
}

// A table command's document files and output format: FILE... [--format csv|tsv], from `first` on.
struct TableArguments
{
    QStringList paths;
    char separator = ',';
    QString error;
};

TableArguments tableArguments(const QStringList &arguments, int first, int maxPaths = 1)
{
    TableArguments table;
    QString formatName = QStringLiteral("csv");
    for (int i = first; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--format")) {
            if (++i >= arguments.size()) {
                table.error = QStringLiteral("--format needs csv or tsv");
                return table;
            }
            formatName = arguments[i];
        } else if (arguments[i].startsWith(QLatin1String("--"))) {
            table.error = QStringLiteral("unknown option '%1'").arg(quotedForMessage(arguments[i]));
            return table;
        } else if (table.paths.size() < maxPaths) {
            table.paths << arguments[i];
        } else {
            table.error = QStringLiteral("unexpected argument '%1'").arg(quotedForMessage(arguments[i]));
            return table;
        }
    }
    if (table.paths.isEmpty())
        table.error = QStringLiteral("%1 needs a document file").arg(arguments.first());
    else if (formatName != QLatin1String("csv") && formatName != QLatin1String("tsv"))
        table.error = QStringLiteral("unknown format '%1'").arg(quotedForMessage(formatName));
    table.separator = formatName == QLatin1String("tsv") ? '\t' : ',';
    return table;
}

// Loans side by side: one column per document, in the order given; as a table, or as the printed page in a PDF file.
int printComparison(const QStringList &paths, char separator, const QString &pdf, QTextStream &out, QTextStream &err)
{
    std::optional<QString> target;
    if (!pdf.isEmpty()) {
        int refused = ExitOk;
        target = pdfOutput(pdf, paths, err, refused);
        if (!target)
            return refused;
    }
    const engine::NumberFormat format = numberFormatFor(QLocale());
    std::vector<engine::ComparedLoan> loans;
    document::PrintOptions paper;
    for (const QString &path : paths) {
        document::DocumentData data;
        if (const int code = loadAndCalculate(path, data, format, err))
            return code;
        if (loans.empty())
            paper = data.print;
        loans.push_back(engine::comparedLoan(data.loan));
    }
    const engine::LoanComparison comparison = engine::compareLoans(std::move(loans));
    if (!comparison.ok()) {
        err << QString::fromStdString(comparison.error) << Qt::endl;
        return ExitBadArguments;
    }
    if (target) {
        QString error;
        if (!writeComparisonPdf(comparison, format, paper, *target, &error)) {
            err << QStringLiteral("Cannot write '%1': %2").arg(quotedForMessage(pdf), error) << Qt::endl;
            return ExitOutputUnwritable;
        }
        return ExitOk;
    }
    // Titles are the user's text, written as the stream encodes text.
    engine::writeComparisonTable(comparison, separator, [&out](std::string_view text, int, int) {
        out << QString::fromUtf8(text.data(), qsizetype(text.size()));
        return true;
    });
    return ExitOk;
}

// The candidates that could explain a lender's statement, best first; exit 0 only when the best one reproduces it.
int printMatch(const QString &statementPath, const QString &documentPath, QTextStream &out, QTextStream &err)
{
    engine::NumberFormat format = numberFormatFor(QLocale());
    // The statement may give its dates as the user prefers to see them.
    format.setDatePattern(storedDatePattern(IniSettingsStore()).toStdString());
    document::DocumentData data;
    if (const int code = loadAndCalculate(documentPath, data, format, err))
        return code;
    const views::StatementText file = views::readStatementFile(statementPath);
    if (!file.ok()) {
        err << file.error << Qt::endl;
        return file.missing ? ExitFileUnreadable : ExitFileRefused;
    }
    const engine::StatementReadResult statement = engine::readStatement(file.text, format);
    if (!statement.ok()) {
        err << QString::fromStdString(engine::withControlsShown(statementPath.toStdString())) << ": "
            << QString::fromStdString(statement.error) << Qt::endl;
        return ExitFileRefused;
    }
    const engine::MatchResult result = engine::matchStatement(data.loan, statement.statement, format);
    if (!result.ok()) {
        err << QString::fromStdString(result.error) << Qt::endl;
        return ExitNotComputable;
    }
    const engine::LoanDocument &loan = data.loan;
    out << "Compounding\tPeriods per Year\tStart Payment\tAnnual Rate\tRate From\tRows Matched\tRows Agreeing\t"
           "Largest Difference\tFirst Disagreeing Date\tInterest Rounding\n";
    for (const engine::CandidateResult &candidate : result.candidates) {
        const engine::Conventions &c = candidate.conventions;
        out << QString::fromStdString(engine::compoundingText(loan.gintLoanType, c.compounding)) << '\t'
            << QString::fromStdString(engine::yearLengthText(loan.gintFreqOfInst, c.periodsPerYearIndex)) << '\t'
            << QString::fromStdString(engine::startPaymentText(c.startPayment)) << '\t'
            << QString::number(c.annualRate * 100, 'f', 4) << '\t' << (c.rateFromStatement ? "statement" : "document")
            << '\t' << candidate.rowsMatched << '\t' << candidate.rowsAgreeing << '\t'
            << (candidate.rowsMatched > 0 ? QString::number(candidate.largestDifference, 'f', 2) : QString()) << '\t'
            << (candidate.firstDisagreeingLine > 0
                    ? QString::fromStdString(format.formatDate(candidate.firstDisagreeingDate, "yyyy-MM-dd"))
                    : QString())
            << '\t' << QString::fromStdString(engine::interestRoundingText(c.roundInterestEachPeriod)) << '\n';
    }
    return result.reproduced() ? ExitOk : ExitNoMatch;
}

// What renewing a loan at the end of its term costs at each rate, as tab-separated lines under a header.
int printRenewal(const QString &path, const std::vector<double> &rates, QTextStream &out, QTextStream &err)
{
    document::DocumentData data;
    const engine::NumberFormat format = numberFormatFor(QLocale());
    if (const int code = loadAndCalculate(path, data, format, err))
        return code;
    const engine::Renewal renewal = engine::renewal(data.loan, rates, format);
    if (!renewal.ok()) {
        err << QString::fromStdString(renewal.error) << Qt::endl;
        return ExitNotComputable;
    }
    std::string lines = engine::delimitedText(engine::renewalTable(renewal, nullptr), '\t');
    writeAscii(out, lines);
    return ExitOk;
}

// --renewal FILE.plr [--rates 4.5,5.5,6.5], the rates in percent; the error is empty when the arguments are good.
struct RenewalArguments
{
    QString path;
    std::vector<double> rates;
    QString error;
};

RenewalArguments renewalArguments(const QStringList &arguments)
{
    RenewalArguments parsed;
    for (int i = 1; i < arguments.size() && parsed.error.isEmpty(); ++i) {
        if (arguments[i] != QLatin1String("--rates")) {
            if (arguments[i].startsWith(QLatin1String("--")))
                parsed.error = QStringLiteral("unknown option '%1'").arg(quotedForMessage(arguments[i]));
            else if (!parsed.path.isEmpty())
                parsed.error = QStringLiteral("unexpected argument '%1'").arg(quotedForMessage(arguments[i]));
            else
                parsed.path = arguments[i];
            continue;
        }
        const QStringList rates = arguments.value(++i).split(QLatin1Char(','));
        parsed.rates.clear();
        for (const QString &rate : rates) {
            const std::optional<double> percent = engine::parsePlainNumber(rate.toStdString());
            if (!percent || *percent < 0 || *percent > 1000 || rates.size() > engine::kMostRenewalRates) {
                parsed.error = QStringLiteral("--rates needs from 1 to %1 annual rates in percent from 0 to 1000, "
                                              "separated by commas (4.5,5.5,6.5)")
                                   .arg(engine::kMostRenewalRates);
                break;
            }
            parsed.rates.push_back(*percent / 100);
        }
    }
    if (parsed.error.isEmpty() && parsed.path.isEmpty())
        parsed.error = QStringLiteral("--renewal needs a document file");
    return parsed;
}

int badArguments(QTextStream &err, const QString &why)
{
    err << "pellandra: " << why << '\n' << usageText();
    return ExitBadArguments;
}

constexpr const char *kNoTerms = "This loan has no prepayment terms.";

// --penalty FILE.plr --date yyyy-mm-dd --comparison-rate R [--amount A] [--posted-rate P], the rates in percent.
struct PenaltyArguments
{
    QString path;
    engine::PenaltyRequest request;
    QString error;
};

PenaltyArguments penaltyArguments(const QStringList &arguments)
{
    PenaltyArguments parsed;
    bool rateGiven = false;
    auto number = [&](const QString &option, double high) -> std::optional<double> {
        const std::optional<double> value = engine::parsePlainNumber(option.toStdString());
        if (!value || *value < 0 || *value > high)
            return std::nullopt;
        return value;
    };
    for (int i = 1; i < arguments.size() && parsed.error.isEmpty(); ++i) {
        const QString &argument = arguments[i];
        const bool option = argument == QLatin1String("--date") || argument == QLatin1String("--comparison-rate")
            || argument == QLatin1String("--amount") || argument == QLatin1String("--posted-rate");
        if (!option) {
            if (argument.startsWith(QLatin1String("--")))
                parsed.error = QStringLiteral("unknown option '%1'").arg(quotedForMessage(argument));
            else if (!parsed.path.isEmpty())
                parsed.error = QStringLiteral("unexpected argument '%1'").arg(quotedForMessage(argument));
            else
                parsed.path = argument;
            continue;
        }
        const QString value = arguments.value(++i);
        if (argument == QLatin1String("--date")) {
            const std::optional<engine::Date> date = engine::plainFormat().parseDate(value.toStdString(), "yyyy-MM-dd");
            if (date)
                parsed.request.date = *date;
            else
                parsed.error = QStringLiteral("--date needs a date as yyyy-mm-dd");
        } else if (argument == QLatin1String("--amount")) {
            parsed.request.amount = number(value, engine::kMaxAmount);
            if (!parsed.request.amount)
                parsed.error = QStringLiteral("--amount needs an amount from 0 to 9999999999.99");
        } else {
            const std::optional<double> percent = number(value, 1000);
            if (!percent)
                parsed.error = QStringLiteral("%1 needs an annual rate in percent from 0 to 1000").arg(argument);
            else if (argument == QLatin1String("--posted-rate"))
                parsed.request.postedRate = *percent / 100;
            else
                parsed.request.comparisonRate = *percent / 100;
            rateGiven = rateGiven || argument == QLatin1String("--comparison-rate");
        }
    }
    if (!parsed.error.isEmpty())
        return parsed;
    if (parsed.path.isEmpty())
        parsed.error = QStringLiteral("--penalty needs a document file");
    else if (parsed.request.date == engine::kNoDate)
        parsed.error = QStringLiteral("--penalty needs --date yyyy-mm-dd");
    else if (!rateGiven)
        parsed.error = QStringLiteral("--penalty needs --comparison-rate R, an annual rate in percent");
    return parsed;
}

// What breaking the mortgage on a date would cost: label<TAB>value lines, the formulas among them.
int printPenalty(const PenaltyArguments &arguments, QTextStream &out, QTextStream &err)
{
    document::DocumentData data;
    const engine::NumberFormat format = numberFormatFor(QLocale());
    if (const int code = loadAndCalculate(arguments.path, data, format, err))
        return code;
    const engine::PenaltyEstimate estimate = engine::breakPenalty(data.loan, arguments.request, format);
    switch (estimate.error) {
    case engine::PenaltyError::None:
        break;
    case engine::PenaltyError::AmountOverBalance:
    case engine::PenaltyError::PostedRateMissing:
        return badArguments(err, QString::fromStdString(estimate.message));
    case engine::PenaltyError::NoTerms:
    case engine::PenaltyError::BadTerms:
    case engine::PenaltyError::DateOutsideSchedule:
        err << QString::fromStdString(estimate.message) << Qt::endl;
        return ExitNotComputable;
    }
    std::string lines;
    for (const auto &[label, value] : engine::penaltyRows(estimate, format))
        lines += label + '\t' + value + '\n';
    writeAscii(out, lines);
    return ExitOk;
}

// One line per privilege year under a header: what it allows, what was used and what was left or paid over.
int printPrivileges(const QString &path, QTextStream &out, QTextStream &err)
{
    document::DocumentData data;
    const engine::NumberFormat format = numberFormatFor(QLocale());
    if (const int code = loadAndCalculate(path, data, format, err))
        return code;
    if (!data.loan.prepaymentTerms) {
        err << kNoTerms << Qt::endl;
        return ExitNotComputable;
    }
    std::string lines = engine::delimitedText(engine::privilegeTable(engine::privilegeYears(data.loan), nullptr), '\t');
    writeAscii(out, lines);
    return ExitOk;
}

} // namespace

bool headlessNeedsFonts(const QStringList &arguments)
{
    return arguments.contains(QLatin1String("--pdf"));
}

QString usageText()
{
    return QStringLiteral(
        "Usage:\n"
        "  pellandra [--debug] [FILE.plr]                   open the program, with a document\n"
        "  pellandra --schedule FILE.plr [--format csv|tsv] print the computed schedule\n"
        "  pellandra --summary FILE.plr                     print the loan's summary table\n"
        "  pellandra --year-end MONTH FILE.plr [--format csv|tsv]\n"
        "                                                   print the year-end report, closing\n"
        "                                                   each year in MONTH (1 to 12)\n"
        "  pellandra --compare A.plr B.plr [C.plr [D.plr]] [--format csv|tsv] [--pdf OUT.pdf]\n"
        "                                                   2 to 4 loans side by side, or their\n"
        "                                                   printed page in a PDF file\n"
        "  pellandra --pdf OUT.pdf FILE.plr                 print the schedule into a PDF file\n"
        "  pellandra --match STATEMENT FILE.plr             which conventions reproduce a lender's\n"
        "                                                   statement (exit 6: none does)\n"
        "  pellandra --renewal FILE.plr [--rates 4.5,5.5,6.5]\n"
        "                                                   what renewing the loan at the end of its\n"
        "                                                   term costs, at each annual rate in percent\n"
        "  pellandra --penalty FILE.plr --date yyyy-mm-dd --comparison-rate R [--amount A]\n"
        "            [--posted-rate P]                      estimate what breaking the mortgage or\n"
        "                                                   prepaying A on the date costs, at today's\n"
        "                                                   comparison rate R (posted rate P) in percent\n"
        "  pellandra --privileges FILE.plr                  the prepayment privilege of each year:\n"
        "                                                   limit, used, left and excess\n"
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
        const TableArguments table = tableArguments(arguments, 1);
        if (!table.error.isEmpty())
            return badArguments(err, table.error);
        return printSchedule(table.paths.first(), table.separator, out, err);
    }
    if (command == QLatin1String("--year-end")) {
        bool isNumber = false;
        const int month = arguments.value(1).toInt(&isNumber);
        if (!isNumber || month < 1 || month > 12)
            return badArguments(err,
                                QStringLiteral("--year-end needs a closing month from 1 to 12, then a document file"));
        const TableArguments table = tableArguments(arguments, 2);
        if (!table.error.isEmpty())
            return badArguments(err, table.error);
        return printYearEnd(table.paths.first(), month, table.separator, out, err);
    }
    if (command == QLatin1String("--summary")) {
        if (arguments.size() != 2)
            return badArguments(err, QStringLiteral("--summary needs exactly one document file"));
        return printSummary(arguments[1], out, err);
    }
    if (command == QLatin1String("--compare")
        || (command == QLatin1String("--pdf") && arguments.contains(QLatin1String("--compare")))) {
        // --pdf OUT.pdf may stand before or after the files.
        QStringList rest = arguments;
        rest.removeOne(QLatin1String("--compare"));
        QString pdf;
        if (const qsizetype at = rest.indexOf(QLatin1String("--pdf")); at >= 0) {
            if (at + 1 >= rest.size())
                return badArguments(err, QStringLiteral("--pdf needs a PDF file to write"));
            pdf = rest[at + 1];
            rest.remove(at, 2);
        }
        rest.prepend(QStringLiteral("--compare"));
        const TableArguments table = tableArguments(rest, 1, int(engine::kMostComparedLoans) + 1);
        if (!table.error.isEmpty())
            return badArguments(err, table.error);
        if (!engine::canCompare(std::size_t(table.paths.size())))
            return badArguments(err, QStringLiteral("--compare needs from 2 to 4 document files"));
        return printComparison(table.paths, table.separator, pdf, out, err);
    }
    if (command == QLatin1String("--pdf")) {
        if (arguments.size() != 3)
            return badArguments(err, QStringLiteral("--pdf needs a PDF file to write and one document file"));
        return printPdf(arguments[1], arguments[2], err);
    }
    if (command == QLatin1String("--match")) {
        if (arguments.size() != 3)
            return badArguments(err, QStringLiteral("--match needs a statement file and a document file"));
        return printMatch(arguments[1], arguments[2], out, err);
    }
    if (command == QLatin1String("--renewal")) {
        const RenewalArguments renewal = renewalArguments(arguments);
        return renewal.error.isEmpty() ? printRenewal(renewal.path, renewal.rates, out, err)
                                       : badArguments(err, renewal.error);
    }
    if (command == QLatin1String("--penalty")) {
        const PenaltyArguments penalty = penaltyArguments(arguments);
        return penalty.error.isEmpty() ? printPenalty(penalty, out, err) : badArguments(err, penalty.error);
    }
    if (command == QLatin1String("--privileges")) {
        if (arguments.size() != 2)
            return badArguments(err, QStringLiteral("--privileges needs exactly one document file"));
        return printPrivileges(arguments[1], out, err);
    }
    for (const QString &argument : arguments) {
        if (argument.startsWith(QLatin1String("--")) && argument != QLatin1String("--debug"))
            return badArguments(err, QStringLiteral("unknown option '%1'").arg(quotedForMessage(argument)));
    }
    return std::nullopt;
}

} // namespace app
