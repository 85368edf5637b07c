#include "HelpCommands.h"

#include "Command.h"
#include "MainWindow.h"

namespace app {

namespace {

const QString kNoHelpMessage =
    QStringLiteral("Unable to display Help Contents. There is no Help associated with this project.");

} // namespace

HelpCommands::HelpCommands(MainWindow &shell)
    : QObject(&shell)
    , m_shell(shell)
{
    contents = command(this, QStringLiteral("&Contents"), [this] { showContents(); });
    contents->setShortcut(QKeySequence::HelpContents);
    about = command(this, QStringLiteral("&About Pellandra..."), [this] { showAbout(); });
}

void HelpCommands::showContents()
{
    m_shell.message(kNoHelpMessage, ui::UserDialogs::Ok, ui::UserDialogs::Icon::Information);
}

void HelpCommands::showAbout()
{
    m_shell.dialogs().about(&m_shell, QStringLiteral("About Pellandra"),
                            QStringLiteral("<h3>Pellandra %1</h3><p>Loan amortization schedules: mortgages with "
                                           "Canadian or U.S. compounding, personal loans, rate and payment changes "
                                           "and lump-sum prepayments.</p>")
                                .arg(QLatin1String(PELLANDRA_VERSION)));
}

} // namespace app
