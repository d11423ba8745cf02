#pragma once
// The arguments of animate, checked by kelvra-cli before it loads the
// picture module and read again there from the same words.

#include <string>
#include <vector>

#include "cli/CliVerbs.h"
#include "cli/PictureOptions.h"

// The frame delay when none is given.
inline constexpr int kDefaultAnimateDelayMs = 200;

struct AnimateArgs {
    std::vector<std::string> inputs;
    std::string output;
    int delayMs = kDefaultAnimateDelayMs;
    int loopCount = 0;
    PictureOptions picture;
};

// An empty string on success, else what is wrong.
std::string ParseAnimateArgs(const CliArgs& args, AnimateArgs& options);

// The frames go to a folder when the output ends with a separator or names
// an existing folder.
bool IsFolderOutput(const std::string& output);
