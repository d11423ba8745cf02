#pragma once
// The image of a combination from loaded channels: a difference as an 8-bit
// image whose counts span the term's range, with the diverging palette as
// its colour table; a composite as a 24-bit image, each colour mapped from
// its term.

#include <string>

#include "channels/CChannelSet.h"
#include "channels/Combination.h"
#include "image/CDibImage.h"

// False with problem when a channel the combination reads is not loaded, the
// channels differ in size, or there is no memory for the image.
bool MakeCombinedImage(const Combination& combination, const CChannelSet& channels,
                       CDibImage& image, CombinedPicture& picture, std::string& problem);
