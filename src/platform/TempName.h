#pragma once
// Names for the temporary files and folders written beside a target.

#include <string>

// ".kelvra-" and 16 random hex digits: 24 bytes, whatever the target is
// called, so the name fits any folder the target's own name fits. Hidden on
// Unix, and never the name of a file the program writes for good.
std::string RandomTempName();
