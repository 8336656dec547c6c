#include "model/CompressorFile.h"

#include "model/Index.h"

namespace tarn {

namespace {

// Entries 0..111 as the unit ships them (about a sixth of a decibel apart, 32768 = 0 dB);
// the rest hold +18 dB.
constexpr std::array<std::int32_t, 112> kListedGains = {
    30934,  31534,  32145,  32767,  33402,  34049,  34709,  35382,  36067,  36766,  37478,  38204,
    38944,  39699,  40468,  41252,  42051,  42866,  43696,  44543,  45406,  46285,  47182,  48096,
    49028,  49978,  50946,  51933,  52939,  53965,  55010,  56076,  57162,  58270,  59399,  60549,
    61722,  62918,  64137,  65380,  66646,  67938,  69254,  70595,  71963,  73357,  74778,  76227,
    77704,  79209,  80744,  82308,  83903,  85528,  87185,  88874,  90596,  92351,  94140,  95964,
    97823,  99719,  101650, 103620, 105627, 107674, 109760, 111886, 114054, 116263, 118516, 120812,
    123152, 125538, 127970, 130449, 132977, 135553, 138179, 140856, 143585, 146367, 149202, 152093,
    155039, 158043, 161105, 164226, 167407, 170651, 173957, 177327, 180762, 184264, 187834, 191473,
    195182, 198964, 202818, 206748, 210753, 214836, 218998, 223241, 227566, 231975, 236469, 241050,
    245720, 250480, 255333, 260279,
};
constexpr std::int32_t kGainFill = 260285;

std::array<std::int32_t, kGainTableSize> makeDefaultGainTable()
{
    std::array<std::int32_t, kGainTableSize> table{};
    table.fill(kGainFill);
    for (std::size_t k = 0; k < kListedGains.size(); ++k)
        table[k] = kListedGains[k];
    return table;
}

} // namespace

const std::array<std::int32_t, kGainTableSize> kDefaultGainTable = makeDefaultGainTable();

void applyCompressorFileBytes(ConfigModel& model, QByteArrayView bytes)
{
    if (bytes.size() == kCompressorImageSize) {
        model.setCompressorImage(bytes);
        return;
    }
    for (int k = 0; k < kGainTableSize; ++k)
        model.setCompressorWord(k, at(kDefaultGainTable, k));
    model.setCompressor(CompressorWord::Attack, kDefaultAttack);
    model.setCompressor(CompressorWord::Hold, kDefaultHold);
    model.setCompressor(CompressorWord::Decay, kDefaultDecay);
    model.setCompressor(CompressorWord::Gain, kDefaultGain);
    model.setCompressor(CompressorWord::Threshold, kDefaultThreshold);
}

} // namespace tarn
