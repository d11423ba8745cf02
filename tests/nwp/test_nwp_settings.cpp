// The level loop, the label text, the renderer's options and the colours of
// overlays added beside others.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "nwp/NwpLabels.h"
#include "nwp/NwpLevels.h"
#include "nwp/NwpOverlayColours.h"
#include "nwp/NwpSettings.h"
#include "nwp/NwpTestFiles.h"

TEST(NwpLevels, FromFirstToLastByTheInterval) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float first, last, interval;
        std::size_t count;
        float lastLevel;
    };
    const Case cases[] = {
        {5000, 5880, 40, 23, 5880},
        {5000, 5880, 80, 12, 5880},
        {960, 1050, 2.5f, 37, 1050},
        {-40, 32, 4, 19, 32},
        {5000, 5880, 0, 0, 0},  // never reaches the last value: no level
        {5000, 5880, -40, 0, 0},
        {5000, 5880, nan, 0, 0},
        {5000, 5880, inf, 0, 0},
        {5880, 5000, 40, 0, 0},          // first above last
        {1.0e8f, 2.0e8f, 1, 1, 1.0e8f},  // the interval is lost in the level
        {0, 1.0e6f, 0.001f, kMaxNwpLevels, 0},
        {0, inf, 1, kMaxNwpLevels, 0},
    };
    for (const Case& c : cases) {
        const std::vector<float> levels = NwpContourLevels(c.first, c.last, c.interval);
        EXPECT_EQ(levels.size(), c.count) << c.first << " " << c.last << " " << c.interval;
        if (c.count > 0 && c.lastLevel != 0) {
            EXPECT_EQ(levels.back(), c.lastLevel);
        }
    }
}

TEST(NwpLabels, TextKeepsDecimalsPlusFiveCharacters) {
    struct Case {
        float value;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {5880, 1, "5880.0"},      {12.5f, 1, "12.5"},     {5880, 0, "5880."},
        {5880, 3, "5880.000"},    {5880, -5, ""},         {5880, -1, "5880"},
        {-12.5f, 1, "-12.5"},     {1002.5f, 1, "1002.5"}, {0.25f, 3, "0.250"},
        {5880, 40, "5880.00000"}, {101325, 1, "101325"},  // wider than the format: cut
        {5880, -100, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NwpLabelText(c.value, c.decimals), c.text) << c.value << " " << c.decimals;
    }
}

TEST(NwpRenderOptions, ParsedValuesSetTheCurrentBlock) {
    struct Case {
        const char* option;
        const char* value;
        bool accepted;
    };
    const Case cases[] = {
        {"--nwp-interval", "80", true},       {"--nwp-interval", "0", false},
        {"--nwp-interval", "-4", false},      {"--nwp-interval", "nan", false},
        {"--nwp-interval", "4x", false},      {"--nwp-color", "FF8000", true},
        {"--nwp-color", "ff800", false},      {"--nwp-color", "GG0000", false},
        {"--nwp-style", "4", true},           {"--nwp-style", "5", false},
        {"--nwp-label-height", "24", true},   {"--nwp-label-height", "0", false},
        {"--nwp-label-height", "201", false}, {"--nwp-decimals", "-4", true},
        {"--nwp-decimals", "-5", false},      {"--nwp-width", "1", false},
    };
    for (const Case& c : cases) {
        NwpRenderOptions options;
        std::string error;
        EXPECT_EQ(ParseNwpRenderOption(c.option, c.value, options, error), c.accepted)
            << c.option << " " << c.value;
        EXPECT_EQ(error.empty(), c.accepted) << c.option << " " << c.value;
    }

    NwpRenderOptions options;
    std::string error;
    ASSERT_TRUE(ParseNwpRenderOption("--nwp-color", "FF8000", options, error));
    ASSERT_TRUE(ParseNwpRenderOption("--nwp-interval", "80", options, error));
    ASSERT_TRUE(ParseNwpRenderOption("--nwp-decimals", "0", options, error));
    NwpSettings current;
    current.lineStyle = 2;
    ApplyNwpRenderOptions(options, current);
    EXPECT_EQ(current.lineColour, CanvasRgb(255, 128, 0));  // line and label alike
    EXPECT_EQ(current.labelColour, CanvasRgb(255, 128, 0));
    EXPECT_EQ(current.interval, 80.0f);
    EXPECT_EQ(current.labelDecimals, 0);
    EXPECT_EQ(current.lineStyle, 2);  // not given: kept
    EXPECT_EQ(current.labelHeight, 16);
}

// An overlay added while others are shown takes a colour none of them
// draws in, never the rivers' blue; the first keeps the settings' blue.
TEST(NwpOverlayColours, AddedBesideShownOverlaysTakesTheNextColour) {
    CTempDir dir;
    const std::string file = WriteDiamond(dir, "h.000", DiamondContent{});
    auto overlay = [&file](std::uint32_t colour, int visible) {
        CNwpOverlay o;
        EXPECT_TRUE(o.ReadFile(file));
        o.CurrentSettings().lineColour = colour;
        o.SetVisible(visible);
        return o;
    };
    const std::uint32_t blue = NwpSettings{}.lineColour;
    const std::uint32_t magenta = CanvasRgb(255, 0, 255);
    const std::uint32_t orange = CanvasRgb(255, 128, 0);
    struct Case {
        const char* name;
        std::vector<CNwpOverlay> shown;
        std::uint32_t taken;
    };
    const Case cases[] = {
        {"the first", {}, blue},
        {"beside one", {overlay(blue, 1)}, magenta},
        {"beside two", {overlay(blue, 1), overlay(magenta, 1)}, orange},
        {"beside a hidden one", {overlay(blue, 0)}, blue},
        {"a hidden colour is free", {overlay(blue, 1), overlay(magenta, 0)}, magenta},
        {"beside an unread one", {CNwpOverlay{}}, blue},
    };
    for (const Case& c : cases) {
        CNwpOverlay added = overlay(blue, 1);
        TakeNextOverlayColour(c.shown, added);
        EXPECT_EQ(added.CurrentSettings().lineColour, c.taken) << c.name;
        EXPECT_EQ(added.CurrentSettings().labelColour, c.taken) << c.name;
        EXPECT_EQ(added.DefaultSettings().lineColour, c.taken) << c.name;
    }
}
