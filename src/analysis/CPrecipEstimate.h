#pragma once
// The precipitation estimate of one observation: every pixel of a fixed
// domain over China whose infrared-1 brightness temperature is below the
// seasonal threshold, with a rain amount in whole millimetres (1..30) from
// the empirical formulas of its season and temperature band.
//
// A picture job owns one estimate; each computation empties it first and it
// keeps the last result until the next one.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileStamp.h"

// One rain pixel: image column, image row (both 0-based) and millimetres.
struct PrecipPixel {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t amount = 0;
};

class CPrecipEstimate {
public:
    // Reads the threshold tables from the data folder's lut (see
    // CDataPaths::ThresholdFolder) of the process's current directory.
    CPrecipEstimate();
    // Reads the threshold tables from the given folder.
    explicit CPrecipEstimate(std::string thresholdFolder);

    const std::string& ThresholdFolder() const { return m_strThresholdFolder; }
    void SetThresholdFolder(std::string folder) { m_strThresholdFolder = std::move(folder); }

    // Computes the estimate from the two infrared products; 1 on success, 0
    // on failure. A product that cannot be read, or an infrared-2 image of
    // another size, is reported through the message sink ("打开红外一通道失败",
    // "打开红外二通道失败", "红外通道云图大小不一致"); a missing or short
    // threshold table, an observation month outside 1..12 and a pixel that
    // cannot be geolocated fail without a message of their own. Every failure
    // leaves the estimate empty. Nothing is ever written to any file.
    int Compute(const std::string& ir1Path, const std::string& ir2Path);

    // The rain pixels in the order computed: rows top to bottom, columns
    // left to right.
    const std::vector<PrecipPixel>& Pixels() const { return m_pixels; }
    bool Empty() const { return m_pixels.empty(); }
    void Clear() {
        std::vector<PrecipPixel>().swap(m_pixels);
        m_sources = Sources{};
    }

private:
    // The files the kept result was computed from, with their stamps: while
    // none of them changed, computing again would give the same pixels.
    struct Sources {
        bool kept = false;
        std::string ir1, ir2, table;
        FileStamp ir1Stamp, ir2Stamp, tableStamp;
    };
    bool SourcesUnchanged(const std::string& ir1Path, const std::string& ir2Path) const;

    std::string m_strThresholdFolder;
    std::vector<PrecipPixel> m_pixels;
    Sources m_sources;
};
