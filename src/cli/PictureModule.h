#pragma once
// The verbs that draw run in kelvra-cli's picture module (kelvra-cli-pictures),
// loaded only when a picture is drawn: the module links what drawing needs
// beyond the core (FreeType for text, libpng), which the verbs that print
// text never load; neither loads Qt. The module is found beside the
// executable (the build tree) or in the prefix's lib/kelvra (an
// installation).

#include <string>

#include "cli/CliVerbs.h"

// Runs a verb of the module with its arguments and returns its exit status;
// 1, said on stderr, when the module is missing or cannot be loaded.
int RunPictureModule(const std::string& verb, const CliArgs& args);
