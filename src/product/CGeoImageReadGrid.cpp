// CGeoImage::ReadGridProduct: a grid product as an equal latitude/longitude
// picture of the grid's own spacing, its first grid point the centre of the
// top-left pixel. The counts span the element's display range and the
// calibration table gives each count's value, so the picture, its palettes
// and its legend work as for an image; the exact values are kept beside
// them for the read-out, the isotherms and the cells.

#include <algorithm>
#include <memory>
#include <new>

#include "product/AwxGrid.h"
#include "product/CGeoImage.h"
#include "product/CGeoImageCounts.h"
#include "product/EdgeGeolocation.h"
#include "product/GridDisplayScale.h"

namespace {

constexpr double kCentiDegree = 0.01;
constexpr int kFullTurnCenti = 36000;
constexpr char kGridFileId[] = "SEC";
constexpr char kGridVersion[] = "10";

float Centi(int value) {
    return static_cast<float>(value * kCentiDegree);
}

// The grid's east end, past 180 when it runs across the date line.
int RightLonCenti(const AwxGridHeader& h) {
    return h.rightLon > h.leftLon ? h.rightLon : h.rightLon + kFullTurnCenti;
}

ProductDescription GridDescriptionOf(const AwxGridHeader& h, const GridDisplayScale& scale) {
    ProductDescription d;
    d.fileId = kGridFileId;
    d.version = kGridVersion;
    d.satelliteName = std::string(h.satelliteName.begin(),
                                  std::find(h.satelliteName.begin(), h.satelliteName.end(), '\0'));
    d.dataType = static_cast<std::uint16_t>(kAwxGridCategory);
    d.year = static_cast<std::uint16_t>(h.startYear);
    d.month = static_cast<std::uint16_t>(h.startMonth);
    d.day = static_cast<std::uint16_t>(h.startDay);
    d.hour = static_cast<std::uint16_t>(h.startHour);
    d.minute = static_cast<std::uint16_t>(h.startMinute);
    d.projection = EqualLatLon;
    d.width = static_cast<std::uint16_t>(h.columns);
    d.height = static_cast<std::uint16_t>(h.rows);
    d.centerLon = Centi((h.leftLon + RightLonCenti(h)) / 2);
    d.centerLat = Centi((h.topLat + h.bottomLat) / 2);
    d.horizontalResolution = Centi(h.columnSpacing);
    d.verticalResolution = Centi(h.rowSpacing);
    d.stdLon = d.centerLon;
    d.category = kAwxGridCategory;
    GridDescription& g = d.grid;
    g.element = h.element;
    g.bytesPerValue = h.bytesPerValue;
    g.baseValue = h.baseValue;
    g.scaleFactor = h.scaleFactor;
    g.timeRange = h.timeRange;
    g.endYear = h.endYear;
    g.endMonth = h.endMonth;
    g.endDay = h.endDay;
    g.endHour = h.endHour;
    g.endMinute = h.endMinute;
    g.topLat = Centi(h.topLat);
    g.leftLon = Centi(h.leftLon);
    g.bottomLat = Centi(h.bottomLat);
    g.rightLon = Centi(h.rightLon);
    g.displayLow = scale.low;
    g.displayHigh = scale.high;
    return d;
}

EdgeGrid EdgeGridOf(const AwxGridHeader& h) {
    return EdgeGrid{h.leftLon * kCentiDegree,
                    h.topLat * kCentiDegree,
                    h.columnSpacing * kCentiDegree,
                    h.rowSpacing * kCentiDegree,
                    h.columns,
                    h.rows};
}

// The picture of a grid is refused by the projection set-up when its spacing
// or size lies outside what an equal latitude/longitude picture may have.
std::string GridPlacementRefusal(const AwxGridHeader& h) {
    return "格点 " + std::to_string(h.columns) + "×" + std::to_string(h.rows) + "、格距 " +
           std::to_string(h.columnSpacing) + "×" + std::to_string(h.rowSpacing) +
           "（0.01 度）超出等经纬度图像的范围（格距 0.008-1 度，每边 10-8192 点）";
}

}  // namespace

bool CGeoImage::ReadGridProduct(std::FILE* file) {
    AwxGrid grid;
    if (!ReadAwxGrid(file, grid, m_strReadRefusal)) {
        return false;
    }
    ProjectionParams params;
    if (SetUpFromEdges(EdgeGridOf(grid.header), params) != 0) {
        m_strReadRefusal = GridPlacementRefusal(grid.header);
        return false;
    }
    const GridDisplayScale scale = DisplayScaleOf(GridElementOf(grid.header.element), grid.values);
    m_pCounts.reset();
    try {
        const std::size_t count = grid.values.size();
        std::shared_ptr<std::uint8_t[]> counts =
            std::make_shared_for_overwrite<std::uint8_t[]>(count);
        std::transform(grid.values.begin(), grid.values.end(), counts.get(),
                       [&scale](float v) { return scale.CountOf(v); });
        std::unique_ptr<float[]> values = std::make_unique_for_overwrite<float[]>(count);
        std::copy(grid.values.begin(), grid.values.end(), values.get());
        SharedCounts shared;
        shared.width = grid.header.columns;
        shared.height = grid.header.rows;
        shared.rowStride = grid.header.columns;
        shared.topRow = counts.get();
        shared.owner = std::move(counts);
        m_pCounts = std::make_shared<const CCountsStore>(
            CCountsStore{std::move(shared), std::move(values), true});
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_description = GridDescriptionOf(grid.header, scale);
    m_calibration = scale.Table();
    m_params = params;
    ComputeExtent();
    productLoaded = 1;
    return true;
}
