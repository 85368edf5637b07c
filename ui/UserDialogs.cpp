#include "UserDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTextBoundaryFinder>

namespace ui {

QString keptOnOneLine(const QString &text)
{
    constexpr char16_t kNoBreakSpace = 0x00A0;
    constexpr char16_t kWordJoiner = 0x2060;
    // Spaces become spaces that do not break; a word joiner holds together what is left (after a hyphen, a slash).
    const QString joined = QString(text).replace(QLatin1Char(' '), QChar(kNoBreakSpace));
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, joined);
    QString kept;
    kept.reserve(joined.size());
    qsizetype from = 0;
    for (qsizetype at = breaks.toNextBoundary(); at != -1 && at < joined.size(); at = breaks.toNextBoundary()) {
        kept += QStringView(joined).mid(from, at - from);
        kept += QChar(kWordJoiner);
        from = at;
    }
    kept += QStringView(joined).mid(from);
    return kept;
}

std::unique_ptr<QMessageBox> QtUserDialogs::messageBox(QWidget *parent, const QString &title, const QString &text,
                                                       int buttons, Icon icon)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(title);
    // Messages quote file names and file contents: shown as rich text, a document could dress itself up as
    // another message, hide the real one or load pictures.
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    switch (icon) {
    case Icon::Information:
        box->setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box->setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box->setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box->setIcon(QMessageBox::Question);
        break;
    }
    QMessageBox::StandardButtons standard;
    if (buttons & Ok)
        standard |= QMessageBox::Ok;
    if (buttons & Yes)
        standard |= QMessageBox::Yes;
    if (buttons & No)
        standard |= QMessageBox::No;
    if (buttons & Cancel)
        standard |= QMessageBox::Cancel;
    box->setStandardButtons(standard);
    return box;
}

bool UserDialogs::confirm(QWidget *parent, const QString &title, const QString &text, const QString &, Icon icon)
{
    return message(parent, title, text, Ok | Cancel, icon) == Ok;
}

bool UserDialogs::printerConfigured()
{
    return !QPrinterInfo::availablePrinters().isEmpty();
}

bool QtUserDialogs::confirm(QWidget *parent, const QString &title, const QString &text, const QString &action,
                            Icon icon)
{
    const std::unique_ptr<QMessageBox> box = messageBox(parent, title, text, Ok | Cancel, icon);
    box->button(QMessageBox::Ok)->setText(action);
    box->setDefaultButton(QMessageBox::Ok);
    box->setEscapeButton(QMessageBox::Cancel);
    return box->exec() == QMessageBox::Ok;
}

UserDialogs::Button QtUserDialogs::message(QWidget *parent, const QString &title, const QString &text, int buttons,
                                           Icon icon)
{
    const std::unique_ptr<QMessageBox> box = messageBox(parent, title, text, buttons, icon);
    switch (box->exec()) {
    case QMessageBox::Ok:
        return Ok;
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    default:
        return Cancel;
    }
}

QString QtUserDialogs::openFile(QWidget *parent, const QString &title, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString QtUserDialogs::saveFile(QWidget *parent, const QString &title, const QString &proposed, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, proposed, filter);
}

std::optional<QColor> QtUserDialogs::color(QWidget *parent, const QString &title, const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, parent, title);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

bool QtUserDialogs::print(QWidget *parent, QPrinter &printer, const PrintPages &pages)
{
    QPrintDialog dialog(&printer, parent);
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintPageRange;
    if (pages.selection)
        options |= QAbstractPrintDialog::PrintSelection;
    dialog.setOptions(options);
    dialog.setMinMax(pages.first, pages.last);
    dialog.setFromTo(pages.first, pages.last);
    return dialog.exec() == QDialog::Accepted;
}

bool QtUserDialogs::pageSetup(QWidget *parent, QPrinter &printer)
{
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtUserDialogs::about(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::about(parent, title, text);
}

} // namespace ui
