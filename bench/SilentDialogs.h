#pragma once

#include "ui/UserDialogs.h"

// Dialogs that answer at once, so that a benchmark never waits for a user: No, Cancel, nothing chosen.
class SilentDialogs : public ui::UserDialogs
{
public:
    Button message(QWidget *, const QString &, const QString &, int, Icon) override { return No; }
    QString openFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QColor> color(QWidget *, const QString &, const QColor &) override { return std::nullopt; }
    bool print(QWidget *, QPrinter &, const PrintPages &) override { return false; }
    bool pageSetup(QWidget *, QPrinter &) override { return false; }
    void about(QWidget *, const QString &, const QString &) override { }
    bool printerConfigured() override { return true; }
};
