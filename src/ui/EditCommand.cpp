#include "ui/EditCommand.h"

namespace tarn {

bool EditCommand::mergeWith(const QUndoCommand* other)
{
    if (other->id() != m_mergeId)
        return false;
    m_step = mergeEdits(m_step, static_cast<const EditCommand*>(other)->m_step, m_model);
    // Stepped back to where it began: nothing is left to undo.
    setObsolete(!m_step.changesModel());
    return true;
}

} // namespace tarn
