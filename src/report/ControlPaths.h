#pragma once

#include <string>
#include <vector>

namespace tarn {

class ControlSet;

// The paths of a set's controls from their root down ("Desk faders > Desk A > Fader 2"), as
// escaped markup, each worked out once however many slots name it. A path longer than
// kPathCharacters keeps its root and as many of its last entries as fit, joined by " > … > ":
// a description file may nest thousands of levels deep, and a report names a control in
// every slot.
class ControlPaths
{
public:
    static constexpr int kPathCharacters = 40;

    explicit ControlPaths(const ControlSet& set);

    // The path of the entry that carries `pointer`; empty when no entry does.
    const std::string& path(int pointer);

private:
    std::string build(int index) const;

    const ControlSet& m_set;
    std::vector<int> m_roots; // the root of every entry, by index
    std::vector<std::string> m_paths;
    std::vector<bool> m_built;
};

} // namespace tarn
