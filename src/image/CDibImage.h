#pragma once
// The system's one in-memory raster image: a packed device-independent bitmap
// (information header, colour table, bottom-up rows padded to 4 bytes) in one
// owned block, with its display palette (the colour table), a region of
// interest, a history of at most four earlier states and the as-loaded copy
// "FIRST_STATE". Pixel values are 0x00BBGGRR (red in the low byte).
//
// The history, the first state and shared copies (ShareFrom) refer to the
// block of the image they were made from instead of duplicating it; the
// first write through LockBits or the colour table makes a private copy, so
// every image still behaves as if it owned its bytes. Plain copies duplicate.

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "image/CImageRegion.h"
#include "image/DibLayout.h"

class CDataFileCache;
class CRand15;

// One colour as SetColorTable takes it: (red, green, blue, ignored byte).
struct RgbQuad {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t reserved = 0;
};

// String-table ids of the history names.
constexpr int kIdsAdjustBrightness = 1004;  // "Adjust Brightness"
constexpr int kIdsContrast = 1005;          // "Contrast"
constexpr int kIdsAdjustNegate = 1017;      // "Adjust Negate"
constexpr int kIdsFilter = 1018;            // "Filter"
constexpr int kIdsAddNoise = 1019;          // "Add Noise"

// The history name of a string id ("" for an unknown id).
std::string HistoryNameOf(int stringId);

class CDibImage;

// One recorded state: a full copy of the image and its name.
struct CDibState {
    std::unique_ptr<CDibImage> image;
    std::string name;
};

class CDibImage {
public:
    static constexpr int kHistoryLimit = 4;

    CDibImage();
    ~CDibImage();
    // Copies duplicate the block and clone the region; histories and the first
    // state are not copied.
    CDibImage(const CDibImage& other);
    CDibImage& operator=(const CDibImage& other);
    // Moves behave as copies that take the block instead of duplicating it
    // (so a growing array of images never duplicates them); the source is
    // left empty.
    CDibImage(CDibImage&& other) noexcept;
    CDibImage& operator=(CDibImage&& other) noexcept;

    // --- Block ----------------------------------------------------------------
    // Adopts a packed block; false (and an empty image) when it is empty or its
    // header does not describe the bytes it holds.
    bool Attach(std::vector<std::uint8_t> block);
    // New zero-filled image with a 40-byte header.
    bool CreateBlank(int width, int height, int bitsPerPixel);
    // Releases the block, palette and region, every history and forward entry
    // and the first state.
    void Release();
    bool IsEmpty() const { return !m_pBlock || m_pBlock->empty(); }
    const std::vector<std::uint8_t>& Block() const;
    // The block itself, for readers that must keep these very bytes (a
    // product whose counts are this image's rows); the image copies it before
    // its next write. Empty when the image is.
    std::shared_ptr<const std::vector<std::uint8_t>> SharedBlock() const { return m_pBlock; }
    // Becomes a copy of other (block, palette, region; not the history or the
    // first state) that refers to other's block until either writes.
    void ShareFrom(const CDibImage& other);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    int Stride() const { return m_nStride; }
    int BitsPerPixel() const { return m_nBitsPerPixel; }
    int HeaderSize() const;
    int Compression() const;
    int ColorTableEntries() const;
    bool IsEightBit() const { return m_nBitsPerPixel == 8; }
    // Pixel writes are refused for 32-bit and run-length-compressed images.
    bool IsWritable() const;

    // The "locked pointer": the first byte of the pixel rows, or nullptr.
    // The writable form first makes the block this image's own.
    std::uint8_t* LockBits();
    const std::uint8_t* LockBits() const;
    // A writable pointer for a caller that writes every pixel byte of every
    // row (not the row padding): a block still referred to elsewhere is
    // replaced by a new one without copying the old pixels first.
    std::uint8_t* LockBitsToRewrite();

    // --- Files (by extension, compared without regard to case) ----------------
    bool Load(const std::string& path);
    // Writes to a temporary file beside the target and renames it over the
    // target only when the writer succeeded.
    bool Save(const std::string& path) const;

    // --- Pixels ---------------------------------------------------------------
    bool GetPixel(int x, int y, std::uint32_t& value) const;
    bool GetPixel(const std::uint8_t* bits, int x, int y, std::uint32_t& value) const;
    bool SetPixel(int x, int y, std::uint32_t value);
    bool SetPixel(std::uint8_t* bits, int x, int y, std::uint32_t value);
    // Fills target with a 24-bit copy of the region's bounds.
    bool ConvertTo24(CDibImage& target) const;

    // --- Colour table and display palette -------------------------------------
    bool SetColorTable(const std::array<RgbQuad, 256>& colours);
    // The display palette: one 0x00BBGGRR entry per colour-table entry.
    const std::vector<std::uint32_t>& Palette() const { return m_palette; }
    // Reads a palette file and writes its 256 colours into the colour table;
    // with palettesOn 0 the grey ramp is applied. Never writes a 24-bit image.
    // False only when the palette file was needed and could not be read or
    // used; the colour table is then unchanged.
    bool ApplyPaletteFile(const std::string& path, int palettesOn);
    // The same with the file's table kept in cache until the file changes.
    bool ApplyPaletteFile(const std::string& path, int palettesOn, CDataFileCache* cache);

    // --- Region of interest ---------------------------------------------------
    const CImageRegion& Region() const { return *m_pRegion; }
    void SetRegion(std::unique_ptr<CImageRegion> region);

    // --- History and first state ----------------------------------------------
    bool PushHistory(int stringId);
    bool RollBack();
    const std::deque<CDibState>& History() const { return m_history; }
    const std::vector<CDibState>& ForwardHistory() const { return m_forward; }
    bool SaveFirstState();
    bool RestoreFirstState();
    bool HasFirstState() const { return m_pFirstState != nullptr; }

    // --- Enhancement and filters ----------------------------------------------
    bool Brightness(int percent);
    bool Contrast(int percent);
    bool Negate();
    bool AddNoise(int percent, CRand15& generator);
    bool HistogramStretch();
    bool Blur();
    bool Sharpen();
    bool MedianSmooth();
    bool MeanSmooth();
    bool Emboss();
    bool EdgeDetect();

private:
    // Releases the block, palette and region only (what Attach replaces).
    void ReleaseBlock();
    void DeriveGeometry();
    void BuildPalette();
    // Takes over the block of a state image without copying it.
    void AdoptFrom(CDibImage&& source);
    // Copies the block when another image or product still refers to it;
    // false when there is no memory for the copy.
    bool OwnBlock();
    bool AttachShared(std::shared_ptr<std::vector<std::uint8_t>> block);
    bool TableHolds(const std::array<RgbQuad, 256>& colours, int count) const;

    std::shared_ptr<std::vector<std::uint8_t>> m_pBlock;
    std::vector<std::uint32_t> m_palette;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nStride = 0;
    int m_nBitsPerPixel = 0;
    DibLayout m_layout;
    std::unique_ptr<CImageRegion> m_pRegion;
    int m_nHistoryLimit = kHistoryLimit;
    std::deque<CDibState> m_history;
    std::vector<CDibState> m_forward;
    std::string m_strCurrentState;
    std::unique_ptr<CDibState> m_pFirstState;
};
