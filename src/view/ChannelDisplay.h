#pragma once
// What the view keeps while a picture of several channels is on screen:
// the combiner with its channels (read once per observation), the picture's
// name and legend, the command that made it and the open channel's own
// image, shown again by "返回原图".

#include <vector>

#include "channels/CChannelCombiner.h"
#include "channels/RgbRecipeList.h"
#include "image/CDibImage.h"

struct ChannelDisplay {
    CChannelCombiner combiner;
    CombinedPicture picture;
    int shownId = 0;  // 0: the open channel's own image
    CDibImage ownImage;
    // The recipes as the menu last listed them, slot by slot.
    std::vector<RgbRecipeEntry> recipes;
};
