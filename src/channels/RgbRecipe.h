#pragma once
// An RGB recipe: for each of red, green and blue a channel or a difference
// of two channels, the values mapped to 0 and 255 and a gamma, with the
// Chinese name the title and the menu show. Recipes are small text files:
//
//     # what the composite shows, and where it comes from
//     name  = 夜间雾与低云
//     red   = IR1-IR2  -4   2  1.0
//     green = IR1-IR3   0  10  1.0
//     blue  = IR1     243 293  1.0
//
// one "key = value" a line, "#" starting a comment, blank lines ignored.
// The channels are IR1, IR2, WV, IR3 and VIS; the two values are the one
// shown as 0 and the one shown as 255 (reversed when the first is larger);
// the gamma is optional (1 when left out) and shapes the ramp as t^(1/gamma).

#include <array>
#include <string>
#include <vector>

#include "channels/ChannelTerm.h"
#include "channels/TermMapping.h"

struct RgbColour {
    ChannelTerm term;
    ValueRange range;
};

struct RgbRecipe {
    std::string name;                  // UTF-8
    std::array<RgbColour, 3> colours;  // red, green, blue
};

// The channels the recipe reads, each once, in ascending code order.
std::vector<int> ChannelsOf(const RgbRecipe& recipe);

// Parses a whole recipe; on a malformed one returns false with problem
// naming the line and the reason ("第 3 行: 未知的通道 'IR5'"), recipe
// untouched.
bool ParseRgbRecipe(const std::string& text, RgbRecipe& recipe, std::string& problem);

// Reads and parses the file at path; problem also names the file.
bool ReadRgbRecipeFile(const std::string& path, RgbRecipe& recipe, std::string& problem);
