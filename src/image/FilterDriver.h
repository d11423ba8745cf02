#pragma once
// The one driver of the neighbourhood filters: a 24-bit working copy of the
// region's bounds, the "Filter" history entry, every result computed from the
// unchanged copy and written at (x + left, y + top), and a roll-back when a
// write fails. An 8-bit image with a plain rectangular region is filtered
// through the grey form instead, which gives the same pixels.

#include "image/ImageFilter.h"
#include "image/PixelWalk.h"

class CDibImage;

bool RunFilter(CDibImage& image, const CImageFilter& filter, WalkPath path = WalkPath::kFastest);
