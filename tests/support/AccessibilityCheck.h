#pragma once

// What a screen reader and a keyboard user meet in a window: the controls its accessibility tree leaves unnamed, and
// whether Tab goes round the window and back to where it started.

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace testsupport {

namespace detail {

inline bool mustBeNamed(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Table:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::Chart:
    case QAccessible::Graphic:
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::PageTab:
        return true;
    default:
        return false;
    }
}

// The items of tables and lists are named by their own texts; only the view itself is checked.
inline bool isItem(QAccessible::Role role)
{
    return role == QAccessible::Cell || role == QAccessible::ListItem || role == QAccessible::ColumnHeader
        || role == QAccessible::RowHeader || role == QAccessible::TreeItem;
}

inline QString describe(QAccessibleInterface *node)
{
    const QObject *object = node->object();
    QString what = object ? QString::fromLatin1(object->metaObject()->className()) : QStringLiteral("?");
    if (object && !object->objectName().isEmpty())
        what += QLatin1Char(' ') + object->objectName();
    if (object && object->parent() && object->objectName().isEmpty())
        what += QStringLiteral(" in ") + QString::fromLatin1(object->parent()->metaObject()->className())
            + QLatin1Char(' ') + object->parent()->objectName();
    return what + QStringLiteral(" (role %1)").arg(int(node->role()));
}

inline void collectUnnamed(QAccessibleInterface *node, QStringList &unnamed, int depth)
{
    if (!node || depth > 40)
        return;
    const QAccessible::State state = node->state();
    if (state.invisible)
        return;
    const QAccessible::Role role = node->role();
    if (isItem(role))
        return;
    const bool named = !node->text(QAccessible::Name).trimmed().isEmpty();
    if (!named && (mustBeNamed(role) || state.focusable) && role != QAccessible::ScrollBar
        && role != QAccessible::Dialog && role != QAccessible::Window)
        unnamed << describe(node);
    for (int i = 0; i < node->childCount(); ++i)
        collectUnnamed(node->child(i), unnamed, depth + 1);
}

} // namespace detail

// Every visible focusable control, table, list or chart under `root` that a screen reader would announce without a
// name, by class and object name; empty when there is none.
inline std::string unnamedControls(QWidget *root)
{
    QStringList unnamed;
    detail::collectUnnamed(QAccessible::queryAccessibleInterface(root), unnamed, 0);
    return unnamed.join(QStringLiteral("; ")).toStdString();
}

// The accessible interface of a widget, for the checks of its name, description and table.
inline QAccessibleInterface *accessible(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

// Where Tab (or Shift+Tab with `backwards`) takes the focus from `start`, press by press, until it comes back to
// `start` or `limit` presses have gone by. A window without a trap lists each of its stops once and ends on `start`.
struct TabCycle
{
    QList<QWidget *> stops;
    bool backToStart = false;
};

inline TabCycle tabCycle(QWidget *window, QWidget *start, bool backwards = false, int limit = 80)
{
    TabCycle cycle;
    window->show();
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window))
        return cycle;
    start->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    // A widget with a focus proxy (a tab widget's tab bar) starts from where its focus went.
    start = QApplication::focusWidget() ? QApplication::focusWidget() : start;
    for (int press = 0; press < limit; ++press) {
        QWidget *from = QApplication::focusWidget();
        if (!from)
            return cycle;
        QTest::keyClick(from, Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QWidget *now = QApplication::focusWidget();
        // Focus that never left the start is caught there.
        if (now == start && press == 0)
            return cycle;
        if (now == start) {
            cycle.backToStart = true;
            return cycle;
        }
        cycle.stops << now;
    }
    return cycle;
}

} // namespace testsupport
