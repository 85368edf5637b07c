#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;

namespace views {

// Draws a cell's text whole, or "###" when its column is too narrow for it, as spreadsheets do: a number is never
// shown as part of its digits. The tooltip of such a cell shows the whole text.
class FittedTextDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr const char *kTooNarrow = "###";

    explicit FittedTextDelegate(QAbstractItemView *view);

    // The text a cell shows at its present width.
    QString shownText(const QModelIndex &index) const;

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    // Whether the option's text fits the room the style leaves it in the cell.
    bool fits(const QStyleOptionViewItem &option) const;

    QAbstractItemView *m_view;
};

} // namespace views
