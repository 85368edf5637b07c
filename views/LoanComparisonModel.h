#pragma once

#include "engine/LoanComparison.h"
#include "engine/NumberFormat.h"

#include <QAbstractTableModel>

namespace views {

// A comparison of loans as a table: the figures' labels in column 0 (headed by nothing), then one column per loan
// headed by its title. Texts in the document formats; a difference against the first loan that goes the wrong way
// (more interest, a later payoff) in red.
class LoanComparisonModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit LoanComparisonModel(QObject *parent = nullptr);

    void setComparison(engine::LoanComparison comparison, const engine::NumberFormat &format);
    const engine::LoanComparison &comparison() const { return m_comparison; }
    // The whole table as text: a tab between cells, a line feed after every row.
    QString tabSeparatedText() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    engine::LoanComparison m_comparison;
    engine::NumberFormat m_format;
};

} // namespace views
