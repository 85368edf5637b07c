#pragma once

#include <QPushButton>

namespace ui {

// A dialog's push button under the name its handlers and tests know it by. It never becomes the default on its own:
// Enter goes where the dialog says.
inline QPushButton *dialogButton(const QString &text, const char *objectName)
{
    auto *button = new QPushButton(text);
    button->setObjectName(QLatin1String(objectName));
    button->setAutoDefault(false);
    return button;
}

} // namespace ui
