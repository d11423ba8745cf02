#include "image/GifWriter.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr char kNetscapeId[] = "NETSCAPE2.0";
constexpr int kNetscapeIdLength = 11;
constexpr GifByteType kNetscapeLoopBlock = 1;
constexpr int kColourResolution = 8;

int WriteToFile(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* file = static_cast<std::FILE*>(gif->UserData);
    return static_cast<int>(std::fwrite(bytes, 1, static_cast<std::size_t>(length), file));
}

// The smallest power of two that holds count colours (at least 2, as the
// format asks).
int TableSize(std::size_t count) {
    int size = 2;
    while (static_cast<std::size_t>(size) < count) {
        size *= 2;
    }
    return size;
}

}  // namespace

int GifDelayOf(int milliseconds) {
    return std::clamp((milliseconds + 5) / 10, 1, kMaxGifDelayCentiseconds);
}

CGifWriter::CGifWriter(std::string target) : m_file(std::move(target)) {}

CGifWriter::~CGifWriter() {
    Close();
}

void CGifWriter::Close() {
    if (m_pGif != nullptr) {
        int error = 0;
        EGifCloseFile(m_pGif, &error);
        m_pGif = nullptr;
    }
}

bool CGifWriter::Open(int width, int height, int loopCount) {
    if (m_pGif != nullptr || width <= 0 || height <= 0 || width > 65535 || height > 65535 ||
        loopCount < 0 || loopCount > kMaxGifLoopCount) {
        return false;
    }
    std::FILE* file = m_file.Open();
    if (file == nullptr) {
        return false;
    }
    int error = 0;
    m_pGif = EGifOpen(file, WriteToFile, &error);
    if (m_pGif == nullptr) {
        return false;
    }
    m_nWidth = width;
    m_nHeight = height;
    // The streaming calls cannot tell that extensions follow: ask for 89a.
    EGifSetGifVersion(m_pGif, true);
    return EGifPutScreenDesc(m_pGif, width, height, kColourResolution, 0, nullptr) == GIF_OK &&
           PutLoopCount(loopCount);
}

bool CGifWriter::PutLoopCount(int loopCount) {
    const std::array<GifByteType, 3> block = {kNetscapeLoopBlock,
                                              static_cast<GifByteType>(loopCount & 0xFF),
                                              static_cast<GifByteType>(loopCount >> 8 & 0xFF)};
    return EGifPutExtensionLeader(m_pGif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(m_pGif, kNetscapeIdLength, kNetscapeId) == GIF_OK &&
           EGifPutExtensionBlock(m_pGif, static_cast<int>(block.size()), block.data()) == GIF_OK &&
           EGifPutExtensionTrailer(m_pGif) == GIF_OK;
}

bool CGifWriter::AddFrame(const IndexedFrame& frame, int delayCentiseconds) {
    if (m_pGif == nullptr || frame.width != m_nWidth || frame.height != m_nHeight ||
        frame.colours.empty() || frame.colours.size() > static_cast<std::size_t>(kGifColours)) {
        return false;
    }
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.DelayTime = std::clamp(delayCentiseconds, 0, kMaxGifDelayCentiseconds);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    std::array<GifByteType, 4> extension{};
    EGifGCBToExtension(&control, extension.data());

    std::vector<GifColorType> colours(static_cast<std::size_t>(TableSize(frame.colours.size())));
    for (std::size_t i = 0; i < frame.colours.size(); ++i) {
        const std::uint32_t rgb = frame.colours[i];
        colours[i] = {static_cast<GifByteType>(rgb >> 16 & 0xFF),
                      static_cast<GifByteType>(rgb >> 8 & 0xFF),
                      static_cast<GifByteType>(rgb & 0xFF)};
    }
    ColorMapObject* table = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
    if (table == nullptr) {
        return false;
    }
    const bool described =
        EGifPutExtension(m_pGif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(extension.size()),
                         extension.data()) == GIF_OK &&
        EGifPutImageDesc(m_pGif, 0, 0, m_nWidth, m_nHeight, false, table) == GIF_OK;
    GifFreeMapObject(table);
    // giflib takes the pixels as writable but does not change them.
    auto* pixels = const_cast<GifPixelType*>(frame.indices.data());
    return described && EGifPutLine(m_pGif, pixels, m_nWidth * m_nHeight) == GIF_OK;
}

bool CGifWriter::Finish() {
    if (m_pGif == nullptr) {
        return false;
    }
    int error = 0;
    const bool closed = EGifCloseFile(m_pGif, &error) == GIF_OK;
    m_pGif = nullptr;
    return closed && m_file.Commit();
}
