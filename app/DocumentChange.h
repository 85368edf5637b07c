#pragma once

#include "document/DocumentEdit.h"

#include <QUndoCommand>

namespace app {

class frmChild;

// One change of a document on its window's undo stack. It is pushed once the change is made, so that the first
// redo, which the stack runs on pushing, has nothing to do.
class DocumentChange : public QUndoCommand
{
public:
    DocumentChange(frmChild &window, const QString &what, document::DocumentEdit edit);

    void undo() override;
    void redo() override;

private:
    frmChild &m_window;
    document::DocumentEdit m_edit;
    bool m_made = true;
};

} // namespace app
