// libFuzzer target for the channel name lists: any bytes as an inputs, outputs and loops list.
#include "FuzzCheck.h"
#include "model/ConfigModel.h"
#include "texts/ChannelNames.h"

#include <cstddef>
#include <cstdint>

namespace {

qsizetype totalLength(const QStringList& texts)
{
    qsizetype total = 0;
    for (const QString& text : texts)
        total += text.size();
    return total;
}

// Asking for fewer lines or fields gives the start of the longer answer.
void checkPrefix(const QStringList& shorter, const QStringList& longer)
{
    FUZZ_CHECK(shorter.size() <= longer.size());
    for (qsizetype k = 0; k < shorter.size(); ++k)
        FUZZ_CHECK(shorter[k] == longer[k]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    const QStringList inputs = tarn::readNameLines(bytes, tarn::kNamedInputsFromFile);
    const QStringList outputs = tarn::readNameLines(bytes, tarn::kOutputCount);
    FUZZ_CHECK(inputs.size() == tarn::kNamedInputsFromFile);
    FUZZ_CHECK(outputs.size() == tarn::kOutputCount);
    checkPrefix(outputs, inputs);
    // Every byte gives at most one character, and line ends are never part of a name.
    FUZZ_CHECK(totalLength(inputs) <= bytes.size());
    for (const QString& name : inputs)
        FUZZ_CHECK(!name.contains(u'\r') && !name.contains(u'\n'));

    const QStringList loops = tarn::readLoopFields(bytes, tarn::kLoopCount);
    const QStringList moreLoops = tarn::readLoopFields(bytes, 2 * tarn::kLoopCount);
    FUZZ_CHECK(loops.size() == tarn::kLoopCount);
    FUZZ_CHECK(moreLoops.size() == 2 * tarn::kLoopCount);
    checkPrefix(loops, moreLoops);
    FUZZ_CHECK(totalLength(moreLoops) <= bytes.size());

    // The naming rule gives every input beyond the 40th a name.
    tarn::ChannelNames names;
    for (int m = 0; m < tarn::kMixerCount; ++m) {
        for (int k = 0; k < tarn::kNamedInputsFromFile; ++k)
            names.inputNames[m][k] = inputs[k];
        for (int k = 0; k < tarn::kOutputCount; ++k)
            names.outputNames[m][k] = outputs[k];
    }
    tarn::nameInputsAfterOutputs(names);
    for (int m = 0; m < tarn::kMixerCount; ++m) {
        for (int n = tarn::kNamedInputsFromFile; n < tarn::kInputCount; ++n) {
            const QString& name = names.inputNames[m][n];
            const QString& output = outputs[n - 32];
            FUZZ_CHECK(!name.isEmpty());
            FUZZ_CHECK(output.isEmpty() ? name.startsWith(QLatin1String("MIXER OUTPUT "))
                                        : name == output);
        }
        for (int k = 0; k < tarn::kNamedInputsFromFile; ++k)
            FUZZ_CHECK(names.inputNames[m][k] == inputs[k]);
    }
    return 0;
}
