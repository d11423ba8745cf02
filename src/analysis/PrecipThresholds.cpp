#include "analysis/PrecipThresholds.h"
#include "platform/RegularFile.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>

#include "platform/ByteOrder.h"

namespace {

// The tables hold tenths of kelvin.
constexpr double kTenth = 0.1;

struct CFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool PrecipSeasonOfMonth(int month, PrecipSeason& season) {
    switch (month) {
        case 12:
        case 1:
        case 2:
            season = PrecipSeason::Winter;
            return true;
        case 3:
        case 4:
        case 5:
            season = PrecipSeason::Spring;
            return true;
        case 6:
        case 7:
        case 8:
            season = PrecipSeason::Summer;
            return true;
        case 9:
        case 10:
        case 11:
            season = PrecipSeason::Autumn;
            return true;
        default:
            return false;
    }
}

const char* PrecipThresholdFileName(PrecipSeason season) {
    switch (season) {
        case PrecipSeason::Spring:
            return "yuzhi_345.dat";
        case PrecipSeason::Summer:
            return "yuzhi_678.dat";
        case PrecipSeason::Autumn:
            return "yuzhi_91011.dat";
        case PrecipSeason::Winter:
            break;
    }
    return "yuzhi_1212.dat";
}

bool ReadPrecipThresholds(const std::string& path, std::vector<float>& thresholds) {
    std::unique_ptr<std::FILE, CFileCloser> file(OpenRegularFileForReading(path));
    if (!file) {
        return false;
    }
    try {
        std::vector<std::uint8_t> bytes(kPrecipTableBytes);
        if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
            return false;
        }
        thresholds.resize(kPrecipTableValues);
        for (std::size_t k = 0; k < kPrecipTableValues; ++k) {
            thresholds[k] = static_cast<float>(ReadInt16LE(bytes.data() + 2 * k) * kTenth);
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}
