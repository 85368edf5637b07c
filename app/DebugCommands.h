#pragma once

#include <QObject>

class QAction;

namespace app {

class DocumentWindows;

// The Debug menu, offered on request: the document's hidden tables.
class DebugCommands : public QObject
{
    Q_OBJECT

public:
    DebugCommands(DocumentWindows &windows, QObject *parent);

    QAction *toggleHiddenGrids = nullptr;

private:
    DocumentWindows &m_windows;
};

} // namespace app
