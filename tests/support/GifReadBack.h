#pragma once
// An animated GIF read back with giflib: screen size, loop count, and each
// frame's delay and pixels as 0x00RRGGBB, top row first.

#include <gif_lib.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct GifReadBack {
    bool ok = false;
    int width = 0;
    int height = 0;
    int loopCount = -1;  // -1: no NETSCAPE2.0 block
    std::vector<int> delays;
    std::vector<std::vector<std::uint32_t>> frames;
};

inline int NetscapeLoopCount(const ExtensionBlock* blocks, int count) {
    for (int i = 0; i + 1 < count; ++i) {
        const ExtensionBlock& id = blocks[i];
        const ExtensionBlock& data = blocks[i + 1];
        if (id.Function == APPLICATION_EXT_FUNC_CODE && id.ByteCount == 11 &&
            std::memcmp(id.Bytes, "NETSCAPE2.0", 11) == 0 && data.ByteCount == 3 &&
            data.Bytes[0] == 1) {
            return data.Bytes[1] | data.Bytes[2] << 8;
        }
    }
    return -1;
}

inline GifReadBack ReadGifBack(const std::string& path) {
    GifReadBack back;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr) {
        return back;
    }
    if (DGifSlurp(gif) == GIF_OK) {
        back.ok = true;
        back.width = gif->SWidth;
        back.height = gif->SHeight;
        for (int i = 0; i < gif->ImageCount; ++i) {
            const SavedImage& image = gif->SavedImages[i];
            if (i == 0) {
                back.loopCount =
                    NetscapeLoopCount(image.ExtensionBlocks, image.ExtensionBlockCount);
            }
            GraphicsControlBlock control{};
            DGifSavedExtensionToGCB(gif, i, &control);
            back.delays.push_back(control.DelayTime);
            const ColorMapObject* table =
                image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
            std::vector<std::uint32_t> pixels;
            const int count = image.ImageDesc.Width * image.ImageDesc.Height;
            for (int p = 0; p < count && table != nullptr; ++p) {
                const GifColorType c = table->Colors[image.RasterBits[p]];
                pixels.push_back(std::uint32_t{c.Red} << 16 | std::uint32_t{c.Green} << 8 | c.Blue);
            }
            back.frames.push_back(std::move(pixels));
        }
    }
    DGifCloseFile(gif, &error);
    return back;
}
