#pragma once
// The arguments of render. kelvra-cli checks them before it loads the
// picture module, so a mistyped command is told without drawing anything;
// the module reads them again from the same words.

#include <string>

#include "cli/CliVerbs.h"
#include "cli/PictureOptions.h"

struct RenderArgs {
    std::string input;
    std::string output;
    PictureOptions picture;
};

// An empty string on success, else what is wrong.
std::string ParseRenderArgs(const CliArgs& args, RenderArgs& options);
