// Makes the pictures the program ships: its icon at every size the desktop asks for, and the screenshots of the help
// pages, taken of the real windows on example loans. scripts/help-screenshots.sh builds and runs it under Xvfb:
//
//     help_screenshots REPOSITORY      (writes desktop/icons/*.png and help/images/*.png)
//
// A new window gets its picture from one more entry in shots() below.
#include "support/ScriptedDialogs.h"

#include "app/DocumentPrinting.h"
#include "app/EditCommands.h"
#include "app/FileCommands.h"
#include "app/HelpCommands.h"
#include "app/HelpWindow.h"
#include "app/Icons.h"
#include "app/LoanComparisonWindow.h"
#include "app/MainWindow.h"
#include "app/ReportCommands.h"
#include "app/SettingsStore.h"
#include "app/ViewCommands.h"
#include "app/frmChild.h"
#include "app/wizard/LoanTypePage.h"
#include "app/wizard/frmWizard.h"
#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "engine/StatementMatch.h"
#include "print/frmPageSetup.h"
#include "scenario/frmScenario.h"
#include "views/BreakPenaltyDialog.h"
#include "views/CellEditor.h"
#include "views/CompareLoansDialog.h"
#include "views/MatchStatementDialog.h"
#include "views/NumericCellBox.h"
#include "views/ScheduleView.h"
#include "views/frmOptions.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLinearGradient>
#include <QListWidget>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextStream>

#include <functional>

namespace {

// A dark colour scheme for the shots that show one, the program's own look restored after them.
struct DarkScheme
{
    DarkScheme()
    {
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::WindowText, QColor(0xF0, 0xF0, 0xF0));
        dark.setColor(QPalette::Base, QColor(0x23, 0x23, 0x23));
        dark.setColor(QPalette::AlternateBase, QColor(0x2D, 0x2D, 0x2D));
        dark.setColor(QPalette::Text, QColor(0xF0, 0xF0, 0xF0));
        dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::ButtonText, QColor(0xF0, 0xF0, 0xF0));
        dark.setColor(QPalette::Highlight, QColor(0x2A, 0x82, 0xDA));
        dark.setColor(QPalette::HighlightedText, Qt::white);
        dark.setColor(QPalette::ToolTipBase, QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::ToolTipText, QColor(0xF0, 0xF0, 0xF0));
        QApplication::setPalette(dark);
    }
    ~DarkScheme() { QApplication::setPalette(QApplication::style()->standardPalette()); }
    DarkScheme(const DarkScheme &) = delete;
    DarkScheme &operator=(const DarkScheme &) = delete;
};

