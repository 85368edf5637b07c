#pragma once

#include "support/Examples.h"

#include "document/DocumentFile.h"
#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "views/ScheduleModel.h"
#include "views/ScheduleView.h"
#include "views/ShellServices.h"

#include <QItemSelectionModel>
#include <QTableView>

#include <gtest/gtest.h>

#include <memory>

// A window around the views that remembers what it was told and changes nothing.
struct FakeShell : views::ShellServices
{
    int modified = 0;
    std::vector<std::pair<int, int>> progress;
    engine::Date clock = engine::kNoDate;
    engine::Date today() const override { return clock; }
    void SetProgressBar(int done, int total) override { progress.emplace_back(done, total); }
    void markModified() override { ++modified; }
    bool changeAndRecalculate(const QString &, const std::function<void(document::DocumentData &)> &) override
    {
        return false;
    }
};

// A document with its schedule computed and its views built, as a document window holds them.
struct Fixture
{
    explicit Fixture(document::DocumentData loaded)
        : data(std::move(loaded))
    {
        EXPECT_TRUE(engine::Calculate(data.loan, format));
        view = std::make_unique<views::ScheduleView>(data, format, shell);
        view->resize(900, 500);
        view->refreshAfterCalculate();
    }
    QString cell(int row, int column) const { return view->gridMain1()->model()->index(row, column).data().toString(); }
    QStringList headers() const
    {
        QStringList list;
        const QAbstractItemModel *shown = view->gridMain1()->model();
        for (int c = 0; c < shown->columnCount(); ++c)
            list << shown->headerData(c, Qt::Horizontal).toString();
        return list;
    }
    // A selection dragged from one column to another: the current index is where it ends.
    void select(QTableView *grid, int row, int fromColumn, int toColumn)
    {
        grid->setCurrentIndex(grid->model()->index(row, toColumn));
        grid->selectionModel()->select(QItemSelection(grid->model()->index(row, std::min(fromColumn, toColumn)),
                                                      grid->model()->index(row, std::max(fromColumn, toColumn))),
                                       QItemSelectionModel::ClearAndSelect);
    }

    engine::NumberFormat format;
    FakeShell shell;
    document::DocumentData data;
    std::unique_ptr<views::ScheduleView> view;
};
