// Load and Save: the codec is chosen by the file name's extension (from its
// last dot, compared without regard to case).

#include <cstdio>
#include <string_view>

#include "image/BmpCodec.h"
#include "image/CDibImage.h"
#include "image/JpegCodec.h"
#include "image/TgaCodec.h"
#include "platform/RegularFile.h"
#include "platform/ReplacementFile.h"
#include "product/AwxDib.h"
#include "product/AwxName.h"

namespace {

enum class ImageFormat { kUnknown, kAwx, kBmp, kJpeg, kTga };

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char ca = (a[i] >= 'A' && a[i] <= 'Z') ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        if (ca != b[i]) {
            return false;
        }
    }
    return true;
}

ImageFormat FormatOf(const std::string& path) {
    if (IsAwxName(path)) {
        return ImageFormat::kAwx;
    }
    const std::size_t nameStart = path.find_last_of("/\\");
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart)) {
        return ImageFormat::kUnknown;
    }
    const std::string_view ext = std::string_view(path).substr(dot);
    if (EqualsNoCase(ext, ".bmp") || EqualsNoCase(ext, ".dib")) {
        return ImageFormat::kBmp;
    }
    if (EqualsNoCase(ext, ".jpg") || EqualsNoCase(ext, ".jpeg")) {
        return ImageFormat::kJpeg;
    }
    if (EqualsNoCase(ext, ".tga")) {
        return ImageFormat::kTga;
    }
    return ImageFormat::kUnknown;
}

std::vector<std::uint8_t> ReadAs(ImageFormat format, std::FILE* file) {
    switch (format) {
        case ImageFormat::kAwx:
            return ReadAwxDib(file);
        case ImageFormat::kBmp:
            return ReadBmpDib(file);
        case ImageFormat::kJpeg:
            return ReadJpegDib(file);
        case ImageFormat::kTga:
            return ReadTgaDib(file);
        default:
            return {};
    }
}

bool WriteAs(ImageFormat format, const std::vector<std::uint8_t>& block, std::FILE* file) {
    switch (format) {
        case ImageFormat::kBmp:
            return WriteBmpDib(block, file);
        case ImageFormat::kJpeg:
            return WriteJpegDib(block, file);
        case ImageFormat::kTga:
            return WriteTgaDib(block, file);
        default:
            return false;
    }
}

}  // namespace

bool CDibImage::Load(const std::string& path) {
    const ImageFormat format = FormatOf(path);
    if (format == ImageFormat::kUnknown) {
        return false;
    }
    std::FILE* file = OpenRegularFileForReading(path);
    if (file == nullptr) {
        return false;
    }
    std::vector<std::uint8_t> block = ReadAs(format, file);
    std::fclose(file);
    // A block that does not describe itself leaves the current image alone.
    // Pixels still compressed after reading (bit fields, embedded JPEG or
    // PNG) could never be drawn: such a file is refused here, once, rather
    // than failing at every composition.
    DibLayout layout;
    if (!DescribeDib(block.data(), block.size(), layout) || layout.compression != 0) {
        return false;
    }
    return Attach(std::move(block));
}

bool CDibImage::Save(const std::string& path) const {
    const ImageFormat format = FormatOf(path);
    if (IsEmpty() || format == ImageFormat::kUnknown || format == ImageFormat::kAwx) {
        return false;
    }
    // The target is replaced only by a complete file: a failed writer leaves
    // whatever was there before untouched.
    CReplacementFile output(path);
    std::FILE* file = output.Open();
    return file != nullptr && WriteAs(format, Block(), file) && output.Commit();
}
