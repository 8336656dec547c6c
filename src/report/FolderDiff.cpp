#include "report/FolderDiff.h"

#include "app/LoadSequence.h"
#include "model/Index.h"
#include "texts/DisplayTexts.h"
#include "texts/PlaceNames.h"

namespace tarn {

namespace {

const QString kArrow = QStringLiteral(" -> ");

QString changed(const QString& place, const QString& a, const QString& b)
{
    return place + QStringLiteral(": ") + a + kArrow + b;
}

void diffSlots(const FolderLoad& a, const FolderLoad& b, std::vector<Difference>& out)
{
    for (int m = 0; m < kMixerCount; ++m) {
        const ControlSet& setA = at(a.sets, crosspointSetOf(m));
        const ControlSet& setB = at(b.sets, crosspointSetOf(m));
        for (int o = 0; o < kOutputCount; ++o) {
            for (int i = 0; i < kInputCount; ++i) {
                for (int s = 0; s < kSlotCount; ++s) {
                    const int pa = a.model.slot(m, o, i, s);
                    const int pb = b.model.slot(m, o, i, s);
                    if (pa == pb)
                        continue;
                    out.push_back(
                        {DifferenceKind::Slot,
                         changed(crosspointPlace(a.names, b.names, m, o, i, s),
                                 pointerWithControl(setA, pa), pointerWithControl(setB, pb))});
                }
            }
        }
    }
}

void diffLoops(const FolderLoad& a, const FolderLoad& b, std::vector<Difference>& out)
{
    for (int m = 0; m < kMixerCount; ++m) {
        const ControlSet& setA = at(a.sets, loopSetOf(m));
        const ControlSet& setB = at(b.sets, loopSetOf(m));
        for (int l = 0; l < kLoopCount; ++l) {
            const int pa = a.model.loopAssignment(m, l);
            const int pb = b.model.loopAssignment(m, l);
            if (pa == pb)
                continue;
            out.push_back({DifferenceKind::Loop,
                           changed(loopPlace(a.names, b.names, m, l), pointerWithControl(setA, pa),
                                   pointerWithControl(setB, pb))});
        }
    }
}

void diffMeters(const FolderLoad& a, const FolderLoad& b, std::vector<Difference>& out)
{
    const QStringList entriesA = meterEntries(a.names);
    const QStringList entriesB = meterEntries(b.names);
    const auto shown = [](const FolderLoad& load, const QStringList& entries, int meter) {
        return QString::number(load.model.meter(meter)) + u' ' +
               quotedName(entries.at(at(load.meterPositions, meter)));
    };
    for (int i = 0; i < kMeterCount; ++i) {
        if (a.model.meter(i) == b.model.meter(i))
            continue;
        out.push_back({DifferenceKind::Meter,
                       changed(meterCaption(i + 1), shown(a, entriesA, i), shown(b, entriesB, i))});
    }
}

QString compressorWordName(int word)
{
    for (const CompressorParam param : kCompressorParams) {
        if (static_cast<int>(compressorWordOf(param)) == word)
            return compressorFieldName(param);
    }
    if (word < kGainTableSize)
        return QStringLiteral("gainTable[%1]").arg(word);
    return QStringLiteral("reserved[%1]").arg(word - kReservedFirstWord);
}

void diffCompressor(const FolderLoad& a, const FolderLoad& b, std::vector<Difference>& out)
{
    for (int k = 0; k < kCompressorWordCount; ++k) {
        const std::int32_t wa = a.model.compressorWord(k);
        const std::int32_t wb = b.model.compressorWord(k);
        if (wa == wb)
            continue;
        out.push_back({DifferenceKind::CompressorWord,
                       changed(QStringLiteral("compressor ") + compressorWordName(k),
                               QString::number(wa), QString::number(wb))});
    }
}

} // namespace

std::vector<Difference> diffFolders(const FolderLoad& a, const FolderLoad& b)
{
    std::vector<Difference> differences;
    diffSlots(a, b, differences);
    diffLoops(a, b, differences);
    diffMeters(a, b, differences);
    diffCompressor(a, b, differences);
    return differences;
}

} // namespace tarn
