#pragma once
// The channel products of one observation, read from the files the finder
// names. A product already read from the same path is kept, so switching
// between combinations of the same observation reads no file again.

#include <array>
#include <string>
#include <vector>

#include "channels/ChannelFinder.h"
#include "product/CGeoImage.h"

class CChannelSet {
public:
    // Finds and reads the channels of search; false with problem (UTF-8)
    // when one is missing, refused or cannot be read. Channels read before
    // and not asked for now are kept.
    bool Load(const ChannelSearch& search, std::string& problem);

    // The product of a code, or nullptr when it is not loaded.
    const CGeoImage* Channel(int code) const;
    const std::string& PathOf(int code) const;

private:
    std::array<CGeoImage, kChannelCodeCount> m_products;
    std::array<std::string, kChannelCodeCount> m_paths;
};
