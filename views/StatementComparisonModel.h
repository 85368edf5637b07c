#pragma once

#include "engine/Statement.h"
#include "engine/StatementMatch.h"

#include <QAbstractTableModel>

namespace engine {
class NumberFormat;
}

namespace views {

// A lender's statement beside the schedule recomputed under one candidate's conventions: per statement row its line
// and date, then for each column the statement gives the statement's amount and the schedule's. Cells that differ
// are shaded, and so are rows on dates the schedule has no row for.
class StatementComparisonModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit StatementComparisonModel(const engine::NumberFormat &format, QObject *parent = nullptr);

    void setStatement(engine::Statement statement);
    void setComparison(engine::CandidateComparison comparison);
    const engine::Statement &statement() const { return m_statement; }

    // The shading of a differing cell and of a row without a schedule row.
    static QColor differenceColor();
    static QColor unmatchedColor();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const engine::NumberFormat &m_format;
    engine::Statement m_statement;
    engine::CandidateComparison m_comparison;
    std::vector<int> m_columns; // the statement's money columns, in order
};

} // namespace views
