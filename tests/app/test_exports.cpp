#include "MainWindowFixture.h"

#include "app/CommandLine.h"
#include "app/LoanComparisonWindow.h"
#include "app/ReportCommands.h"
#include "views/CompareLoansDialog.h"

#include <QBuffer>
#include <QKeyEvent>
#include <QTextStream>
#include <QToolBar>

#include <functional>

using app::MainWindow;

namespace {

class Exports : public MainWindowTest
{
protected:
    MainWindow &openExample()
    {
        MainWindow &window = start();
        window.files().OpenPath(copyExample("us-mortgage-30y.plr", QStringLiteral("loan.plr")));
        return window;
    }
    // The comparison of the two documents opened, in front.
    app::LoanComparisonWindow *openComparison(MainWindow &window)
    {
        window.files().OpenPath(copyExample("car-loan.plr", QStringLiteral("car.plr")));
        window.setDialogRunner([](QDialog &) { return int(QDialog::Accepted); });
        window.reportCommands().update();
        window.reportCommands().compareLoansAction->trigger();
        return window.activeComparison();
    }
    // What the command line prints for `arguments`, byte for byte.
    static QByteArray commandOutput(const QStringList &arguments)
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QString errors;
        QTextStream out(&buffer);
        QTextStream err(&errors);
        EXPECT_EQ(app::runHeadless(arguments, out, err).value_or(-1), 0) << errors.toStdString();
        out.flush();
        return buffer.data();
    }
    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    // Comma-separated text read as a spreadsheet reads it: quoted fields may hold commas, doubled quotes and line
    // breaks.
    static QList<QStringList> parsedCsv(const QByteArray &bytes)
    {
        const QString text = QString::fromUtf8(bytes);
        QList<QStringList> rows;
        QStringList row;
        QString field;
        bool quoted = false;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (quoted) {
                if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                    field += text[++i];
                else if (c == QLatin1Char('"'))
                    quoted = false;
                else
                    field += c;
            } else if (c == QLatin1Char('"')) {
                quoted = true;
            } else if (c == QLatin1Char(',')) {
                row << field;
                field.clear();
            } else if (c == QLatin1Char('\n')) {
                rows << (row << field);
                row.clear();
                field.clear();
            } else {
                field += c;
            }
        }
        return rows;
    }
    static int pdfPages(const QString &path) { return int(contents(path).count("/Type /Page\n")); }
    // Esc, waiting for the export that starts next.
    static void pressEscapeSoon(QWidget &window)
    {
        QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    }
};

TEST_F(Exports, OfferedInTheMenuAndOnTheToolbarWhileSomethingIsInFront)
{
    MainWindow &window = start();
    window.SetToolbar();
    for (QAction *item : {window.files().exportPdf, window.files().exportCsv}) {
        EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
        EXPECT_TRUE(window.toolBar()->actions().contains(item));
    }
    window.files().OpenPath(copyExample("us-mortgage-30y.plr", QStringLiteral("loan.plr")));
    window.SetToolbar();
    EXPECT_TRUE(window.files().exportPdf->isEnabled());
    EXPECT_TRUE(window.files().exportCsv->isEnabled());
    ASSERT_NE(openComparison(window), nullptr);
    window.SetToolbar();
    EXPECT_TRUE(window.files().exportPdf->isEnabled());
    EXPECT_TRUE(window.files().exportCsv->isEnabled());
}

