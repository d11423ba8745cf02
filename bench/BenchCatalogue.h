#pragma once
// The catalogue folder the listing benchmarks run over: 2000 small products,
// of which 400 carry the code "LCN" and the infrared-1 channel, 400 the code
// but the water-vapour channel (their headers are read), and 1200 other codes
// (refused on the name alone).

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "synth/AwxWriter.h"

constexpr int kBenchFileCount = 2000;
constexpr int kBenchMatchingCount = 400;
constexpr int kBenchOtherChannelCount = 400;

inline std::vector<std::uint8_t> BenchProduct(int channel) {
    AwxWriterOptions options;
    options.width = 64;
    options.height = 64;
    options.channel = channel;
    return MakeAwxProduct(options);
}

// Writes the 2000 files into an existing folder.
inline void WriteBenchCatalogue(const std::string& folder) {
    const std::vector<std::uint8_t> infrared = BenchProduct(1);
    const std::vector<std::uint8_t> water = BenchProduct(3);
    const char* otherCodes[] = {"MSS", "MLS", "TBD"};
    for (int i = 0; i < kBenchFileCount; ++i) {
        char name[64];
        const bool waterFile =
            i >= kBenchMatchingCount && i < kBenchMatchingCount + kBenchOtherChannelCount;
        if (i < kBenchMatchingCount) {
            std::snprintf(name, sizeof name, "FY2G_LCN_IR1_%04d.AWX", i);
        } else if (waterFile) {
            std::snprintf(name, sizeof name, "FY2G_LCN_WV_%04d.AWX", i);
        } else {
            std::snprintf(name, sizeof name, "FY2G_%s_IR1_%04d.AWX", otherCodes[i % 3], i);
        }
        WriteBytesToPath(folder + "/" + name, waterFile ? water : infrared);
    }
}

// A temporary folder for one benchmark run, removed with its files at exit;
// Path() is empty when it could not be made.
class CBenchTempDir {
public:
    explicit CBenchTempDir(const std::string& prefix) {
        std::string pattern = "/tmp/" + prefix + "-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
    }
    ~CBenchTempDir() {
        std::error_code ec;
        if (!m_path.empty()) {
            std::filesystem::remove_all(m_path, ec);
        }
    }
    CBenchTempDir(const CBenchTempDir&) = delete;
    CBenchTempDir& operator=(const CBenchTempDir&) = delete;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// The catalogue at operational scale: five channels of "LCN" every 15
// minutes, 6000 times each (30000 files, about two months). Each file is a
// hard link to one small product of its channel: listing reads names,
// stamps and headers, never the pixels.
constexpr int kScaleTimes = 6000;
constexpr int kScaleStepMinutes = 15;
constexpr const char* kScaleChannels[] = {"IR1", "IR2", "WV", "IR3", "VIS"};

// Writes the 30000 names into an existing folder; false when a file or link
// could not be made.
inline bool WriteScaleCatalogue(const std::string& folder) {
    namespace fs = std::filesystem;
    for (int channel = 1; channel <= 5; ++channel) {
        const std::string source = folder + "/.source" + std::to_string(channel);
        if (!WriteBytesToPath(source, BenchProduct(channel))) {
            return false;
        }
        for (int i = 0; i < kScaleTimes; ++i) {
            const int minutes = i * kScaleStepMinutes;
            const int day = 1 + minutes / (24 * 60);
            char name[64];
            std::snprintf(name, sizeof name, "FY2G_LCN_%s_2022%02d%02d%02d%02d.AWX",
                          kScaleChannels[channel - 1], 3 + (day - 1) / 31, 1 + (day - 1) % 31,
                          minutes / 60 % 24, minutes % 60);
            std::error_code ec;
            fs::create_hard_link(source, folder + "/" + name, ec);
            if (ec) {
                return false;
            }
        }
        fs::remove(source);
    }
    return true;
}
