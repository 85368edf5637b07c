#pragma once

#include <QAbstractTableModel>

#include <array>

namespace engine {
struct LoanDocument;
}
namespace document {
struct ColumnProperties;
}

namespace views {

// The schedule as the grid shows it: the visible columns in their order, each reading its logical column of the
// schedule table directly (no copy of the cells).
class ScheduleModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    ScheduleModel(const engine::LoanDocument &loan, const document::ColumnProperties &columns,
                  QObject *parent = nullptr);

    // Rebuilds the view of the schedule after a calculation or a change of the column layout.
    void reload();
    // The logical schedule column shown at a visible column, or -1.
    int logicalColumn(int visibleColumn) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const engine::LoanDocument &m_loan;
    const document::ColumnProperties &m_columns;
    std::array<int, 13> m_logicalAt {}; // logical column of each visible column
    int m_visibleColumns = 0;
};

// The alignment a column's alignment code stands for (1 left, 4 centred, 7 right; anything else left and top).
Qt::Alignment alignmentForCode(int code);

} // namespace views
