#include "texts/PlaceNames.h"

#include "controls/ControlSet.h"
#include "model/Index.h"
#include "texts/DisplayTexts.h"

namespace tarn {

namespace {

QString loopName(const ChannelNames& names, int mixer, int loop)
{
    const auto& loops = at(names.loopNames, mixer);
    return loops ? at((*loops), loop) : QString();
}

} // namespace

QString mixerName(int mixer)
{
    return mixer == 0 ? QStringLiteral("AES3") : QStringLiteral("IP");
}

QString slotName(int slot)
{
    return crosspointHeaders().at(slot + 1);
}

QString bareFileName(const char* backslashName)
{
    return QString::fromLatin1(backslashName).mid(1);
}

QString compressorFieldName(CompressorParam param)
{
    switch (param) {
    case CompressorParam::Attack:
        return QStringLiteral("attack");
    case CompressorParam::Hold:
        return QStringLiteral("hold");
    case CompressorParam::Decay:
        return QStringLiteral("decay");
    case CompressorParam::Gain:
        return QStringLiteral("gain");
    case CompressorParam::Threshold:
        return QStringLiteral("threshold");
    }
    return {};
}

QString oneLine(QString text)
{
    return text.replace(u'\n', QStringLiteral("\\n"));
}

QString quotedName(const QString& name)
{
    return u'"' + oneLine(name) + u'"';
}

QString quotedNames(const QString& a, const QString& b)
{
    return a == b ? quotedName(a) : quotedName(a) + QStringLiteral(" / ") + quotedName(b);
}

QString crosspointPlace(const ChannelNames& names, const ChannelNames& other, int mixer, int output,
                        int input, int slot)
{
    const auto m = static_cast<std::size_t>(mixer);
    const auto o = static_cast<std::size_t>(output);
    const auto i = static_cast<std::size_t>(input);
    // Concatenated, not arg()'d: names are free text and may hold "%1".
    return mixerName(mixer) + QStringLiteral(" output ") + QString::number(output + 1) + u' ' +
           quotedNames(names.outputNames[m][o], other.outputNames[m][o]) +
           QStringLiteral(", input ") + QString::number(input + 1) + u' ' +
           quotedNames(names.inputNames[m][i], other.inputNames[m][i]) + QStringLiteral(", ") +
           slotName(slot);
}

QString crosspointPlace(const ChannelNames& names, int mixer, int output, int input, int slot)
{
    return crosspointPlace(names, names, mixer, output, input, slot);
}

QString loopPlace(const ChannelNames& names, const ChannelNames& other, int mixer, int loop)
{
    return mixerName(mixer) + QStringLiteral(" loop ") + QString::number(loop + 1) + u' ' +
           quotedNames(loopName(names, mixer, loop), loopName(other, mixer, loop));
}

QString loopPlace(const ChannelNames& names, int mixer, int loop)
{
    return loopPlace(names, names, mixer, loop);
}

QString pointerWithControl(const ControlSet& set, int pointer)
{
    // The cell text minus the blank every cell text starts with.
    const QString shown = controlCellText(set, pointer).mid(1);
    return QString::number(pointer) + u' ' + (set.hasEntryFor(pointer) ? quotedName(shown) : shown);
}

} // namespace tarn
