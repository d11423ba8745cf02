#pragma once
// The two channel differences the desktop offers, as combinations of one
// term shown through a diverging palette centred on 0: the split window
// (infrared 1 − infrared 2: thin cirrus positive, dust and volcanic ash
// negative) and water vapour − infrared 1 (near or above 0 over deep
// convection and overshooting tops).

#include <array>
#include <string>

#include "channels/Combination.h"
#include "image/CDibImage.h"

enum class DifferenceKind { kSplitWindow, kWaterVapour };

// "split" or "wv"; false for anything else.
bool ParseDifferenceKind(const std::string& word, DifferenceKind& kind);

// The combination: the term, the range symmetric about 0 (±8 K for the
// split window, ±16 K for water vapour − infrared 1) and the menu's name.
Combination DifferenceCombination(DifferenceKind kind);

// Blue through white at the middle entries (the value 0) to red: cold
// colours for negative differences, warm for positive.
std::array<RgbQuad, 256> DivergingColours();
