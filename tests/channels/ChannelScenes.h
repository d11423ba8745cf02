#pragma once
// Synthetic channel sets of one observation with known values: a warm ramp
// from west to east, a cold disc (an overshooting top: water vapour warmer
// than infrared 1), a thin cirrus patch that only the split window shows and
// a fog patch that only infrared 1 − infrared 3 shows. Every channel is
// written through the synthetic calibration, so its values are the table's.

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "synth/AwxWriter.h"
#include "synth/SynthCalibration.h"

constexpr int kSceneWidth = 64;
constexpr int kSceneHeight = 48;

struct ScenePatch {
    int left, top, right, bottom;  // [left, right) × [top, bottom)
    bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};
constexpr ScenePatch kCirrus{4, 34, 16, 46};
constexpr ScenePatch kFog{40, 4, 56, 16};

inline bool InColdDisc(int x, int y) {
    return (x - 20) * (x - 20) + (y - 20) * (y - 20) <= 64;
}

// What channel code holds at pixel (x, y): kelvin, or percent albedo for the
// visible channel.
inline double SceneValue(int channel, int x, int y) {
    const double ir1 = InColdDisc(x, y) ? 205.0 : 260.0 + 40.0 * x / (kSceneWidth - 1);
    switch (channel) {
        case 2:
            return ir1 - (kCirrus.Holds(x, y) ? 6.0 : 1.0);
        case 3:
            return InColdDisc(x, y) ? ir1 + 3.0 : 238.0;
        case 4:
            return ir1 - (kFog.Holds(x, y) ? 7.0 : 0.5);
        case 5:
            return InColdDisc(x, y) ? 85.0 : (kFog.Holds(x, y) ? 55.0 : 12.0);
        default:
            return ir1;
    }
}

inline std::uint8_t SceneCount(int channel, int x, int y) {
    const double value = SceneValue(channel, x, y);
    if (channel == kVisibleChannel) {
        return static_cast<std::uint8_t>(std::lround(value * 255.0 / 100.0));
    }
    return SynthCountForTemperature(value);
}

struct SceneFile {
    int channel = 1;
    int hour = 13;
    int width = kSceneWidth;
    int height = kSceneHeight;
};

// The product of one channel with the scene's counts.
inline std::vector<std::uint8_t> SceneProduct(const SceneFile& file) {
    AwxWriterOptions options;
    options.channel = file.channel;
    options.width = file.width;
    options.height = file.height;
    options.hour = file.hour;
    options.minute = 0;
    std::vector<std::uint8_t> bytes = MakeAwxProduct(options);
    std::uint8_t* pixel =
        bytes.data() + bytes.size() -
        static_cast<std::size_t>(file.width) * static_cast<std::size_t>(file.height);
    for (int y = 0; y < file.height; ++y) {
        for (int x = 0; x < file.width; ++x) {
            *pixel++ = SceneCount(file.channel, x, y);
        }
    }
    return bytes;
}

inline bool WriteSceneFile(const std::string& path, const SceneFile& file) {
    return WriteFileBytes(path, SceneProduct(file));
}

// The five channels of 13:00 in folder, named as the FY-2G products are.
inline std::string WriteSceneSet(const CTempDir& dir) {
    const char* names[] = {"", "IR1", "IR2", "IR3", "WV", "VIS"};
    const int codes[] = {0, 1, 2, 4, 3, 5};
    for (int i = 1; i <= 5; ++i) {
        SceneFile file;
        file.channel = codes[i];
        WriteSceneFile(dir.File(std::string("FY2G_LCN_") + names[i] + "_202203311300.AWX"), file);
    }
    return dir.File("FY2G_LCN_IR1_202203311300.AWX");
}
