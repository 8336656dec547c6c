#pragma once

#include "model/NameListFiles.h"

#include <array>
#include <optional>
#include <vector>

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace tarn {

inline constexpr int kNamedInputsFromFile = 40;

// The names read from the six channel name lists, after the naming rules (inputs 41..64 are
// named after outputs 9..32). Texts are decoded from Windows-1252.
struct ChannelNames
{
    std::array<std::array<QString, kInputCount>, kMixerCount> inputNames;
    std::array<std::array<QString, kOutputCount>, kMixerCount> outputNames;
    // Loop names per mixer; empty when that mixer's loops file could not be opened.
    std::array<std::optional<std::array<QString, kLoopCount>>, kMixerCount> loopNames;
    // Which of the six files were opened: inputs, outputs, loops per mixer.
    std::array<bool, kMixerCount> inputsFileOpened{};
    std::array<bool, kMixerCount> outputsFileOpened{};
    // Lists that exist but could not be read, with the reason.
    std::vector<FileProblem> problems;
};

// The first `count` lines of a name list; a line ends at CR, CR LF or a lone LF. Names are
// kept as they stand; missing lines are empty.
QStringList readNameLines(QByteArrayView bytes, int count);

// The first `count` comma-delimited fields of a loops list; a field that begins with a double
// quote runs to the next quote and may hold commas and line breaks. Blanks around an unquoted
// field are trimmed and blank lines give no field. Missing fields are empty.
QStringList readLoopFields(QByteArrayView bytes, int count);

// The names of the six lists (those that could not be read are skipped), with the rule for
// inputs 41..64 applied.
ChannelNames channelNamesFromLists(const NameListFiles& lists);

// Inputs 41..64 take the names of outputs 9..32, or "MIXER OUTPUT n" (n the output's
// zero-based index) where that name is empty.
void nameInputsAfterOutputs(ChannelNames& names);

} // namespace tarn
