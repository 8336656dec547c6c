#include "texts/DisplayTexts.h"

#include "controls/ControlSet.h"
#include "model/Index.h"
#include "model/Rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarn {

namespace {

constexpr char kRowSeparator[] = " | ";
constexpr char kLoopSeparator[] = " |";
constexpr char kMeterCaption[] = "Meter";
constexpr char kMeterInputPrefix[] = "MIX INPUT ";
// The unit's own spelling, which users know from its displays.
constexpr char kMeterOutputPrefix[] = "MIX OUPUT";
constexpr char kMeterNameSeparator[] = " : ";
constexpr int kMeteredInputs = 64;
constexpr int kMeteredOutputs = 32;

} // namespace

QString paddedNumber(int n)
{
    return QLatin1Char(' ') + QString::number(n).rightJustified(2, QLatin1Char('0'));
}

QStringList crosspointHeaders()
{
    return {QLatin1String(kMixInputsHeader), QStringLiteral("CONTROL A"),
            QStringLiteral("CONTROL B"), QStringLiteral("CONTROL C"), QStringLiteral("CONTROL D")};
}

QString crosspointRowLabel(int row, const QString& inputName)
{
    return paddedNumber(row) + QLatin1String(kRowSeparator) + inputName;
}

QString mixOutputEntry(int output, const QString& outputName)
{
    return paddedNumber(output) + QLatin1String(kRowSeparator) + outputName;
}

QString loopLabel(int row, const std::optional<QString>& loopName)
{
    QString label = paddedNumber(row) + QLatin1String(kLoopSeparator);
    // Without a loops file the label stays number-only; with one, even an empty name adds " ".
    if (loopName)
        label += QLatin1Char(' ') + *loopName;
    return label;
}

QStringList crosspointRowLabels(const ChannelNames& names, int mixer)
{
    QStringList labels;
    const auto& inputs = at(names.inputNames, mixer);
    for (std::size_t k = 0; k < inputs.size(); ++k)
        labels.append(crosspointRowLabel(static_cast<int>(k) + 1, inputs[k]));
    return labels;
}

QStringList mixOutputEntries(const ChannelNames& names, int mixer)
{
    QStringList entries;
    const auto& outputs = at(names.outputNames, mixer);
    for (std::size_t k = 0; k < outputs.size(); ++k)
        entries.append(mixOutputEntry(static_cast<int>(k) + 1, outputs[k]));
    return entries;
}

QStringList loopLabels(const ChannelNames& names, int mixer)
{
    QStringList labels;
    const auto& loops = at(names.loopNames, mixer);
    for (int r = 1; r <= 8; ++r) {
        std::optional<QString> name;
        if (loops)
            name = at((*loops), r - 1);
        labels.append(loopLabel(r, name));
    }
    return labels;
}

QString meterCaption(int meter)
{
    return QLatin1String(kMeterCaption) + paddedNumber(meter);
}

QStringList meterEntries(const ChannelNames& names)
{
    // Only the AES3 mixer can be metered.
    const auto& inputs = names.inputNames[0];
    const auto& outputs = names.outputNames[0];
    QStringList entries;
    entries.reserve(kMeterEntryCount);
    entries.append(QLatin1String(kDisabledEntry));
    for (int n = 1; n <= kMeteredInputs; ++n) {
        entries.append(QLatin1String(kMeterInputPrefix) + paddedNumber(n) +
                       QLatin1String(kMeterNameSeparator) + at(inputs, n - 1));
    }
    for (int n = 1; n <= kMeteredOutputs; ++n) {
        entries.append(QLatin1String(kMeterOutputPrefix) + paddedNumber(n) +
                       QLatin1String(kMeterNameSeparator) + at(outputs, n - 1));
    }
    return entries;
}

QString assignedCellText(const QString& entryText)
{
    return QLatin1Char(' ') + entryText;
}

QString controlCellText(const ControlSet& set, int pointer)
{
    const int index = set.PointerToNode(pointer);
    if (index == 0)
        return QLatin1String(kInvalidMarker);
    return assignedCellText(set.text(index));
}

int columnWidthTwips(int longestChars, double twipsPerPixel)
{
    const double chars = longestChars < 0 ? 0.0 : static_cast<double>(longestChars);
    const double twips = roundHalfEven((chars + 2.0) * kCharacterPixels * twipsPerPixel);
    // A name of millions of characters must not overflow the width.
    if (!(twips < static_cast<double>(std::numeric_limits<int>::max())))
        return std::numeric_limits<int>::max();
    return static_cast<int>(twips);
}

int columnWidthTwips(const QStringList& texts, double twipsPerPixel)
{
    qsizetype longest = 0;
    for (const QString& text : texts)
        longest = std::max(longest, text.size());
    const qsizetype limit = std::numeric_limits<int>::max();
    return columnWidthTwips(static_cast<int>(std::min(longest, limit)), twipsPerPixel);
}

} // namespace tarn
