#pragma once

#include "controls/ControlParser.h"

#include <vector>

#include <QJsonObject>
#include <QStringList>

namespace tarn {

// For each entry index (1..entryCount; slot 0 unused), every pointer that names the entry,
// ascending.
std::vector<std::vector<int>> pointersByEntry(const ControlSet& set);

// One line per entry in file order, indented two blanks per depth:
//   6 "Switch A" pointer 41, named by 40 41
QStringList controlTreeLines(const ControlSet& set);

// file:line: message, one per diagnostic.
QStringList diagnosticLines(const ControlFileResult& result, const QString& file);

// { "entries": [ { "index", "parent", "depth", "line", "text", "pointer", "pointers" } ],
//   "diagnostics": [ { "line", "message" } ] }; parent 0 for a root entry.
QJsonObject controlTreeJson(const ControlSet& set, const ControlFileResult& result);

} // namespace tarn
