#include "controls/ControlSearch.h"

#include "controls/ControlSet.h"

#include <string>

#include <QStringList>

#include <gtest/gtest.h>

namespace tarn {
namespace {

// Desk faders > Desk A > Fader 1 (16), Fader 2 (17); Desk faders > Desk B > FADER 20 (40);
// Switching > Mute (0), Top (32767), with Desk B's entries added after Switching so that index
// order and tree order differ.
class SearchSet
{
public:
    SearchSet()
    {
        const int desk = set.appendRoot("Desk faders");
        const int a = set.appendChild(desk, "Desk A");
        point(set.appendChild(a, "Fader 1"), 16);
        point(set.appendChild(a, "Fader 2"), 17);
        const int switching = set.appendRoot("Switching");
        point(set.appendChild(switching, "Mute"), 0);
        point(set.appendChild(switching, "Top"), 32767);
        const int b = set.appendChild(desk, "Desk B");
        point(set.appendChild(b, "FADER 20"), 40);
        set.rebuildNodeToPointer();
    }

    QStringList texts(const std::vector<int>& indexes) const
    {
        QStringList result;
        for (const int index : indexes)
            result << set.entry(index).text();
        return result;
    }

    ControlSet set;

private:
    void point(int index, int pointer) { set.setPointerToNode(pointer, index); }
};

struct FindRow
{
    const char* id;
    QString text;
    QStringList found;
};

using ControlSearchTest = ::testing::TestWithParam<FindRow>;

TEST_P(ControlSearchTest, FindsEntriesInTreeOrder)
{
    const SearchSet fixture;
    const ControlSearch search(fixture.set);
    EXPECT_EQ(fixture.texts(search.find(GetParam().text)), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ControlSearchTest,
    ::testing::Values(
        FindRow{"AnyCase", "fader", {"Desk faders", "Fader 1", "Fader 2", "FADER 20"}},
        FindRow{"InsideTheText", "der 2", {"Fader 2", "FADER 20"}},
        // Desk B's entries come after Switching in the file, yet before it in the tree.
        FindRow{"TreeOrderNotFileOrder", "S", {"Desk faders", "Desk A", "Desk B", "Switching"}},
        FindRow{"Pointer", "#17", {"Fader 2"}}, FindRow{"PointerZero", "#0", {"Mute"}},
        FindRow{"HighestPointer", "#32767", {"Top"}},
        FindRow{"LeadingZeros", "#00017", {"Fader 2"}}, FindRow{"PointerWithoutEntry", "#18", {}},
        FindRow{"PointerOutOfRange", "#99999", {}}, FindRow{"HashAndText", "#1a", {}},
        FindRow{"Empty", QString(), {}}, FindRow{"NoMatch", "Fader 3", {}},
        FindRow{"ControlCharacters", QString::fromUtf16(u"\u0000\uFFFF\xD800"), {}},
        FindRow{"LongerThanAnyText", QString(5000, QLatin1Char('a')), {}}),
    [](const auto& info) { return std::string(info.param.id); });

} // namespace
} // namespace tarn
