#include "../support/QtPrinters.h"

#include "engine/NumberFormat.h"
#include "views/StatementComparisonModel.h"

#include <QAbstractItemModelTester>
#include <QColor>

#include <gtest/gtest.h>

using namespace views;

TEST(StatementComparisonModel, ShowsTheStatementBesideTheScheduleAndShadesDifferences)
{
    const engine::NumberFormat format;
    StatementComparisonModel model(format);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);

    engine::Statement statement;
    statement.hasColumn[engine::stmInterest] = true;
    statement.hasColumn[engine::stmBalance] = true;
    for (int i = 0; i < 3; ++i) {
        engine::StatementRow row;
        row.line = i + 2;
        row.date = *engine::exactDate(2025, 1 + i, 1);
        row.amounts[engine::stmInterest] = 100.0 + i;
        row.amounts[engine::stmBalance] = 5000.0 - i;
        statement.rows.push_back(row);
    }
    model.setStatement(statement);
    ASSERT_EQ(model.rowCount(), 3);
    ASSERT_EQ(model.columnCount(), 6);
    QStringList headers;
    for (int c = 0; c < model.columnCount(); ++c)
        headers << model.headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers,
              (QStringList {QStringLiteral("Line"), QStringLiteral("Date"), QStringLiteral("Statement\nInterest"),
                            QStringLiteral("Schedule\nInterest"), QStringLiteral("Statement\nBalance"),
                            QStringLiteral("Schedule\nBalance")}));
    // Before a candidate is chosen only the statement shows.
    EXPECT_EQ(model.index(0, 2).data().toString(), QStringLiteral("$100.00"));
    EXPECT_FALSE(model.index(0, 3).data().isValid());

    engine::CandidateComparison comparison;
    comparison.rows.resize(3);
    comparison.rows[0] = {5, {std::nullopt, 100.0, std::nullopt, 5000.0}, {}};
    comparison.rows[1] = {6, {std::nullopt, 99.5, std::nullopt, 4999.0}, {false, true, false, false}};
    model.setComparison(comparison); // the third row has no schedule row on its date

    EXPECT_EQ(model.index(1, 0).data().toInt(), 3);
    EXPECT_EQ(model.index(1, 1).data().toString(), QStringLiteral("2/1/2025"));
    // Each shaded cell says in its text and to a screen reader what the shading means.
    EXPECT_EQ(model.index(1, 3).data().toString(), QStringLiteral("\u2260 $99.50"));
    EXPECT_EQ(model.index(1, 2).data().toString(), QStringLiteral("\u2260 $101.00"));
    EXPECT_EQ(model.index(1, 3).data(Qt::AccessibleTextRole).toString(),
              QStringLiteral("\u2260 $99.50, Differs by $1.50"));
    EXPECT_EQ(model.index(1, 4).data().toString(), QStringLiteral("$4,999.00"));
    EXPECT_EQ(model.index(2, 1).data().toString(), QStringLiteral("? 3/1/2025"));
    EXPECT_EQ(model.index(2, 1).data(Qt::AccessibleTextRole).toString(),
              QStringLiteral("? 3/1/2025, The schedule has no row on this date."));
    EXPECT_EQ(model.index(1, 2).data(Qt::BackgroundRole).value<QColor>(), StatementComparisonModel::differenceColor());
    EXPECT_EQ(model.index(1, 3).data(Qt::ToolTipRole).toString(), QStringLiteral("Differs by $1.50"));
    EXPECT_FALSE(model.index(1, 4).data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(model.index(0, 2).data(Qt::BackgroundRole).isValid());
    EXPECT_EQ(model.index(2, 1).data(Qt::BackgroundRole).value<QColor>(), StatementComparisonModel::unmatchedColor());
    EXPECT_EQ(model.index(2, 1).data(Qt::ToolTipRole).toString(),
              QStringLiteral("The schedule has no row on this date."));
    EXPECT_FALSE(model.index(2, 3).data().isValid());
}
