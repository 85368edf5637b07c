#include "FittedTextDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

namespace views {

FittedTextDelegate::FittedTextDelegate(QAbstractItemView *view)
    : QStyledItemDelegate(view)
    , m_view(view)
{ }

bool FittedTextDelegate::fits(const QStyleOptionViewItem &option) const
{
    if (option.text.isEmpty())
        return true;
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    // The room the style draws the text in: the cell's text area less a margin on either side.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const int room = style->subElementRect(QStyle::SE_ItemViewItemText, &option, widget).width() - 2 * margin;
    return option.fontMetrics.horizontalAdvance(option.text) <= room;
}

void FittedTextDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!fits(*option))
        option->text = QString::fromLatin1(kTooNarrow);
}

void FittedTextDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (!index.data(kMarkRole).toBool())
        return;
    QStyleOptionViewItem shown = option;
    initStyleOption(&shown, index);
    const bool selected = shown.state & QStyle::State_Selected;
    const QColor color =
        selected ? shown.palette.color(QPalette::HighlightedText) : shown.palette.color(QPalette::Text);
    const QVariant foreground = index.data(Qt::ForegroundRole);
    const int side = std::max(4, shown.fontMetrics.height() / 3);
    QPainterPath corner;
    const QPointF at = QRectF(option.rect).topLeft();
    corner.moveTo(at);
    corner.lineTo(at + QPointF(side, 0));
    corner.lineTo(at + QPointF(0, side));
    corner.closeSubpath();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->fillPath(corner, !selected && foreground.isValid() ? foreground.value<QBrush>().color() : color);
    painter->restore();
}

QString FittedTextDelegate::shownText(const QModelIndex &index) const
{
    QStyleOptionViewItem option;
    option.initFrom(m_view->viewport());
    option.widget = m_view;
    option.rect = m_view->visualRect(index);
    option.font = m_view->font();
    option.fontMetrics = QFontMetrics(option.font);
    initStyleOption(&option, index);
    return option.text;
}

bool FittedTextDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                                   const QModelIndex &index)
{
    if (event && event->type() == QEvent::ToolTip && index.isValid()) {
        QStyleOptionViewItem shown = option;
        QStyledItemDelegate::initStyleOption(&shown, index);
        if (!fits(shown)) {
            QToolTip::showText(event->globalPos(), shown.text, view, option.rect);
            return true;
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

} // namespace views
