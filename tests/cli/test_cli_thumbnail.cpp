// kelvra-cli thumbnail as a file manager runs it: for every projection the
// thumbnail is render's picture made small, and anything but a product gets
// no thumbnail at all.

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ByteOrder.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace {

struct GreyPicture {
    int width = 0;
    int height = 0;
    std::vector<double> grey;  // top row first
    double At(int x, int y) const { return grey[static_cast<std::size_t>(y) * width + x]; }
};

double Grey(int red, int green, int blue) {
    return 0.299 * red + 0.587 * green + 0.114 * blue;
}

GreyPicture ReadPng(const std::string& path) {
    GreyPicture picture;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return picture;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        return picture;
    }
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
        picture.grey.push_back(Grey(rgb[i], rgb[i + 1], rgb[i + 2]));
    }
    return picture;
}

// A 24-bit bottom-up BMP as render writes it.
GreyPicture ReadBmp(const std::string& path) {
    GreyPicture picture;
    const std::vector<std::uint8_t> bmp = ReadFileBytes(path);
    if (bmp.size() < 54 || bmp[28] != 24) {
        return picture;
    }
    picture.width = static_cast<int>(ReadUInt32LE(bmp.data() + 18));
    picture.height = static_cast<int>(ReadUInt32LE(bmp.data() + 22));
    const std::size_t stride = (static_cast<std::size_t>(picture.width) * 3 + 3) / 4 * 4;
    const std::size_t offset = ReadUInt32LE(bmp.data() + 10);
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::uint8_t* row = bmp.data() + offset + stride * y;
        for (int x = 0; x < picture.width; ++x) {
            picture.grey.push_back(Grey(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
        }
    }
    return picture;
}

// The full picture made thumbnail-sized the usual way: each small pixel the
// mean of the full pixels whose centres fall within its footprint.
GreyPicture AreaMean(const GreyPicture& full, int width, int height) {
    GreyPicture small;
    small.width = width;
    small.height = height;
    small.grey.assign(static_cast<std::size_t>(width) * height, 0.0);
    std::vector<int> count(small.grey.size(), 0);
    for (int y = 0; y < full.height; ++y) {
        const int ty = static_cast<int>((y + 0.5) * height / full.height);
        for (int x = 0; x < full.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(ty) * width +
                                   static_cast<std::size_t>((x + 0.5) * width / full.width);
            small.grey[at] += full.At(x, y);
            ++count[at];
        }
    }
    for (std::size_t i = 0; i < count.size(); ++i) {
        small.grey[i] /= std::max(count[i], 1);
    }
    return small;
}

double Correlation(const GreyPicture& a, const GreyPicture& b) {
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    const double n = static_cast<double>(a.grey.size());
    for (std::size_t i = 0; i < a.grey.size(); ++i) {
        sa += a.grey[i], sb += b.grey[i];
        saa += a.grey[i] * a.grey[i], sbb += b.grey[i] * b.grey[i], sab += a.grey[i] * b.grey[i];
    }
    const double cov = sab - sa * sb / n;
    return cov / std::sqrt((saa - sa * sa / n) * (sbb - sb * sb / n));
}

TEST(CliThumbnail, EveryProjectionLooksLikeItsRenderedPicture) {
    if (RunCli("thumbnail 2>&1").out.find("unknown verb") != std::string::npos) {
        GTEST_SKIP() << "kelvra-cli was built without its picture module";
    }
    CTempDir dir;
    const struct {
        const char* projection;
        int size;
    } cases[] = {{"0", 128}, {"1", 256}, {"2", 128}, {"3", 96}, {"4", 128}, {"5", 200}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("projection ") + c.projection);
        const std::string product = dir.File("FY2G_LCN_IR1_202203311300.AWX");
        ASSERT_EQ(RunIn(dir.Path(), std::string("synth ") + product + " --size 480x360" +
                                        " --projection " + c.projection)
                      .status,
                  0);
        ASSERT_EQ(RunIn("/", "render " + product + " -o " + dir.File("full.bmp")).status, 0);
        const std::string thumb = dir.File("thumb.png");
        // Started from / as a file manager would, away from any dat folder.
        const CliResult made =
            RunIn("/", "thumbnail " + product + " " + thumb + " " + std::to_string(c.size));
        ASSERT_EQ(made.status, 0) << made.out;
        EXPECT_EQ(made.out, "");
        const GreyPicture small = ReadPng(thumb);
        const GreyPicture full = ReadBmp(dir.File("full.bmp"));
        ASSERT_EQ(small.width, c.size);
        ASSERT_EQ(small.height, c.size * 3 / 4);
        EXPECT_GE(Correlation(small, AreaMean(full, small.width, small.height)), 0.9);
    }
}

TEST(CliThumbnail, NothingButAProductGetsOne) {
    if (RunCli("thumbnail 2>&1").out.find("unknown verb") != std::string::npos) {
        GTEST_SKIP() << "kelvra-cli was built without its picture module";
    }
    CTempDir dir;
    ASSERT_EQ(RunIn(dir.Path(), "synth p.AWX --size 64x48").status, 0);
    ASSERT_EQ(RunIn(dir.Path(), "convert p.AWX plain.bmp").status, 0);
    std::ofstream(dir.File("notes.AWX")) << "not a product\n";
    const struct {
        const char* what;
        const char* args;
        int status;
    } cases[] = {
        {"a plain picture", "plain.bmp out.png 64", 1},
        {"text named as a product", "notes.AWX out.png 64", 1},
        {"a missing file", "missing.AWX out.png 64", 1},
        {"size zero", "p.AWX out.png 0", 2},
        {"size not a number", "p.AWX out.png big", 2},
        {"no size", "p.AWX out.png", 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunIn(dir.Path(), std::string("thumbnail ") + c.args).status, c.status) << c.what;
        EXPECT_FALSE(std::filesystem::exists(dir.File("out.png"))) << c.what;
    }
}

}  // namespace
