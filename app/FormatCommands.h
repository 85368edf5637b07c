#pragma once

#include <QObject>

class QAction;

namespace app {

class DocumentWindows;
class StatusReporter;

// The Format menu: the alignment of the selected columns, and fitting the columns to their contents.
class FormatCommands : public QObject
{
    Q_OBJECT

public:
    FormatCommands(DocumentWindows &windows, StatusReporter &status, QObject *parent);

    void update();
    void SetColumnAlignment(int code);
    void autoFit();

    QAction *alignLeft = nullptr;
    QAction *center = nullptr;
    QAction *alignRight = nullptr;
    QAction *autoFitColumns = nullptr;

private:
    DocumentWindows &m_windows;
    StatusReporter &m_status;
};

} // namespace app
