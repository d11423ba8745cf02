#include "analysis/CPrecipEstimate.h"

#include <algorithm>
#include <new>
#include <utility>

#include "analysis/CPrecipTexture.h"
#include "analysis/PrecipFormulas.h"
#include "analysis/PrecipThresholds.h"
#include "geo/Projection.h"
#include "platform/DataPaths.h"
#include "platform/Message.h"
#include "product/CGeoImage.h"

namespace {

// The texture enters the formulas scaled by this.
constexpr double kTextureScale = 0.1;

bool Geolocates(const ProjectionParams& params, int x, int y) {
    float lon = 0.0f;
    float lat = 0.0f;
    return CGeoImage::PixelToLatLon(params, x, y, lon, lat) == 0;
}

// A column whose longitude lies outside the thresholds' domain.
constexpr std::size_t kOutsideDomain = ~std::size_t{0};

// What the estimate of every pixel reads.
struct PrecipInputs {
    const CalibratedGrid& t1;
    const CalibratedGrid& t2;
    const std::vector<float>& thresholds;
    PrecipSeason season;
    const ProjectionParams& params;
    int width;
    int height;
};

// The rain pixel (i, j) of a candidate below its threshold, when its amount
// rounds to at least 1 mm; x is the texture row, made for the row's first
// candidate.
void AddRainPixel(const PrecipInputs& in, CPrecipTexture& texture, int i, int j, float value1,
                  const float*& x, std::vector<PrecipPixel>& pixels) {
    const double t = value1;
    const double d = t - in.t2.table[in.t2.CountsRow(j)[i]];
    if (x == nullptr) {
        x = texture.Row(j);
    }
    const double g = kTextureScale * x[i];
    const int amount = PrecipRoundedAmount(PrecipAmount(in.season, t, d, g));
    if (amount > 0) {
        pixels.push_back({static_cast<std::int16_t>(i), static_cast<std::int16_t>(j),
                          static_cast<std::int16_t>(amount)});
    }
}

// Every pixel geolocated on its own; false when one cannot be.
bool EstimateByPixel(const PrecipInputs& in, CPrecipTexture& texture,
                     std::vector<PrecipPixel>& pixels) {
    const float warmest = *std::max_element(in.thresholds.begin(), in.thresholds.end());
    for (int j = 0; j + 1 < in.height; ++j) {
        const std::uint8_t* counts1 = in.t1.CountsRow(j);
        const float* x = nullptr;
        for (int i = 0; i + 1 < in.width; ++i) {
            const float value1 = in.t1.table[counts1[i]];
            if (!(value1 < warmest)) {
                continue;
            }
            float lon = 0.0f;
            float lat = 0.0f;
            if (CGeoImage::PixelToLatLon(in.params, i, j, lon, lat) != 0) {
                return false;
            }
            if (!InsidePrecipDomain(lon, lat) ||
                !(value1 < in.thresholds[PrecipThresholdIndex(lon, lat)])) {
                continue;
            }
            AddRainPixel(in, texture, i, j, value1, x, pixels);
        }
    }
    return true;
}

// A projection whose longitude follows the column and latitude the row:
// each column and each row is geolocated once, rows outside the domain are
// passed over and only the columns inside it are looked at.
bool EstimateByRowAndColumn(const PrecipInputs& in, CPrecipTexture& texture,
                            std::vector<PrecipPixel>& pixels) {
    const int columns = in.width - 1;
    std::vector<std::size_t> tableColumn(static_cast<std::size_t>(columns), kOutsideDomain);
    int first = columns;
    int last = -1;
    for (int i = 0; i < columns; ++i) {
        float lon = 0.0f;
        float lat = 0.0f;
        if (CGeoImage::PixelToLatLon(in.params, i, 0, lon, lat) != 0) {
            return false;
        }
        if (InsidePrecipDomain(lon, kPrecipSouthLat)) {
            tableColumn[static_cast<std::size_t>(i)] = PrecipThresholdColumn(lon);
            first = std::min(first, i);
            last = i;
        }
    }
    // The rows in the domain and their thresholds; the candidates are
    // counted first, so the rain pixels are kept in one block, never moved.
    std::vector<std::pair<int, const float*>> rows;
    for (int j = 0; j + 1 < in.height; ++j) {
        float lon = 0.0f;
        float lat = 0.0f;
        if (CGeoImage::PixelToLatLon(in.params, 0, j, lon, lat) != 0) {
            return false;
        }
        if (InsidePrecipDomain(kPrecipWestLon, lat)) {
            rows.emplace_back(j, in.thresholds.data() + PrecipThresholdRow(lat) * kPrecipTableSide);
        }
    }
    const auto isCandidate = [&](const std::uint8_t* counts1, const float* thresholds, int i) {
        const std::size_t column = tableColumn[static_cast<std::size_t>(i)];
        return column != kOutsideDomain && in.t1.table[counts1[i]] < thresholds[column];
    };
    std::size_t candidates = 0;
    for (const auto& [j, thresholds] : rows) {
        const std::uint8_t* counts1 = in.t1.CountsRow(j);
        for (int i = first; i <= last; ++i) {
            candidates += isCandidate(counts1, thresholds, i) ? 1 : 0;
        }
    }
    pixels.reserve(pixels.size() + candidates);
    for (const auto& [j, thresholds] : rows) {
        const std::uint8_t* counts1 = in.t1.CountsRow(j);
        const float* x = nullptr;
        for (int i = first; i <= last; ++i) {
            if (isCandidate(counts1, thresholds, i)) {
                AddRainPixel(in, texture, i, j, in.t1.table[counts1[i]], x, pixels);
            }
        }
    }
    return true;
}

}  // namespace

