#pragma once

#include "texts/ChannelNames.h"

#include <optional>

#include <QString>
#include <QStringList>

namespace tarn {

class ControlSet;

inline constexpr char kInvalidMarker[] = " ----INVALID----";
inline constexpr char kDisabledEntry[] = "DISABLED";
inline constexpr char kMixInputsHeader[] = "MIX INPUTS";
inline constexpr char kLoopHeader[] = "LOOP";
inline constexpr int kMeterEntryCount = 97;
inline constexpr int kCharacterPixels = 6;

// " 07", " 40": a blank and at least two digits.
QString paddedNumber(int n);

// Row 0 of a crosspoint grid: "MIX INPUTS", "CONTROL A" .. "CONTROL D".
QStringList crosspointHeaders();
// Column 0 of crosspoint grid row r (1..64).
QString crosspointRowLabel(int row, const QString& inputName);
// Mix output list entry for output k (1..32).
QString mixOutputEntry(int output, const QString& outputName);
// Column 0 of loops grid row r (1..8); with a loops file the name is appended after " ".
QString loopLabel(int row, const std::optional<QString>& loopName);
// The same texts for all rows or entries of one mixer (0 AES3, 1 IP).
QStringList crosspointRowLabels(const ChannelNames& names, int mixer); // 64
QStringList mixOutputEntries(const ChannelNames& names, int mixer);    // 32
QStringList loopLabels(const ChannelNames& names, int mixer);          // 8
// "Meter 01" .. "Meter 16" for meter i (1..16).
QString meterCaption(int meter);
// The 97 entries of every meter list: "DISABLED", 64 AES3 mix inputs, 32 AES3 mix outputs.
QStringList meterEntries(const ChannelNames& names);

// A grid cell showing an assigned control: one blank and the text it is given.
QString assignedCellText(const QString& entryText);
// A grid cell showing a pointer of `set`: one blank and the entry's text, or the invalid marker.
QString controlCellText(const ControlSet& set, int pointer);

// Twips for (chars + 2) x 6 pixels, halves to even.
int columnWidthTwips(int longestChars, double twipsPerPixel);
// The same for the longest of `texts` (0 when all are empty).
int columnWidthTwips(const QStringList& texts, double twipsPerPixel);

} // namespace tarn
