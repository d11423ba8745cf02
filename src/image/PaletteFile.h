#pragma once
// Palette text files: a grey form (first word containing "BK") with one block
// of control points, and a colour form (first word containing "COLOR") with a
// red, a green and a blue block. Between control points the levels are
// interpolated with truncating integer division; entries no segment covers
// keep their grey ramp value.

#include <array>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "image/CDibImage.h"

class CDataFileCache;

using PaletteTable = std::array<RgbQuad, 256>;

// Limits of the format; a file that breaks one is refused as a whole. A
// palette is a few kilobytes; a larger file is refused by its size unread.
constexpr std::size_t kPaletteMaxFileBytes = 1024 * 1024;
constexpr std::size_t kPaletteMaxWordLength = 63;
constexpr int kPaletteMaxPoints = 256;
constexpr int kPaletteMaxIndex = 256;  // closes a segment so that entry 255 is filled
constexpr int kPaletteMaxValue = 255;

struct PaletteControlPoint {
    int index = 0;
    int value = 0;
};

enum class PaletteChannel { kRed, kGreen, kBlue };

// Entry i = (i, i, i).
PaletteTable GreyRamp();

// Fills one channel (or, for the grey form, all three) from a block of
// control points: segments whose indices do not increase are skipped and the
// entry at a closing index is left alone.
void FillChannel(const std::vector<PaletteControlPoint>& points, PaletteChannel channel,
                 PaletteTable& table);
void FillGrey(const std::vector<PaletteControlPoint>& points, PaletteTable& table);

// The table a palette text describes, or nothing when the text is not a
// complete palette within the limits above.
std::optional<PaletteTable> ParsePalette(std::istream& in);
std::optional<PaletteTable> ParsePaletteBytes(const std::uint8_t* data, std::size_t size);
std::optional<PaletteTable> ReadPaletteFile(const std::string& path);
// ReadPaletteFile through the cache: parsed again only when the file has
// changed; nullptr when it cannot be read or is not a palette.
std::shared_ptr<const PaletteTable> CachedPaletteFile(CDataFileCache& cache,
                                                      const std::string& path);
