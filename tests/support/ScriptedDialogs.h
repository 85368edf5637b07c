#pragma once

#include "ui/UserDialogs.h"

#include <QColor>
#include <QList>
#include <QPrinter>
#include <QStringList>

#include <optional>

// Answers the program's dialogs from queues and remembers what they showed.
class ScriptedDialogs : public ui::UserDialogs
{
public:
    struct Shown
    {
        QString title;
        QString text;
        int buttons = 0;
        Icon icon = Icon::Information;
    };

    QList<Shown> messages;
    QList<Button> answers; // for messages with more than an OK button; Cancel when none is queued
    QStringList openAnswers;
    QStringList saveAnswers; // an empty text cancels
    QStringList openFolders;
    QStringList saveProposals;
    int aboutShown = 0;
    QList<std::optional<QColor>> colorAnswers; // nothing: cancelled; none queued: cancelled
    int printShown = 0;
    int pageSetupShown = 0;
    bool printAnswer = false;
    UserDialogs::PrintPages printOffered; // what the last print dialog offered
    // The choice an accepted print dialog makes: the range, and a PDF file standing in for the printer.
    QPrinter::PrintRange printRange = QPrinter::AllPages;
    int printFrom = 0;
    int printTo = 0;
    QString printFile;
    // The printer set-up: the page it was shown, and the page an accepted one chooses (none: left as it was).
    QPageLayout pageSetupOffered;
    std::optional<QPageLayout> pageSetupChoice;

    QStringList texts() const
    {
        QStringList list;
        for (const Shown &shown : messages)
            list << shown.text;
        return list;
    }

    Button message(QWidget *, const QString &title, const QString &text, int buttons, Icon icon) override
    {
        messages.append({title, text, buttons, icon});
        if (buttons == Ok)
            return Ok;
        return answers.isEmpty() ? Cancel : answers.takeFirst();
    }
    QString openFile(QWidget *, const QString &, const QString &folder, const QString &) override
    {
        openFolders << folder;
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString saveFile(QWidget *, const QString &, const QString &proposed, const QString &) override
    {
        saveProposals << proposed;
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    std::optional<QColor> color(QWidget *, const QString &, const QColor &) override
    {
        return colorAnswers.isEmpty() ? std::nullopt : colorAnswers.takeFirst();
    }
    bool print(QWidget *, QPrinter &printer, const PrintPages &pages) override
    {
        ++printShown;
        printOffered = pages;
        if (!printAnswer)
            return false;
        printer.setPrintRange(printRange);
        printer.setFromTo(printFrom, printTo);
        if (!printFile.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printFile);
        }
        return true;
    }
    bool pageSetup(QWidget *, QPrinter &printer) override
    {
        ++pageSetupShown;
        pageSetupOffered = printer.pageLayout();
        if (printAnswer && pageSetupChoice)
            printer.setPageLayout(*pageSetupChoice);
        return printAnswer;
    }
    void about(QWidget *, const QString &, const QString &) override { ++aboutShown; }
    // Whether a printer is set up: as on a desk, unless a test takes it away.
    bool printersConfigured = true;
    bool printerConfigured() override { return printersConfigured; }
};
