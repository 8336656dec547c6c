#pragma once

#include "app/EditHistory.h"

#include <functional>
#include <utility>

#include <QUndoCommand>

namespace tarn {

// One step of the window's history: the core's record of what changed, applied through the
// window so that the views follow. The step is already done when it is pushed. Steps with the
// same merge id in a row are one step; -1 merges none.
class EditCommand final : public QUndoCommand
{
public:
    using Apply = std::function<void(const EditStep& step, bool undo)>;

    EditCommand(Apply apply, EditStep step, const ConfigModel& model, int mergeId = -1)
        : m_apply(std::move(apply)), m_step(std::move(step)), m_model(model), m_mergeId(mergeId)
    {
    }

    void undo() override { m_apply(m_step, true); }
    void redo() override
    {
        if (m_pushed)
            m_apply(m_step, false);
        m_pushed = true;
    }
    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    Apply m_apply;
    EditStep m_step;
    const ConfigModel& m_model;
    int m_mergeId;
    bool m_pushed = false;
};

} // namespace tarn
