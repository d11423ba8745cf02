#pragma once
// Run-length-coded BMP pixels (RLE8 for 8-bit, RLE4 for 4-bit images),
// expanded once when the file is read into plain bottom-up rows, so that the
// rest of the system only ever sees ordinary packed images.

#include <cstddef>
#include <cstdint>
#include <vector>

struct DibLayout;

// The largest expanded pixel block accepted: a few bytes of codes can
// describe an enormous blank picture, which is refused rather than allocated.
constexpr std::size_t kRleMaxExpandedBytes = std::size_t{256} << 20;

// The plain block of a run-length-coded one that layout describes: the same
// header with compression 0 and the image size stride x height, the same
// colour table, then the expanded rows. Codes are read from the pixel bytes
// (all bytes behind the colour table when the header gives no size).
// Pixels the codes never reach keep index 0; runs beyond the right edge or
// the top row are cut off, and codes cut short by the end of the data end
// the picture there. Empty when the block is not run-length coded or the
// expanded picture would be too large.
std::vector<std::uint8_t> ExpandRunLengthDib(const std::uint8_t* block, std::size_t size,
                                             const DibLayout& layout);
