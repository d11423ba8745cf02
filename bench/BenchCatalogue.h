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
