#include "ui/TabsPresenter.h"

#include "app/LoadSequence.h"
#include "editors/CompressorEditor.h"
#include "model/CompressorFile.h"
#include "model/Index.h"
#include "model/MeterFile.h"
#include "texts/DisplayTexts.h"
#include "texts/WindowTexts.h"
#include "ui/CompressorTab.h"
#include "ui/ControlsTree.h"
#include "ui/GridView.h"
#include "ui/LoopsTab.h"
#include "ui/MetersTab.h"
#include "ui/MixTab.h"

namespace tarn {

void TabsPresenter::showLoad()
{
    const ChannelNames& names = m_load->names;
    for (int m = 0; m < kMixerCount; ++m) {
        MixTab& mix = *at(m_tabs.mix, m);
        mix.controlsTree().showControlSet(&m_load->sets[crosspointSetOf(m)]);
        m_tabs.loops->controlsTree(m).showControlSet(&m_load->sets[loopSetOf(m)]);
        mix.showNames(crosspointHeaders(), crosspointRowLabels(names, m),
                      mixOutputEntries(names, m));
        m_tabs.loops->showNames(m, loopLabels(names, m));
        const auto& texts = at(m_load->loopCellTexts, m);
        for (int l = 0; l < kLoopCount; ++l)
            m_tabs.loops->showLoop(m, l, at(texts, l));
        m_toolTips.attachToCrossPoints(mix, m);
        m_toolTips.attachToLoops(m_tabs.loops->grid(m), m);
    }
    m_tabs.meters->showEntries(meterEntries(names));
    for (int i = 0; i < kMeterCount; ++i)
        m_tabs.meters->showPosition(i, at(m_load->meterPositions, i));
    for (const CompressorParam param : kCompressorParams)
        m_tabs.compressor->showPosition(param, m_load->compressorPositions[param]);
}

void TabsPresenter::forgetLoad()
{
    for (int m = 0; m < kMixerCount; ++m) {
        at(m_tabs.mix, m)->controlsTree().showControlSet(nullptr);
        m_tabs.loops->controlsTree(m).showControlSet(nullptr);
        at(m_tabs.mix, m)->clearOutputs();
    }
    m_tabs.meters->clearEntries();
}

void TabsPresenter::showMixOutput(int mixer)
{
    MixTab& tab = *at(m_tabs.mix, mixer);
    const int output = tab.selectedOutput();
    if (output < 0 || output >= kOutputCount)
        return;
    tab.showOutput(
        mixOutputCellTexts(m_model, at(m_load->sets, crosspointSetOf(mixer)), mixer, output));
}

void TabsPresenter::showLoops(int mixer)
{
    const ControlSet& set = at(m_load->sets, loopSetOf(mixer));
    for (int l = 0; l < kLoopCount; ++l)
        m_tabs.loops->showLoop(mixer, l, controlCellText(set, m_model.loopAssignment(mixer, l)));
}

void TabsPresenter::showMeters()
{
    for (int i = 0; i < kMeterCount; ++i)
        m_tabs.meters->showPosition(i, meterPositionForByte(m_model.meter(i)));
}

void TabsPresenter::showCompressor()
{
    for (const CompressorParam param : kCompressorParams) {
        const std::int32_t value = m_model.compressor(compressorWordOf(param));
        m_tabs.compressor->showPosition(param, param == CompressorParam::Hold
                                                   ? value / kHoldPerPosition
                                                   : static_cast<int>(value));
    }
}

void TabsPresenter::showWholeModel()
{
    for (int m = 0; m < kMixerCount; ++m) {
        showMixOutput(m);
        showLoops(m);
    }
    showMeters();
    showCompressor();
}

void TabsPresenter::showStep(const EditPlace& place)
{
    m_tabs.strip->setCurrentIndex(place.tab);
    switch (place.tab) {
    case EditPlace::AesMix:
    case EditPlace::IpMix: {
        MixTab& tab = *at(m_tabs.mix, place.mixer);
        if (tab.selectedOutput() != place.output)
            tab.selectOutput(place.output);
        else
            showMixOutput(place.mixer);
        tab.grid().setSelection(place.cells);
        break;
    }
    case EditPlace::Loops:
        showLoops(place.mixer);
        m_tabs.loops->grid(place.mixer).setSelection(place.cells);
        break;
    case EditPlace::Meters:
        showMeters();
        m_tabs.meters->focusMeter(place.item);
        break;
    case EditPlace::Compressor:
        showCompressor();
        m_tabs.compressor->focusParameter(static_cast<CompressorParam>(place.item));
        break;
    default:
        break;
    }
}

void TabsPresenter::revealCrossPoint(int mixer)
{
    const MixTab& tab = *at(m_tabs.mix, mixer);
    const CellRect cell = tab.grid().selection();
    const int output = tab.selectedOutput();
    if (output >= 0 && cell.row >= 0 && cell.row < kInputCount && cell.column >= 0 &&
        cell.column < kSlotCount)
        revealControl(crosspointSetOf(mixer), m_model.slot(mixer, output, cell.row, cell.column));
}

void TabsPresenter::revealLoop(int mixer)
{
    const int loop = m_tabs.loops->grid(mixer).selection().row;
    if (loop >= 0 && loop < kLoopCount)
        revealControl(loopSetOf(mixer), m_model.loopAssignment(mixer, loop));
}

void TabsPresenter::revealControl(int set, int pointer)
{
    if (pointer < 0 || pointer > kMaxPointer)
        return;
    const int index = at(m_load->sets, set).PointerToNode(pointer);
    if (index == 0)
        return;
    tree(set).revealEntry(index);
}

ControlsTree& TabsPresenter::tree(int set) const
{
    return set < kMixerCount ? at(m_tabs.mix, set)->controlsTree()
                             : m_tabs.loops->controlsTree(set - loopSetOf(0));
}

} // namespace tarn
