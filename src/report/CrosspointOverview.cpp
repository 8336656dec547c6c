#include "report/CrosspointOverview.h"

#include "app/LoadSequence.h"
#include "model/Index.h"
#include "model/MixFile.h"
#include "report/ControlPaths.h"
#include "report/HtmlText.h"
#include "texts/DisplayTexts.h"
#include "texts/PlaceNames.h"

#include <string_view>

namespace tarn {

namespace {

// Picture units: a slot is 5 wide, one blank between the slots of a crosspoint and two
// between crosspoints; labels take the left and top margins.
constexpr int kSlotSize = 5;
constexpr int kCrosspointPitch = 2 * kSlotSize + 3;
constexpr int kLeft = 200;
constexpr int kTop = 160;
constexpr int kWidth = kLeft + kInputCount * kCrosspointPitch + 8;
constexpr int kHeight = kTop + kOutputCount * kCrosspointPitch + 8;
constexpr int kGroup = 8;

void appendLabel(std::string& out, const QString& label)
{
    appendHtmlText(out, label);
    out += "<title>";
    appendHtmlText(out, label);
    out += "</title>";
}

void appendLabels(std::string& out, const FolderLoad& load, int mixer)
{
    const QStringList outputs = mixOutputEntries(load.names, mixer);
    out += "<g class=\"rows\">";
    for (int o = 0; o < kOutputCount; ++o) {
        out += "<text x=\"";
        appendNumber(out, kLeft - 6);
        out += "\" y=\"";
        appendNumber(out, kTop + o * kCrosspointPitch + kSlotSize + 4);
        out += "\">";
        appendLabel(out, outputs.at(o));
        out += "</text>";
    }
    out += "</g><g class=\"columns\">";
    const QStringList inputs = crosspointRowLabels(load.names, mixer);
    for (int i = 0; i < kInputCount; ++i) {
        out += "<text transform=\"translate(";
        appendNumber(out, kLeft + i * kCrosspointPitch + kSlotSize + 4);
        out += ' ';
        appendNumber(out, kTop - 6);
        out += ") rotate(-90)\">";
        appendLabel(out, inputs.at(i));
        out += "</text>";
    }
    out += "</g>";
}

void appendGroupLines(std::string& out)
{
    out += "<g class=\"groups\">";
    for (int i = 0; i <= kInputCount; i += kGroup) {
        const int x = kLeft + i * kCrosspointPitch - 2;
        out += "<path d=\"M";
        appendNumber(out, x);
        out += ' ';
        appendNumber(out, kTop - 2);
        out += "V";
        appendNumber(out, kTop + kOutputCount * kCrosspointPitch - 1);
        out += "\"/>";
    }
    for (int o = 0; o <= kOutputCount; o += kGroup) {
        const int y = kTop + o * kCrosspointPitch - 2;
        out += "<path d=\"M";
        appendNumber(out, kLeft - 2);
        out += ' ';
        appendNumber(out, y);
        out += "H";
        appendNumber(out, kLeft + kInputCount * kCrosspointPitch - 1);
        out += "\"/>";
    }
    out += "</g>";
}

void appendCorner(std::string& out, int mixer)
{
    out += "<g class=\"corner\"><text x=\"8\" y=\"20\">";
    appendHtmlText(out, mixerName(mixer));
    out += " MIX</text><text x=\"8\" y=\"40\">rows: mix outputs</text>"
           "<text x=\"8\" y=\"56\">columns: mix inputs</text>"
           "<text x=\"8\" y=\"84\">each crosspoint:</text>"
           "<text x=\"8\" y=\"100\">A B</text><text x=\"8\" y=\"114\">C D</text></g>";
}

} // namespace

SlotKind slotKind(const ControlSet& set, int pointer)
{
    if (!set.hasEntryFor(pointer))
        return SlotKind::Invalid;
    if (pointer == kMutePointer)
        return SlotKind::Mute;
    if (pointer == kUnityPointer)
        return SlotKind::Unity;
    return SlotKind::Other;
}

const char* slotKindName(SlotKind kind)
{
    constexpr const char* names[] = {"MUTE", "0dB", "other control", "invalid"};
    return names[static_cast<int>(kind)];
}

const char* slotKindClass(SlotKind kind)
{
    constexpr const char* classes[] = {"k0", "k1", "k2", "k3"};
    return classes[static_cast<int>(kind)];
}

SlotKindCounts appendCrosspointOverview(std::string& out, const FolderLoad& load, int mixer,
                                        ControlPaths& paths)
{
    const ControlSet& set = at(load.sets, crosspointSetOf(mixer));
    SlotKindCounts counts{};
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"overview\" viewBox=\"0 0 ";
    appendNumber(out, kWidth);
    out += ' ';
    appendNumber(out, kHeight);
    out += "\" role=\"img\"><title>";
    appendHtmlText(out, mixerName(mixer));
    out += " MIX: the four slots of every crosspoint</title>";
    appendCorner(out, mixer);
    appendGroupLines(out);
    appendLabels(out, load, mixer);
    out += "<g class=\"slots\">";
    for (int o = 0; o < kOutputCount; ++o) {
        for (int i = 0; i < kInputCount; ++i) {
            for (int s = 0; s < kSlotCount; ++s) {
                const int pointer = load.model.slot(mixer, o, i, s);
                const SlotKind kind = slotKind(set, pointer);
                ++at(counts, kind);
                out += "<path class=\"";
                out += slotKindClass(kind);
                out += "\" d=\"M";
                appendNumber(out, kLeft + i * kCrosspointPitch + (s % 2) * (kSlotSize + 1));
                out += ' ';
                appendNumber(out, kTop + o * kCrosspointPitch + (s / 2) * (kSlotSize + 1));
                out += "h5v5h-5z\"><title>out ";
                appendNumber(out, o + 1);
                out += ", in ";
                appendNumber(out, i + 1);
                out += ", ";
                out += static_cast<char>('A' + s);
                out += ": ";
                out += kind == SlotKind::Invalid ? std::string_view(kInvalidMarker + 1)
                                                 : std::string_view(paths.path(pointer));
                out += " [";
                appendNumber(out, pointer);
                out += ']';
                out += "</title></path>";
            }
        }
    }
    out += "</g></svg>";
    return counts;
}

} // namespace tarn
