#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;

namespace views {

// Draws a cell's text whole, or "###" when its column is too narrow for it, as spreadsheets do: a number is never
// shown as part of its digits. The tooltip of such a cell shows the whole text. Marked cells get a corner mark.
class FittedTextDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr const char *kTooNarrow = "###";
    // A cell whose data for this role is true carries a mark drawn in its top left corner, in its text colour: what
    // its colour says is then seen without the colour too, and its figure copies as it is.
    static constexpr int kMarkRole = Qt::UserRole + 40;

    explicit FittedTextDelegate(QAbstractItemView *view);

    // The text a cell shows at its present width.
    QString shownText(const QModelIndex &index) const;

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    // Whether the option's text fits the room the style leaves it in the cell.
    bool fits(const QStyleOptionViewItem &option) const;

    QAbstractItemView *m_view;
};

} // namespace views