// A house over a balance that falls payment by payment, with the interest paid rising through it.
void drawIcon(QPainter &painter, int size)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    QLinearGradient background(0, 0, 0, 256);
    background.setColorAt(0, QColor(0x2b, 0x8a, 0x9e));
    background.setColorAt(1, QColor(0x16, 0x5a, 0x70));
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    painter.drawRoundedRect(QRectF(12, 12, 232, 232), 44, 44);

    QPainterPath roof;
    roof.moveTo(40, 118);
    roof.lineTo(128, 44);
    roof.lineTo(216, 118);
    painter.setPen(QPen(Qt::white, 18, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(roof);

    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    const double heights[] = {96, 78, 58, 36};
    for (int i = 0; i < 4; ++i)
        painter.drawRoundedRect(QRectF(62 + i * 36, 214 - heights[i], 26, heights[i]), 4, 4);

    QPainterPath interest;
    interest.moveTo(64, 200);
    interest.cubicTo(110, 196, 150, 170, 196, 126);
    painter.setPen(QPen(QColor(0xf2, 0xb1, 0x34), 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(interest);
}

bool saveIcons(const QDir &folder)
{
    bool saved = true;
    for (const int size : app::kProgramIconSizes) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        drawIcon(painter, size);
        painter.end();
        saved = image.save(folder.filePath(QStringLiteral("pellandra-%1.png").arg(size))) && saved;
    }
    return saved;
}

// The main window on example loans, with settings of its own and every message answered.
class Studio
{
public:
    explicit Studio(const QDir &out)
        : m_out(out)
        , m_settings(m_dir.filePath(QStringLiteral("settings.ini")))
    {
        m_window = std::make_unique<app::MainWindow>(m_settings, m_dialogs, false);
        m_window->setClock([] { return QDate(2025, 3, 1); });
        m_window->helpCommands().setHelpFolder(QStringLiteral(PELLANDRA_SOURCE_DIR "/help"));
        m_window->resize(800, 520);
        m_window->show();
    }
    ~Studio()
    {
        m_dialogs.answers = {ui::UserDialogs::No, ui::UserDialogs::No, ui::UserDialogs::No, ui::UserDialogs::No};
        m_window->close();
    }

    app::MainWindow &window() { return *m_window; }

    // Opens an example loan under a name of the picture's choosing, its window filling the frame.
    app::frmChild &open(const char *example, const QString &name)
    {
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        QFile::copy(QStringLiteral(PELLANDRA_SOURCE_DIR "/examples/") + QLatin1String(example), path);
        m_window->files().OpenPath(path);
        m_window->activeDocument()->parentWidget()->showMaximized();
        return *m_window->activeDocument();
    }

    // Saves the picture of `widget`, or of the part `area` of it.
    void save(QWidget &widget, const QString &name, const QRect &area = {})
    {
        widget.show();
        QApplication::processEvents();
        QImage image = widget.grab(area.isNull() ? QRect(QPoint(0, 0), QSize(-1, -1)) : area).toImage();
        // A palette of 256 colours keeps the pictures small; the windows hardly use more.
        image = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
        const QString path = m_out.filePath(name + QStringLiteral(".png"));
        if (image.isNull() || !image.save(path, "PNG", 0))
            m_failed << name;
        else
            m_saved << name;
    }

    // Runs `command`, and takes the dialog it shows with `onDialog` before closing it unchanged.
    void withDialog(const std::function<void()> &command, const std::function<void(QDialog &)> &onDialog)
    {
        m_window->setDialogRunner([&](QDialog &dialog) {
            dialog.show();
            QApplication::processEvents();
            onDialog(dialog);
            dialog.reject();
            return int(QDialog::Rejected);
        });
        command();
        m_window->setDialogRunner({});
    }

    QStringList saved() const { return m_saved; }
    QStringList failed() const { return m_failed; }

private:
    QDir m_out;
    QTemporaryDir m_dir;
    app::IniSettingsStore m_settings;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<app::MainWindow> m_window;
    QStringList m_saved;
    QStringList m_failed;
};

struct Shot
{
    const char *name;
    std::function<void(Studio &, const QString &name)> take;
};

std::vector<Shot> shots()
{
    return {
        {"main-window",
         [](Studio &studio, const QString &name) {
             app::frmChild &document = studio.open("canadian-mortgage-25y.plr", QStringLiteral("Maple Street.plr"));
             document.gridMain1()->setCurrentIndex(document.gridMain1()->model()->index(13, 3));
             studio.save(studio.window(), name);
         }},
        {"schedule-editing",
         [](Studio &studio, const QString &name) {
             // A new rate typed over the renewal's payment, before Enter takes it.
             app::frmChild &document = studio.open("canadian-mortgage-25y.plr", QStringLiteral("Maple Street.plr"));
             QTableView *grid = document.gridMain1();
             grid->setCurrentIndex(grid->model()->index(8, 3));
             views::CellEditor *editor = document.view()->cellEditor();
             int key = '4';
             editor->EnterCellEditingMode(key);
             editor->box()->setText(QStringLiteral("4.79"));
             const QRect cell = grid->visualRect(grid->model()->index(8, 3));
             const QPoint corner = grid->viewport()->mapTo(&studio.window(), cell.topLeft());
             studio.save(studio.window(), name, QRect(0, corner.y() - 200, 640, 300));
             editor->GridMain1_Scroll();
         }},
        {"summary",
         [](Studio &studio, const QString &name) {
             studio.open("canadian-mortgage-25y.plr", QStringLiteral("Maple Street.plr"));
             studio.window().viewCommands().summary->trigger();
             studio.save(studio.window(), name);
         }},
        {"dark-schedule",
         [](Studio &studio, const QString &name) {
             const DarkScheme dark;
             app::frmChild &document = studio.open("canadian-mortgage-25y.plr", QStringLiteral("Maple Street.plr"));
             document.gridMain1()->setCurrentIndex(document.gridMain1()->model()->index(13, 3));
             studio.save(studio.window(), name);
         }},
        {"dark-summary",
         [](Studio &studio, const QString &name) {
             const DarkScheme dark;
             studio.open("canadian-mortgage-25y.plr", QStringLiteral("Maple Street.plr"));
             studio.window().viewCommands().summary->trigger();
             studio.save(studio.window(), name);
         }},
        {"year-end-report",
         [](Studio &studio, const QString &name) {
             studio.open("canadian-mortgage-25y.plr", QStringLiteral("Maple Street.plr"));
             studio.window().reportCommands().YearEndReport();
             studio.save(studio.window(), name);
         }},
        {"wizard",
         [](Studio &studio, const QString &name) {
             studio.open("canadian-mortgage-25y.plr", QStringLiteral("Maple Street.plr"));
             studio.withDialog([&] { studio.window().files().properties->trigger(); },
                               [&](QDialog &dialog) {
                                   auto &wizard = dynamic_cast<app::frmWizard &>(dialog);
                                   for (int step = 1; step <= 4; ++step) {
                                       studio.save(wizard, name + QStringLiteral("-%1").arg(step));
                                       if (step < 4)
                                           wizard.cmdNext_Click();
                                   }
                               });
         }},
        {"time-left",
         [](Studio &studio, const QString &name) {
             app::frmChild &document = studio.open("us-mortgage-30y.plr", QStringLiteral("Oak Avenue.plr"));
             document.gridMain1()->setCurrentIndex(document.gridMain1()->model()->index(61, 1));
             studio.withDialog([&] { studio.window().viewCommands().timeLeft->trigger(); },
                               [&](QDialog &dialog) { studio.save(dialog, name); });
         }},
        {"lump-sums",
         [](Studio &studio, const QString &name) {
             app::frmChild &document = studio.open("canadian-mortgage-25y.plr", QStringLiteral("Maple Street.plr"));
             document.gridMain1()->setCurrentIndex(document.gridMain1()->model()->index(13, 9));
             studio.withDialog([&] { studio.window().editCommands().lumpSums->trigger(); },
                               [&](QDialog &dialog) { studio.save(dialog, name); });
         }},
        {"options",
         [](Studio &studio, const QString &name) {
             studio.open("canadian-mortgage-25y.plr", QStringLiteral("Maple Street.plr"));
             studio.withDialog([&] { studio.window().viewCommands().options->trigger(); },
                               [&](QDialog &dialog) {
                                   auto &options = dynamic_cast<views::frmOptions &>(dialog);
                                   options.tbsOptions()->setCurrentIndex(0);
                                   // One column hidden, so that both lists hold some.
                                   options.List1()->setCurrentRow(options.List1()->count() - 1);
                                   options.cmdRight_Click();
                                   studio.save(options, name + QStringLiteral("-columns"));
                                   options.tbsOptions()->setCurrentIndex(1);
                                   studio.save(options, name + QStringLiteral("-formatting"));
                               });
         }},
        {"page-setup",
         [](Studio &studio, const QString &name) {
             studio.open("canadian-mortgage-25y.plr", QStringLiteral("Maple Street.plr"));
             studio.withDialog([&] { studio.window().files().pageSetup->trigger(); },
                               [&](QDialog &dialog) {
                                   auto &setup = dynamic_cast<print::frmPageSetup &>(dialog);
                                   const char *tabs[] = {"-page", "-margins", "-header", "-sheet"};
                                   for (int tab = 0; tab < setup.tabs()->count() && tab < 4; ++tab) {
                                       setup.tabs()->setCurrentIndex(tab);
                                       studio.save(setup, name + QLatin1String(tabs[tab]));
                                   }
                               });
         }},
        {"print-preview",
         [](Studio &studio, const QString &name) {
             studio.open("canadian-mortgage-25y.plr", QStringLiteral("Maple Street.plr"));
             studio.window().files().printPreview->trigger();
             studio.save(studio.window(), name);
             studio.window().printing().closePreview();
         }},
        {"match-statement",
         [](Studio &studio, const QString &name) {
             // A lender who compounds monthly, for a loan entered as a Canadian one: a year of its statement.
             app::frmChild &document = studio.open("canadian-mortgage-25y.plr", QStringLiteral("Maple Street.plr"));
             engine::LoanDocument lender = document.loan();
             engine::applyConventions(
                 lender, {1, lender.gintPeriodsPerYearIndex, lender.gintStartPayment, lender.gdblAnnualRate});
             engine::Calculate(lender, engine::NumberFormat());
             std::string statement = "Date,Payment,Interest,Principal,Balance\n";
             engine::ScheduleReader reader(lender.gridMain0, 30);
             for (engine::ScheduleRowValues row; reader.next(row) && row.row < 42;) {
                 if (row.kind != engine::ScheduleRowKind::Payment)
                     continue;
                 for (const int column : {engine::colDate, engine::colPayment, engine::colInterest,
                                          engine::colPrincipal, engine::colEndingBalance})
                     statement +=
                         engine::plainCellText(row, column) + (column == engine::colEndingBalance ? '\n' : ',');
             }
             studio.withDialog([&] { studio.window().editCommands().matchStatementAction->trigger(); },
                               [&](QDialog &dialog) {
                                   auto &match = dynamic_cast<views::MatchStatementDialog &>(dialog);
                                   match.resize(820, 620);
                                   match.loadStatement(statement, QStringLiteral("statement.csv"));
                                   studio.save(match, name);
                               });
         }},
        {"prepayment",
         [](Studio &studio, const QString &name) {
             // A five-year closed term with the usual privileges, priced at a comparison rate a point lower.
             app::frmChild &document = studio.open("canadian-mortgage-25y.plr", QStringLiteral("Maple Street.plr"));
             document.changeAndRecalculate(QStringLiteral("Prepayment Terms"), [](document::DocumentData &data) {
                 data.loan.prepaymentTerms = engine::defaultPrepaymentTerms();
             });
             studio.window().reportCommands().update();
             studio.withDialog([&] { studio.window().editCommands().prepaymentTerms->trigger(); },
                               [&](QDialog &dialog) { studio.save(dialog, name + QStringLiteral("-terms")); });
             studio.withDialog([&] { studio.window().reportCommands().breakPenalty->trigger(); },
                               [&](QDialog &dialog) {
                                   auto &penalty = dynamic_cast<views::BreakPenaltyDialog &>(dialog);
                                   penalty.resize(760, 600);
                                   penalty.comparisonRate()->setText(QStringLiteral("3.79"));
                                   studio.save(penalty, name + QStringLiteral("-penalty"));
                               });
             studio.withDialog([&] { studio.window().reportCommands().privileges->trigger(); },
                               [&](QDialog &dialog) { studio.save(dialog, name + QStringLiteral("-privileges")); });
         }},
        {"scenario",
         [](Studio &studio, const QString &name) {
             studio.window().resize(1040, 520); // the whole table, the term's columns included
             studio.window().viewCommands().showScenario();
             if (scenario::frmScenario *calculator = studio.window().viewCommands().scenarioWindow()) {
                 calculator->parentWidget()->showMaximized();
                 // $350,000 at 5 % over 25 years, with a five-year term.
                 calculator->txtLoanAmount()->setText(QStringLiteral("350000"));
                 calculator->txtAnnualRate()->setText(QStringLiteral("5"));
                 calculator->txtAmortization()->setText(QStringLiteral("25"));
                 calculator->txtTerm()->setText(QStringLiteral("5"));
                 calculator->txtLoanAmount()->setFocus();
                 studio.save(studio.window(), name);
             }
         }},
        {"compare-loans",
         [](Studio &studio, const QString &name) {
             studio.open("accelerated-biweekly.plr", QStringLiteral("Birch Lane.plr"));
             studio.open("us-mortgage-30y.plr", QStringLiteral("Oak Avenue.plr"));
             studio.open("canadian-mortgage-25y.plr", QStringLiteral("Maple Street.plr"));
             studio.window().setDialogRunner([&](QDialog &dialog) {
                 dialog.show();
                 QApplication::processEvents();
                 studio.save(dialog, name + QStringLiteral("-choose"));
                 return int(QDialog::Accepted);
             });
             studio.window().reportCommands().compareLoans();
             studio.window().setDialogRunner({});
             if (QMdiSubWindow *comparison = studio.window().mdiArea()->currentSubWindow()) {
                 comparison->showMaximized();
                 studio.save(studio.window(), name);
             }
         }},
        {"help-window",
         [](Studio &studio, const QString &name) {
             studio.window().helpCommands().showContents();
             if (app::HelpWindow *help = studio.window().helpCommands().helpWindow()) {
                 help->resize(760, 520);
                 studio.save(*help, name);
                 help->close();
             }
         }},
    };
}

} // namespace

int main(int argc, char *argv[])
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QTextStream err(stderr);
    if (argc != 2) {
        err << "Usage: help_screenshots REPOSITORY\n";
        return 1;
    }
    const QDir repository(QString::fromLocal8Bit(argv[1]));
    const QDir icons(repository.filePath(QStringLiteral("desktop/icons")));
    const QDir images(repository.filePath(QStringLiteral("help/images")));
    if (!QDir().mkpath(icons.path()) || !QDir().mkpath(images.path()) || !saveIcons(icons)) {
        err << "Cannot write into " << repository.path() << "\n";
        return 1;
    }
    QStringList saved;
    QStringList failed;
    for (const Shot &shot : shots()) {
        // Each picture starts from a fresh window, so that one shot's documents do not show in the next.
        Studio studio(images);
        shot.take(studio, QLatin1String(shot.name));
        saved << studio.saved();
        failed << studio.failed();
    }
    QTextStream out(stdout);
    out << "Saved " << saved.join(QStringLiteral(", ")) << " in " << images.path() << "\n";
    if (!failed.isEmpty()) {
        err << "Could not take " << failed.join(QStringLiteral(", ")) << "\n";
        return 1;
    }
    return 0;
}
