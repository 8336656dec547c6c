#pragma once

#include <array>
#include <string>

namespace tarn {

class ControlPaths;
class ControlSet;
struct FolderLoad;

// What a slot holds, as the overview colours it. A pointer without an entry is invalid even
// when it is 0 or 73: that is what the editor flags.
enum class SlotKind { Mute, Unity, Other, Invalid };
inline constexpr int kSlotKindCount = 4;
using SlotKindCounts = std::array<int, kSlotKindCount>;

SlotKind slotKind(const ControlSet& set, int pointer);
// "MUTE", "0dB", "other control", "invalid"; and the CSS class of the colour.
const char* slotKindName(SlotKind kind);
const char* slotKindClass(SlotKind kind);

// Appends the SVG picture of one mixer: its 32 mix outputs (rows) against its 64 mix inputs
// (columns), each crosspoint as its four slots A B over C D, coloured by kind and each with
// a tooltip such as "out 5, in 12, C: Desk faders > Desk A > Fader 2 [17]" (output, input,
// slot, control path or the invalid marker, pointer). Returns the count per kind.
SlotKindCounts appendCrosspointOverview(std::string& out, const FolderLoad& load, int mixer,
                                        ControlPaths& paths);

} // namespace tarn
