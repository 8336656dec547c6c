#include "controls/ControlSearch.h"

#include "controls/ControlSet.h"

#include <string>

#include <QStringList>

#include <gtest/gtest.h>

namespace tarn {
namespace {

// Desk faders > Desk A > Fader 1 (16), Fader 2 (17); Desk faders > Desk B > FADER 20 (40);
// Switching > Mute (0), with Desk B's entries added after Switching so that index order and
// tree order differ.
class SearchSet
{
public:
    SearchSet()
    {
        const int desk = set.appendRoot(QStringLiteral("Desk faders"));
        const int a = set.appendChild(desk, QStringLiteral("Desk A"));
        point(set.appendChild(a, QStringLiteral("Fader 1")), 16);
        point(set.appendChild(a, QStringLiteral("Fader 2")), 17);
        const int switching = set.appendRoot(QStringLiteral("Switching"));
        point(set.appendChild(switching, QStringLiteral("Mute")), 0);
        const int b = set.appendChild(desk, QStringLiteral("Desk B"));
        point(set.appendChild(b, QStringLiteral("FADER 20")), 40);
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
    ::testing::Values(FindRow{"AnyCase",
                              QStringLiteral("fader"),
                              {QStringLiteral("Desk faders"), QStringLiteral("Fader 1"),
                               QStringLiteral("Fader 2"), QStringLiteral("FADER 20")}},
                      FindRow{"InsideTheText",
                              QStringLiteral("der 2"),
                              {QStringLiteral("Fader 2"), QStringLiteral("FADER 20")}},
                      FindRow{"Pointer", QStringLiteral("#17"), {QStringLiteral("Fader 2")}},
                      FindRow{"PointerZero", QStringLiteral("#0"), {QStringLiteral("Mute")}},
                      FindRow{"PointerWithoutEntry", QStringLiteral("#18"), {}},
                      FindRow{"PointerOutOfRange", QStringLiteral("#99999"), {}},
                      FindRow{"HashAndText", QStringLiteral("#1a"), {}},
                      FindRow{"Empty", QString(), {}},
                      FindRow{"NoMatch", QStringLiteral("Fader 3"), {}},
                      FindRow{"Control characters", QString::fromUtf16(u"\u0000\uFFFF\xD800"), {}},
                      FindRow{"LongerThanAnyText", QString(5000, QLatin1Char('a')), {}}),
    [](const auto& info) {
        std::string name = info.param.id;
        std::erase(name, ' ');
        return name;
    });

TEST(ControlSearch, TreeOrderVisitsChildrenBeforeLaterRoots)
{
    const SearchSet fixture;
    const ControlSearch search(fixture.set);
    EXPECT_EQ(fixture.texts(search.treeOrder()),
              (QStringList{"Desk faders", "Desk A", "Fader 1", "Fader 2", "Desk B", "FADER 20",
                           "Switching", "Mute"}));
}

} // namespace
} // namespace tarn
