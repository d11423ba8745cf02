#pragma once
// A picture made of several channels of one observation: a difference (one
// term shown through its own palette) or an RGB composite (a term per
// colour), and what its composition needs to know of it.

#include <string>
#include <vector>

#include "channels/RgbRecipe.h"

struct Combination {
    // A difference uses the red colour alone.
    RgbRecipe recipe;
    bool difference = false;
};

// The channels a combination reads, each once, in ascending code order.
inline std::vector<int> ChannelsOf(const Combination& combination) {
    if (!combination.difference) {
        return ChannelsOf(combination.recipe);
    }
    return ChannelsOf(combination.recipe.colours[0].term);
}

// What a combined picture changes in its composition.
struct CombinedPicture {
    // Said in the title in place of the channel name (UTF-8).
    std::string name;
    // A difference: the image's colour table is its palette, never replaced
    // by a palette file; the legend reads values[count] in unit.
    bool difference = false;
    std::vector<float> legendValues;
    std::string legendUnit;
};
