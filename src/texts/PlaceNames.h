#pragma once

#include "editors/CompressorEditor.h"
#include "texts/ChannelNames.h"

#include <QString>

namespace tarn {

class ControlSet;

// How reports name the places of a configuration: mixers, crosspoints, loops, controls.

// "AES3" or "IP".
QString mixerName(int mixer);
// "CONTROL A" .. "CONTROL D".
QString slotName(int slot);
// A file's name without the folder, e.g. "aes3mix.trn".
QString bareFileName(const char* backslashName);
// The name of a compressor parameter in documents and reports: "attack", "hold", ...
QString compressorFieldName(CompressorParam param);
// Report lines keep to one line: a line feed inside a text (a description file with LF line
// ends is one line to the parser; a quoted loop name may span lines) is shown as \n.
QString oneLine(QString text);
// A name in double quotes, so that empty names and blanks stay visible; two different names
// (one per folder) as "a" / "b".
QString quotedName(const QString& name);
QString quotedNames(const QString& a, const QString& b);

// AES3 output 5 "PGM L", input 12 "Mic 12", CONTROL B; names from `other` are added where
// they differ.
QString crosspointPlace(const ChannelNames& names, const ChannelNames& other, int mixer, int output,
                        int input, int slot);
QString crosspointPlace(const ChannelNames& names, int mixer, int output, int input, int slot);
// AES3 loop 3 "Cue L" (an empty name when the folder has no loops file).
QString loopPlace(const ChannelNames& names, const ChannelNames& other, int mixer, int loop);
QString loopPlace(const ChannelNames& names, int mixer, int loop);

// 17 "Fader 2", or 400 ----INVALID---- when no entry of `set` carries the pointer.
QString pointerWithControl(const ControlSet& set, int pointer);

} // namespace tarn
