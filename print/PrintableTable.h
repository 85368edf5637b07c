#pragma once

#include <QColor>
#include <QPointer>
#include <QString>

#include <vector>

class QAbstractItemModel;

namespace print {

// A table as it is put on paper: a heading per column, column widths in twips, and per cell a text, an alignment and
// a text colour. Rows count from 0, below the heading.
class PrintableTable
{
public:
    virtual ~PrintableTable() = default;
    virtual int columnCount() const = 0;
    virtual int rowCount() const = 0;
    virtual int columnWidth(int column) const = 0;
    virtual QString heading(int column) const = 0;
    virtual QString text(int row, int column) const = 0;
    virtual Qt::Alignment alignment(int row, int column) const = 0;
    // Invalid for the ordinary text colour.
    virtual QColor textColor(int row, int column) const = 0;
};

// Any table model as printed: its horizontal headings, display texts, text alignments and foreground colours, with the
// widths it is shown in. A model that goes away leaves an empty table.
class ModelTable : public PrintableTable
{
public:
    ModelTable(const QAbstractItemModel &model, std::vector<int> widthsTwips);

    int columnCount() const override;
    int rowCount() const override;
    int columnWidth(int column) const override;
    QString heading(int column) const override;
    QString text(int row, int column) const override;
    Qt::Alignment alignment(int row, int column) const override;
    QColor textColor(int row, int column) const override;

private:
    QPointer<const QAbstractItemModel> m_model;
    std::vector<int> m_widths;
};

} // namespace print
