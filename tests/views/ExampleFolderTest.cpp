#include "TestFolder.h"
#include "app/LoadSequence.h"
#include "views/ChannelNames.h"
#include "views/ViewTexts.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(ExampleFolder, NameListsReadAsWritten)
{
    const ChannelNames names = readChannelNames(test::exampleFolder());
    for (int m = 0; m < 2; ++m) {
        EXPECT_TRUE(names.inputsFileOpened[m]);
        EXPECT_TRUE(names.outputsFileOpened[m]);
        ASSERT_TRUE(names.loopNames[m].has_value());
    }
    EXPECT_EQ(names.inputNames[0][0], "Mic 1 Presenter");
    EXPECT_EQ(names.inputNames[0][24], QString::fromUtf16(u"R\u00e9gie return L"));
    EXPECT_EQ(names.inputNames[0][39], "Spare 40");
    EXPECT_EQ(names.outputNames[0][0], "PGM L");
    EXPECT_EQ(names.outputNames[0][31], "Tx backup R");
    EXPECT_EQ(names.inputNames[0][40], "Phone 1 mix-minus"); // output 9
    EXPECT_EQ(names.inputNames[1][0], "Stream 1 Guest remote");
    // The unused IP output 30 leaves input 62 to the fallback.
    EXPECT_EQ(names.outputNames[1][29], "");
    EXPECT_EQ(names.inputNames[1][61], "MIXER OUTPUT 29");

    EXPECT_EQ((*names.loopNames[0])[0], "Talkback, studio");
    EXPECT_EQ((*names.loopNames[0])[1], "Talkback, control room");
    EXPECT_EQ((*names.loopNames[0])[7], QString::fromUtf16(u"Schaltpult S\u00fcd, links"));
    EXPECT_EQ((*names.loopNames[1])[2], "Talkback, OB van");
    EXPECT_EQ((*names.loopNames[1])[7], "Intercom 2");
}

TEST(ExampleFolder, FreshStartShowsNoInvalidControl)
{
    const test::TestFolder folder;
    folder.copyExample();
    const auto load = LoadSequence(folder.path());

    for (int set = 0; set < kSetCount; ++set) {
        SCOPED_TRACE(set);
        EXPECT_TRUE(load->controlFiles[static_cast<std::size_t>(set)].opened);
        EXPECT_GT(load->sets[static_cast<std::size_t>(set)].entryCount(), 20);
    }
    for (int m = 0; m < kMixerCount; ++m) {
        SCOPED_TRACE(m);
        EXPECT_FALSE(load->mixFiles[static_cast<std::size_t>(m)].check.anyInvalid());
        const ControlSet& set = load->sets[static_cast<std::size_t>(crosspointSetOf(m))];
        EXPECT_NE(controlCellText(set, 0), kInvalidMarker);
        EXPECT_NE(controlCellText(set, 73), kInvalidMarker);
        EXPECT_NE(controlCellText(load->sets[static_cast<std::size_t>(loopSetOf(m))], 0),
                  kInvalidMarker);
    }
}

} // namespace
} // namespace tarn
