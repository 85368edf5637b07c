#pragma once

#include "engine/Scenario.h"

#include <QAbstractTableModel>
#include <QFont>

namespace scenario {

// The comparison of payment frequencies as a read-only table: the frequency's caption first, then the engine's
// figures in its column order. Rows are also headed by their frequency, for a screen reader.
class ScenarioTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The model column of an engine::ScenarioColumn.
    static constexpr int column(int scenarioColumn) { return scenarioColumn + 1; }

    explicit ScenarioTableModel(QObject *parent = nullptr);

    void setTable(const engine::ScenarioTable &table);
    // The headings' font: the window's, in bold.
    void setHeadingFont(const QFont &font) { m_headingFont = font; }
    static Qt::Alignment alignment(int modelColumn);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    engine::ScenarioTable m_table {};
    QFont m_headingFont;
};

} // namespace scenario
