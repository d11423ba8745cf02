#include <gtest/gtest.h>

#include "image/PaletteChoice.h"
#include "platform/DataPaths.h"

namespace {

constexpr int kColour1 = 32849;

CPaletteChoice::FileChooser Choosing(std::optional<std::string> answer, int* calls) {
    return [answer, calls](const std::string&) {
        ++*calls;
        return answer;
    };
}

TEST(PaletteChoice, SameItemTwiceSwitchesOff) {
    CPaletteChoice choice(CDataPaths("/start"));
    EXPECT_EQ(choice.m_nPalette, -1);
    EXPECT_EQ(choice.m_bPaletteOn, 0);
    EXPECT_TRUE(choice.m_strPalette.empty());
    choice.OnPaletteCommand(kIdPaletteGray1, nullptr);
    EXPECT_EQ(choice.m_bPaletteOn, 1);
    EXPECT_EQ(choice.m_strPalette, choice.PreparedFile(0));
    EXPECT_NE(choice.m_strPalette.find("gray1.lut"), std::string::npos);
    EXPECT_TRUE(choice.OnUpdatePaletteCommand(kIdPaletteGray1).checked);
    choice.OnPaletteCommand(kIdPaletteGray1, nullptr);
    EXPECT_EQ(choice.m_bPaletteOn, 0);
    EXPECT_FALSE(choice.OnUpdatePaletteCommand(kIdPaletteGray1).checked);
    EXPECT_TRUE(choice.OnUpdatePaletteCommand(kIdPaletteGray1).enabled);
    choice.OnPaletteCommand(kIdPaletteGray1, nullptr);  // and on again
    EXPECT_EQ(choice.m_bPaletteOn, 1);
}

TEST(PaletteChoice, OtherItemSwitchesOnAndMovesTheCheck) {
    CPaletteChoice choice(CDataPaths("/start"));
    choice.OnPaletteCommand(kIdPaletteGray1, nullptr);
    choice.OnPaletteCommand(kIdPaletteGray1, nullptr);  // off
    choice.OnPaletteCommand(kColour1, nullptr);
    EXPECT_EQ(choice.m_bPaletteOn, 1);
    EXPECT_EQ(choice.m_nPalette, 4);
    EXPECT_NE(choice.m_strPalette.find("color1.lut"), std::string::npos);
    for (int id = kIdPaletteGray1; id <= kIdPaletteCustom; ++id) {
        EXPECT_EQ(choice.OnUpdatePaletteCommand(id).checked, id == kColour1) << id;
    }
}

TEST(PaletteChoice, CustomItemAsksAndCancelKeepsThePath) {
    CPaletteChoice choice(CDataPaths("/start"));
    int calls = 0;
    choice.OnPaletteCommand(kIdPaletteCustom, Choosing("/home/a.lut", &calls));
    EXPECT_EQ(choice.m_strPalette, "/home/a.lut");
    choice.OnPaletteCommand(kIdPaletteCustom, Choosing("/never", &calls));  // off: no dialog
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(choice.m_bPaletteOn, 0);
    choice.OnPaletteCommand(kColour1, nullptr);
    choice.OnPaletteCommand(kIdPaletteCustom, Choosing(std::nullopt, &calls));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(choice.m_bPaletteOn, 1);
    EXPECT_NE(choice.m_strPalette.find("color1.lut"), std::string::npos);
    EXPECT_TRUE(choice.OnUpdatePaletteCommand(kIdPaletteCustom).checked);
}

TEST(PaletteChoice, IdsOutsideTheRangeAreIgnored) {
    CPaletteChoice choice(CDataPaths("/start"));
    choice.OnPaletteCommand(kIdPaletteGray1 - 1, nullptr);
    choice.OnPaletteCommand(kIdPaletteCustom + 1, nullptr);
    EXPECT_EQ(choice.m_nPalette, -1);
    EXPECT_EQ(choice.PreparedFile(8), "");
}

}  // namespace
