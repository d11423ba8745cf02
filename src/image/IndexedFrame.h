#pragma once
// A composed picture turned into at most 256 colours for a GIF frame.
//
// A picture of at most 256 colours keeps every pixel exactly. Beyond that,
// the overlays' colours are kept exactly and the image's own colours share
// the rest: a pixel is an overlay pixel when it differs from the colour its
// image index shows through the colour table, and the distinct colours of
// those pixels are reserved first (at most kMaxReservedColours; when there
// are more, as under a colour legend that repeats the table, those the table
// cannot show come first, then the most frequent, so lines and text stay
// exact and single legend swatches may take a neighbouring entry). The remaining
// entries go to the image's colours in table order, evenly spread from the
// first to the last used, and every other colour takes its nearest entry
// (squared RGB distance). A picture without an 8-bit image under it keeps
// its most frequent colours instead.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class CDibImage;

constexpr int kGifColours = 256;
// At least this many entries are left to the image's own colours.
constexpr int kMaxReservedColours = 224;

// Picture pixels 0x??RRGGBB (the top byte is ignored), top row first, rows
// stride pixels apart.
struct RgbFrameView {
    const std::uint32_t* top = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
};

// The 8-bit image the picture was composed from: its index rows from the top
// (stride bytes apart, negative for bottom-up rows) and the colour each index
// shows (0x00RRGGBB; black beyond the table). top is null when there is none.
struct FrameBaseView {
    const std::uint8_t* top = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
    std::array<std::uint32_t, kGifColours> colours{};
};

struct IndexedFrame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> colours;  // 0x00RRGGBB, at most 256
    std::vector<std::uint8_t> indices;   // width per row, top row first
};

// The base view of an uncompressed 8-bit image; top is null for any other.
FrameBaseView FrameBaseOf(const CDibImage& image);

// Indexes the picture; base may be null, and is ignored unless it has the
// picture's size. False only when there is no memory.
bool IndexFrame(const RgbFrameView& picture, const FrameBaseView* base, IndexedFrame& out);
