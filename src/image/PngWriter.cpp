#include "image/PngWriter.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <vector>

#include "platform/ReplacementFile.h"

namespace {

// Red, green, blue of each device colour.
void UnpackRow(const std::uint32_t* from, int width, std::uint8_t* to) {
    for (int x = 0; x < width; ++x, to += 3) {
        to[0] = static_cast<std::uint8_t>(from[x] >> 16);
        to[1] = static_cast<std::uint8_t>(from[x] >> 8);
        to[2] = static_cast<std::uint8_t>(from[x]);
    }
}

// libpng reports errors by a long jump back into the function that set it;
// nothing with a destructor may live in this frame.
bool WriteRows(std::FILE* file, const DevicePixels& picture, std::uint8_t* row) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
                 static_cast<png_uint_32>(picture.height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; ++y) {
        UnpackRow(picture.Row(y), picture.width, row);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool SavePicturePng(const DevicePixels& picture, const std::string& path) {
    if (picture.Empty()) {
        return false;
    }
    std::vector<std::uint8_t> row(3 * static_cast<std::size_t>(picture.width));
    CReplacementFile file(path);
    std::FILE* out = file.Open();
    return out != nullptr && WriteRows(out, picture, row.data()) && file.Commit();
}