CPrecipEstimate::CPrecipEstimate()
    : m_strThresholdFolder(CDataPaths::FromCurrentDirectory().ThresholdFolder()) {}

CPrecipEstimate::CPrecipEstimate(std::string thresholdFolder)
    : m_strThresholdFolder(std::move(thresholdFolder)) {}

bool CPrecipEstimate::SourcesUnchanged(const std::string& ir1Path,
                                       const std::string& ir2Path) const {
    const Sources& s = m_sources;
    return s.kept && s.ir1 == ir1Path && s.ir2 == ir2Path &&
           s.table.rfind(m_strThresholdFolder, 0) == 0 && s.ir1Stamp == StampOf(ir1Path) &&
           s.ir2Stamp == StampOf(ir2Path) && s.tableStamp == StampOf(s.table);
}

int CPrecipEstimate::Compute(const std::string& ir1Path, const std::string& ir2Path) {
    // The view recomputes at every composition; while the three files stay
    // as they were, the kept pixels are that result.
    if (SourcesUnchanged(ir1Path, ir2Path)) {
        return 1;
    }
    Clear();
    Sources sources;
    sources.ir1 = ir1Path;
    sources.ir2 = ir2Path;
    sources.ir1Stamp = StampOf(ir1Path);
    sources.ir2Stamp = StampOf(ir2Path);
    CGeoImage ir1;
    if (!ir1.ReadProduct(ir1Path)) {
        ShowMessage("打开红外一通道失败");
        return 0;
    }
    const int width = ir1.Description().width;
    const int height = ir1.Description().height;
    const int month = ir1.Description().month;

    CGeoImage ir2;
    if (!ir2.ReadProduct(ir2Path)) {
        ShowMessage("打开红外二通道失败");
        return 0;
    }
    if (ir2.Description().width != width || ir2.Description().height != height) {
        ShowMessage("红外通道云图大小不一致");
        return 0;
    }
    // Brightness temperatures are looked up from the counts where they are
    // read; the products hold no per-pixel values.
    const CalibratedGrid t1 = ir1.Calibrated();
    const CalibratedGrid t2 = ir2.Calibrated();
    CPrecipTexture texture;
    if (!texture.Begin(t1)) {
        return 0;
    }

    // A month outside 1..12 has no table, so the estimate fails as if the
    // table could not be opened.
    PrecipSeason season;
    std::vector<float> thresholds;
    if (!PrecipSeasonOfMonth(month, season)) {
        return 0;
    }
    sources.table = CDataPaths::Join(m_strThresholdFolder, PrecipThresholdFileName(season));
    sources.tableStamp = StampOf(sources.table);
    if (!ReadPrecipThresholds(sources.table, thresholds)) {
        return 0;
    }

    // The geolocation is that of the infrared-2 product; its last row and
    // last column are outside the image, so they are never estimated. A
    // pixel fails to geolocate only outside the image's box or when the
    // projection has no geolocation at all, so when the two opposite corners
    // of the estimated area geolocate, every pixel between them does. That
    // lets pixels at or above the warmest threshold, which can never be rain,
    // skip their geolocation, and a projection whose longitude follows the
    // column and latitude the row be geolocated a column and a row at a time.
    const ProjectionParams& params = ir2.Params();
    if (width < 2 || height < 2 || !Geolocates(params, 0, 0) ||
        !Geolocates(params, width - 2, height - 2)) {
        return 0;
    }
    const PrecipInputs inputs{t1, t2, thresholds, season, params, width, height};
    try {
        const bool estimated = SeparableProjection(params.type)
                                   ? EstimateByRowAndColumn(inputs, texture, m_pixels)
                                   : EstimateByPixel(inputs, texture, m_pixels);
        if (!estimated) {
            Clear();
            return 0;
        }
    } catch (const std::bad_alloc&) {
        Clear();
        return 0;
    }
    sources.kept = true;
    m_sources = std::move(sources);
    return 1;
}
