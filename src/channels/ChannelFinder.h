#pragma once
// The sibling files of an open product: the files of the same satellite,
// observation time and geometry holding the other channels, found by their
// headers. Names only decide the order of looking (files whose name carries
// the open product's time, then those whose name carries a wanted channel's
// short name, are read first), since real products put the channel in
// different places of their names. In the folders after the product's own
// (a catalogue of thousands of products) a file whose name carries another
// time is not read at all.

#include <array>
#include <string>
#include <vector>

#include "channels/ChannelTerm.h"

struct ChannelSearch {
    std::string productPath;  // the open product
    // Where to look after the open product's own folder (the catalogue
    // folder); a folder given twice is looked at once.
    std::vector<std::string> folders;
    std::vector<int> channels;  // the codes wanted
};

struct FoundChannels {
    // The path of each wanted code; "" for one not found.
    std::array<std::string, kChannelCodeCount> paths;
    // Why the set is incomplete (UTF-8), naming each missing channel and
    // each file refused for its size or geometry; "" when every channel was
    // found.
    std::string problem;
};

// True when every wanted channel was found; otherwise problem says why.
bool FindChannelFiles(const ChannelSearch& search, FoundChannels& found);