TEST_F(Exports, CsvHoldsTheCommandLinesTableOfWhatIsInFront)
{
    struct Case
    {
        const char *name;
        // Brings the table to the front; the command line's arguments for the same table.
        std::function<QStringList(MainWindow &, const QString &document)> show;
    };
    const std::vector<Case> cases = {
        {"schedule",
         [](MainWindow &, const QString &document) {
             return QStringList {QStringLiteral("--schedule"), document};
         }},
        {"year-end report",
         [](MainWindow &window, const QString &document) {
             window.activeDocument()->YearEndReport(6);
             return QStringList {QStringLiteral("--year-end"), QStringLiteral("6"), document};
         }},
        {"comparison",
         [this](MainWindow &window, const QString &) {
             const app::LoanComparisonWindow *comparison = openComparison(window);
             QStringList arguments {QStringLiteral("--compare")};
             for (const app::frmChild *document : comparison ? comparison->documents() : QList<app::frmChild *>())
                 arguments << QString::fromStdString(document->loan().gstrFileName);
             return arguments;
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (m_window)
            TearDown();
        MainWindow &window = openExample();
        const QStringList arguments = c.show(window, m_dir.filePath(QStringLiteral("loan.plr")));
        const QString output = m_dir.filePath(QStringLiteral("table.csv"));
        m_dialogs.saveAnswers = {output};
        window.files().exportCsv->trigger();
        const QByteArray written = contents(output);
        ASSERT_TRUE(written.startsWith("\xEF\xBB\xBF"));
        EXPECT_EQ(written.mid(3), commandOutput(arguments));
        // Every line has a cell under each heading.
        const QList<QStringList> rows = parsedCsv(written.mid(3));
        ASSERT_GT(rows.size(), 2);
        for (const QStringList &row : rows)
            EXPECT_EQ(row.size(), rows.first().size()) << row.join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(m_dialogs.messages.isEmpty()) << m_dialogs.texts().join(QLatin1Char('\n')).toStdString();
    }
}

TEST_F(Exports, PdfHoldsThePrintedPages)
{
    MainWindow &window = openExample();
    const QString printed = m_dir.filePath(QStringLiteral("printed.pdf"));
    commandOutput({QStringLiteral("--pdf"), printed, m_dir.filePath(QStringLiteral("loan.plr"))});
    // A name typed without its extension gets it.
    m_dialogs.saveAnswers = {m_dir.filePath(QStringLiteral("exported"))};
    window.files().exportPdf->trigger();
    const QString exported = m_dir.filePath(QStringLiteral("exported.pdf"));
    EXPECT_TRUE(contents(exported).startsWith("%PDF-"));
    EXPECT_EQ(pdfPages(exported), pdfPages(printed));
    EXPECT_GT(pdfPages(exported), 1);
    EXPECT_EQ(m_dialogs.saveProposals, QStringList {m_dir.filePath(QStringLiteral("loan.pdf"))});

    // The comparison in front gives its one page.
    ASSERT_NE(openComparison(window), nullptr);
    m_dialogs.saveAnswers = {m_dir.filePath(QStringLiteral("compared.pdf"))};
    window.files().exportPdf->trigger();
    EXPECT_EQ(pdfPages(m_dir.filePath(QStringLiteral("compared.pdf"))), 1);
    EXPECT_TRUE(m_dialogs.messages.isEmpty()) << m_dialogs.texts().join(QLatin1Char('\n')).toStdString();
}

TEST_F(Exports, EscapeStopsAnExportAndLeavesTheFileAsItWas)
{
    for (const bool pdf : {true, false}) {
        SCOPED_TRACE(pdf ? "pdf" : "csv");
        if (m_window)
            TearDown();
        MainWindow &window = openExample();
        const QString output = m_dir.filePath(pdf ? QStringLiteral("old.pdf") : QStringLiteral("old.csv"));
        {
            QFile old(output);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("kept");
        }
        m_dialogs.saveAnswers = {output};
        pressEscapeSoon(window);
        (pdf ? window.files().exportPdf : window.files().exportCsv)->trigger();
        EXPECT_EQ(contents(output), QByteArray("kept"));
        // No temporary file left behind either.
        const QString name = QFileInfo(output).fileName();
        EXPECT_EQ(QDir(m_dir.path()).entryList({name + QLatin1Char('*')}, QDir::Files | QDir::Hidden),
                  QStringList {name});
        EXPECT_FALSE(window.progressShown());
        // The next export is not stopped by the last one's key.
        m_dialogs.saveAnswers = {output};
        (pdf ? window.files().exportPdf : window.files().exportCsv)->trigger();
        EXPECT_NE(contents(output), QByteArray("kept"));
    }
}

TEST_F(Exports, PrintWithoutAPrinterOffersThePdf)
{
    MainWindow &window = openExample();
    m_dialogs.printersConfigured = false;
    const QString output = m_dir.filePath(QStringLiteral("instead.pdf"));
    // Cancel first, then the export.
    m_dialogs.answers = {ui::UserDialogs::Cancel, ui::UserDialogs::Ok};
    m_dialogs.saveAnswers = {output};
    window.files().print->trigger();
    EXPECT_FALSE(QFile::exists(output));
    window.files().print->trigger();
    EXPECT_TRUE(contents(output).startsWith("%PDF-"));
    EXPECT_EQ(m_dialogs.printShown, 0);
    ASSERT_EQ(m_dialogs.messages.size(), 2);
    EXPECT_TRUE(m_dialogs.messages[0].text.startsWith(QStringLiteral("No printer is set up")));
    EXPECT_EQ(m_dialogs.messages[0].buttons, ui::UserDialogs::Ok | ui::UserDialogs::Cancel);
}

TEST_F(Exports, NeverWriteOverAnOpenDocument)
{
    MainWindow &window = openExample();
    const QString document = m_dir.filePath(QStringLiteral("loan.plr"));
    const QByteArray before = contents(document);
    for (QAction *command : {window.files().exportPdf, window.files().exportCsv}) {
        SCOPED_TRACE(command->text().toStdString());
        m_dialogs.messages.clear();
        m_dialogs.saveAnswers = {document};
        command->trigger();
        EXPECT_EQ(contents(document), before);
        ASSERT_EQ(m_dialogs.messages.size(), 1);
        EXPECT_TRUE(m_dialogs.messages[0].text.contains(QStringLiteral("open document")));
    }
}

} // namespace
