#pragma once
// The colour an overlay takes when it is added while others are shown, so
// that two fields can be told apart without the settings dialog. The first
// overlay keeps the settings' blue; the next ones take a short set of
// distinct colours, none of them the rivers' blue.

#include <vector>

#include "nwp/CNwpOverlay.h"

// When overlays already holds a shown overlay with a file, gives added the
// first colour of the set no shown overlay draws in (the set over again when
// all are taken), for lines and labels, current and default alike.
void TakeNextOverlayColour(const std::vector<CNwpOverlay>& overlays, CNwpOverlay& added);
