#pragma once
// The one-line title at (6, 6): bold Arial 16 in red, transparent background;
// every state it changes is restored. The text itself (satellite, region,
// time, channel) is made from the product's description.

#include <string>

#include "platform/Canvas.h"

void DrawTitleLine(CCanvas& canvas, const std::string& utf8Text);

// The box the title line covers, measured in its font; the canvas's state
// is left as it was.
CanvasBox TitleLineBox(CCanvas& canvas, const std::string& utf8Text);
