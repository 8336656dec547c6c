#include "ui/EditCommand.h"

#include <utility>

namespace tarn {

EditCommand::EditCommand(Apply apply, EditStep step, const ConfigModel& model, int mergeId)
    : m_apply(std::move(apply)), m_step(std::move(step)), m_model(model), m_mergeId(mergeId)
{
}

void EditCommand::undo()
{
    m_apply(m_step, true);
}

void EditCommand::redo()
{
    if (m_pushed)
        m_apply(m_step, false);
    m_pushed = true;
}

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
