#include "DocumentChange.h"

#include "frmChild.h"

namespace app {

DocumentChange::DocumentChange(frmChild &window, const QString &what, document::DocumentEdit edit)
    : QUndoCommand(what)
    , m_window(window)
    , m_edit(std::move(edit))
{ }

void DocumentChange::undo()
{
    m_window.applyEdit(m_edit, false);
}

void DocumentChange::redo()
{
    if (m_made) {
        m_made = false;
        return;
    }
    m_window.applyEdit(m_edit, true);
}

} // namespace app
