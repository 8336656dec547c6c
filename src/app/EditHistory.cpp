#include "app/EditHistory.h"

#include <array>

#include <QtEndian>

namespace tarn {

namespace {

constexpr std::array<ModelBlock, 5> kBlocks = {ModelBlock::Mix0, ModelBlock::Mix1,
                                               ModelBlock::LoopAssignments, ModelBlock::Meters,
                                               ModelBlock::Compressor};

// Differences closer than this are kept as one range: fewer, slightly longer records.
constexpr int kJoinGap = 8;

QByteArray loopAssignmentImage(const ConfigModel& model)
{
    QByteArray image(2 * kMixerCount * kLoopCount, '\0');
    for (int m = 0; m < kMixerCount; ++m)
        for (int l = 0; l < kLoopCount; ++l)
            qToLittleEndian<qint16>(model.loopAssignment(m, l),
                                    image.data() + 2 * (m * kLoopCount + l));
    return image;
}

QByteArray blockImage(const ConfigModel& model, ModelBlock block)
{
    switch (block) {
    case ModelBlock::Mix0:
        return model.mixImage(0);
    case ModelBlock::Mix1:
        return model.mixImage(1);
    case ModelBlock::LoopAssignments:
        return loopAssignmentImage(model);
    case ModelBlock::Meters:
        return model.meterImage();
    case ModelBlock::Compressor:
        return model.compressorImage();
    }
    return {};
}

void setBlockImage(ConfigModel& model, ModelBlock block, const QByteArray& image)
{
    switch (block) {
    case ModelBlock::Mix0:
        model.setMixImage(0, image);
        break;
    case ModelBlock::Mix1:
        model.setMixImage(1, image);
        break;
    case ModelBlock::LoopAssignments:
        for (int m = 0; m < kMixerCount; ++m)
            for (int l = 0; l < kLoopCount; ++l)
                model.setLoopAssignment(
                    m, l, qFromLittleEndian<qint16>(image.constData() + 2 * (m * kLoopCount + l)));
        break;
    case ModelBlock::Meters:
        model.setMeterImage(image);
        break;
    case ModelBlock::Compressor:
        model.setCompressorImage(image);
        break;
    }
}

void diffBlock(const QByteArray& before, const QByteArray& after, ModelBlock block,
               std::vector<BlockChange>& changes)
{
    const int size = static_cast<int>(before.size());
    int k = 0;
    while (k < size) {
        if (before[k] == after[k]) {
            ++k;
            continue;
        }
        const int start = k;
        int end = k + 1; // one past the last differing byte
        for (int j = end; j < size && j < end + kJoinGap; ++j) {
            if (before[j] != after[j])
                end = j + 1;
        }
        changes.push_back(
            {block, start, before.mid(start, end - start), after.mid(start, end - start)});
        k = end;
    }
}

void apply(ConfigModel& model, const EditStep& step, bool undo)
{
    for (const ModelBlock block : kBlocks) {
        QByteArray image;
        for (const BlockChange& change : step.changes) {
            if (change.block != block)
                continue;
            if (image.isEmpty())
                image = blockImage(model, block);
            image.replace(change.offset, change.before.size(), undo ? change.before : change.after);
        }
        if (!image.isEmpty())
            setBlockImage(model, block, image);
    }
}

} // namespace

int EditStep::byteCount() const
{
    int bytes = 0;
    for (const BlockChange& change : changes)
        bytes += static_cast<int>(change.before.size() + change.after.size());
    return bytes;
}

EditStep recordEdit(const ConfigModel& before, const ConfigModel& after, const EditPlace& place)
{
    EditStep step{place, {}};
    for (const ModelBlock block : kBlocks)
        diffBlock(blockImage(before, block), blockImage(after, block), block, step.changes);
    return step;
}

void undoEdit(ConfigModel& model, const EditStep& step)
{
    apply(model, step, true);
}

void redoEdit(ConfigModel& model, const EditStep& step)
{
    apply(model, step, false);
}

EditStep mergeEdits(const EditStep& first, const EditStep& second, const ConfigModel& current)
{
    ConfigModel start = current;
    undoEdit(start, second);
    undoEdit(start, first);
    return recordEdit(start, current, second.place);
}

} // namespace tarn
