#pragma once

#include <QAction>
#include <QObject>

namespace app {

// A menu command of `owner` that runs `run` when chosen.
template<typename Run>
QAction *command(QObject *owner, const QString &text, Run &&run)
{
    auto *action = new QAction(text, owner);
    QObject::connect(action, &QAction::triggered, owner, std::forward<Run>(run));
    return action;
}

// The same with a toolbar button's icon and tooltip.
template<typename Run>
QAction *command(QObject *owner, const QString &text, const QIcon &icon, const QString &toolTip, Run &&run)
{
    QAction *action = command(owner, text, std::forward<Run>(run));
    action->setIcon(icon);
    action->setToolTip(toolTip);
    return action;
}

} // namespace app
