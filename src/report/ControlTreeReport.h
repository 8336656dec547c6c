#pragma once

#include "controls/ControlParser.h"

#include <span>
#include <vector>

#include <QStringList>

namespace tarn {

class JsonWriter;

class JsonWriter;

// For each entry index (1..entryCount), every pointer that names the entry, ascending; kept in
// one array, since a set may hold 32767 entries.
class PointersByEntry
{
public:
    explicit PointersByEntry(const ControlSet& set);
    std::span<const int> of(int index) const
    {
        const auto k = static_cast<std::size_t>(index);
        return std::span<const int>(m_pointers).subspan(m_start[k], m_start[k + 1] - m_start[k]);
    }

private:
    std::vector<std::size_t> m_start;
    std::vector<int> m_pointers;
};

// One line per entry in file order, indented two blanks per depth:
//   6 "Switch A" pointer 41, named by 40 41
QStringList controlTreeLines(const ControlSet& set);

// file:line: message, one per diagnostic.
QStringList diagnosticLines(const ControlFileResult& result, const QString& file);

// { "entries": [ { "index", "parent", "depth", "line", "text", "pointer", "pointers" } ],
//   "diagnostics": [ { "line", "message" } ] }; parent 0 for a root entry.
void controlTreeJson(const ControlSet& set, const ControlFileResult& result, JsonWriter& json);

} // namespace tarn
