#include "analysis/CPrecipEstimate.h"

#include <algorithm>
#include <new>

#include "analysis/CPrecipTexture.h"
#include "analysis/PrecipFormulas.h"
#include "analysis/PrecipThresholds.h"
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
    // skip their geolocation.
    const ProjectionParams& params = ir2.Params();
    if (width < 2 || height < 2 || !Geolocates(params, 0, 0) ||
        !Geolocates(params, width - 2, height - 2)) {
        return 0;
    }
    const float warmest = *std::max_element(thresholds.begin(), thresholds.end());
    try {
        for (int j = 0; j + 1 < height; ++j) {
            const std::uint8_t* counts1 = t1.CountsRow(j);
            const std::uint8_t* counts2 = t2.CountsRow(j);
            const float* x = nullptr;  // the texture row, made for the first candidate
            for (int i = 0; i + 1 < width; ++i) {
                const float value1 = t1.table[counts1[i]];
                if (!(value1 < warmest)) {
                    continue;
                }
                float lon = 0.0f;
                float lat = 0.0f;
                if (CGeoImage::PixelToLatLon(params, i, j, lon, lat) != 0) {
                    Clear();
                    return 0;
                }
                if (!InsidePrecipDomain(lon, lat)) {
                    continue;
                }
                if (!(value1 < thresholds[PrecipThresholdIndex(lon, lat)])) {
                    continue;
                }
                const double t = value1;
                const double d = t - t2.table[counts2[i]];
                if (x == nullptr) {
                    x = texture.Row(j);
                }
                const double g = kTextureScale * x[i];
                const int amount = PrecipRoundedAmount(PrecipAmount(season, t, d, g));
                if (amount > 0) {
                    m_pixels.push_back({static_cast<std::int16_t>(i), static_cast<std::int16_t>(j),
                                        static_cast<std::int16_t>(amount)});
                }
            }
        }
    } catch (const std::bad_alloc&) {
        Clear();
        return 0;
    }
    sources.kept = true;
    m_sources = std::move(sources);
    return 1;
}
