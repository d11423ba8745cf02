#pragma once
// Why a file named as a product cannot be read as one, in the user's words,
// and the second line a failure message gives to name the file and say why.

#include <string>

// The first thing wrong with the file as a category 1 product, from its
// size and headers: too short for the headers, not an AWX header, a
// category that is not read, a size beyond the limits, image data cut
// short. "" when the headers find nothing wrong (or the file cannot be
// opened).
std::string ProductFileProblem(const std::string& path);

// The system's message, then on a second line the file and the reason:
// "message\npath：reason" ("message\npath" without a reason).
std::string MessageWithFile(const std::string& message, const std::string& path,
                            const std::string& reason);
