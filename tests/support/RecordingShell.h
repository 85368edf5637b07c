#pragma once

#include "document/DocumentFile.h"
#include "engine/Schedule.h"
#include "views/ScheduleView.h"
#include "views/ShellServices.h"

#include <QStringList>

// A document window's part for a view under test: it recomputes and redraws, and remembers what it was told.
struct RecordingShell : views::ShellServices
{
    document::DocumentData *data = nullptr;
    engine::NumberFormat *format = nullptr;
    views::ScheduleView *view = nullptr;
    int modified = 0;
    int calculations = 0;
    QStringList messages;
    QStringList changes; // what each change was called
    QString status;

    void SetProgressBar(int, int) override { }
    void markModified() override { ++modified; }
    void showMessage(const QString &text) override { messages << text; }
    void setCellStatus(const QString &text) override { status = text; }
    bool changeAndRecalculate(const QString &what, const std::function<void(document::DocumentData &)> &change) override
    {
        change(*data);
        changes << what;
        ++calculations;
        const bool ok = engine::Calculate(data->loan, *format).ok;
        if (view)
            view->refreshAfterCalculate();
        return ok;
    }
};
