#pragma once
// The common frame of the point operations (brightness, contrast, negation,
// noise): check, record the history, walk the region, roll back when a write
// fails. Brightness, contrast and negation map every channel through the same
// 256-entry table, since each channel is computed alone with one formula.

#include <array>
#include <cstdint>

#include "image/PixelWalk.h"

class CDibImage;
class CRand15;

using ChannelMap = std::array<std::uint8_t, 256>;

// c -> c * p / 100, clamped.
ChannelMap BrightnessMap(int percent);
// c -> (c - 128) * p / 100 + 128, clamped.
ChannelMap ContrastMap(int percent);
// c -> 255 - c.
ChannelMap NegateMap();

// Records the history under stringId and maps each channel of every region
// pixel; false (after rolling back) when a read or write fails.
bool MapChannels(CDibImage& image, int stringId, const ChannelMap& map,
                 WalkPath path = WalkPath::kFastest);

// Noise with 1 <= percent <= 100 (the caller checks the range).
bool AddNoiseWalk(CDibImage& image, int percent, CRand15& generator,
                  WalkPath path = WalkPath::kFastest);

// The histogram stretch of an 8-bit image: whole image, no history.
bool StretchHistogram(CDibImage& image, WalkPath path = WalkPath::kFastest);
