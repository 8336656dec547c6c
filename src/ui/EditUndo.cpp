#include "app/LoadSequence.h"
#include "model/CompressorFile.h"
#include "model/MeterFile.h"
#include "texts/DisplayTexts.h"
#include "ui/Form1.h"
#include "ui/GridView.h"

#include <utility>

#include <QAction>
#include <QComboBox>
#include <QKeySequence>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QUndoCommand>
#include <QUndoStack>

namespace tarn {

// One step of the window's history: the core's record of what changed, applied through the
// window so that the views follow. The step is already done when it is pushed.
class EditCommand final : public QUndoCommand
{
public:
    EditCommand(Form1& form, EditStep step, int mergeId)
        : m_form(form), m_step(std::move(step)), m_mergeId(mergeId)
    {
    }

    void undo() override { m_form.applyEditStep(m_step, true); }
    void redo() override
    {
        if (m_pushed)
            m_form.applyEditStep(m_step, false);
        m_pushed = true;
    }
    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand* other) override
    {
        if (other->id() != m_mergeId)
            return false;
        m_step = mergeEdits(m_step, static_cast<const EditCommand*>(other)->m_step, m_form.m_model);
        // Stepped back to where it began: nothing is left to undo.
        setObsolete(!m_step.changesModel());
        return true;
    }

private:
    Form1& m_form;
    EditStep m_step;
    int m_mergeId;
    bool m_pushed = false;
};

namespace {

QAction* addShortcut(QWidget* window, const QList<QKeySequence>& keys)
{
    auto* action = new QAction(window);
    action->setShortcuts(keys);
    // The whole window answers, whichever widget has the focus; no widget changes for it.
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}

} // namespace

void Form1::connectShortcuts()
{
    m_undoStack = new QUndoStack(this);
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}) {
        if (!redoKeys.contains(key))
            redoKeys.append(key);
    }
    connect(addShortcut(this, QKeySequence::keyBindings(QKeySequence::Undo)), &QAction::triggered,
            m_undoStack, &QUndoStack::undo);
    connect(addShortcut(this, redoKeys), &QAction::triggered, m_undoStack, &QUndoStack::redo);
    connect(addShortcut(this, QKeySequence::keyBindings(QKeySequence::Save)), &QAction::triggered,
            this, &Form1::SaveCommand_Click);
    connect(addShortcut(this, QKeySequence::keyBindings(QKeySequence::Find)), &QAction::triggered,
            this, &Form1::openFindField);
}

void Form1::recordStep(const ConfigModel& before, const EditPlace& place, int mergeId)
{
    if (!m_undoStack)
        return;
    m_undoStack->push(new EditCommand(*this, recordEdit(before, m_model, place), mergeId));
    updateModifiedMark();
}

void Form1::applyEditStep(const EditStep& step, bool undo)
{
    // The lists and spinners set below run their handlers; those only show the step.
    m_applyingStep = true;
    if (undo)
        undoEdit(m_model, step);
    else
        redoEdit(m_model, step);

    const EditPlace& place = step.place;
    const auto m = static_cast<std::size_t>(place.mixer);
    m_tabs->setCurrentIndex(place.tab);
    switch (place.tab) {
    case EditPlace::AesMix:
    case EditPlace::IpMix: {
        if (selectedMixOutput(place.mixer) != place.output)
            m_mixOutputCombo[m]->setCurrentIndex(place.output);
        else
            MixOutputCombo_Click(place.mixer);
        crossPointGrid(place.mixer).setSelection(place.cells);
        break;
    }
    case EditPlace::Loops: {
        showLoopCells(place.mixer);
        loopsGrid(place.mixer).setSelection(place.cells);
        break;
    }
    case EditPlace::Meters:
        for (std::size_t i = 0; i < kMeterCount; ++i)
            m_meterCombo[i]->setCurrentIndex(
                meterPositionForByte(m_model.meter(static_cast<int>(i))));
        m_meterCombo[static_cast<std::size_t>(place.item)]->setFocus();
        break;
    case EditPlace::Compressor:
        for (std::size_t k = 0; k < kCompressorParams.size(); ++k) {
            const CompressorParam param = kCompressorParams[k];
            const std::int32_t value = m_model.compressor(compressorWordOf(param));
            m_upDown[k]->setValue(param == CompressorParam::Hold ? value / kHoldPerPosition
                                                                 : static_cast<int>(value));
        }
        m_upDown[static_cast<std::size_t>(place.item)]->setFocus();
        break;
    default:
        break;
    }
    m_applyingStep = false;
    updateModifiedMark();
}

void Form1::showLoopCells(int mixer)
{
    const ControlSet& set = m_load->sets[static_cast<std::size_t>(loopSetOf(mixer))];
    for (int l = 0; l < kLoopCount; ++l)
        loopsGrid(mixer).setText(l, 0, controlCellText(set, m_model.loopAssignment(mixer, l)));
}

bool Form1::isModified() const
{
    return m_loaded && !(m_model == m_savedModel);
}

// The caption is the described one while nothing changed, and ends in "*" otherwise.
void Form1::updateModifiedMark()
{
    setWindowTitle(isModified() ? m_caption + QLatin1Char('*') : m_caption);
}

} // namespace tarn
