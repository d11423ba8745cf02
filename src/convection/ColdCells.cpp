#include "convection/ColdCells.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "geo/Projection.h"
#include "product/CGeoImage.h"
#include "product/GridElements.h"

namespace {

// Calibrated values at or below this are no measurement (an absent table).
constexpr float kNoTemperatureK = 100.0f;

struct RegionSums {
    double area = 0.0;
    double areaX = 0.0;
    double areaY = 0.0;
    double areaK = 0.0;
    float minK = std::numeric_limits<float>::max();
    int pixels = 0;
};

// Sums the pixels of every region, row by row; a row's area nodes are
// worked out once for all its runs. Temperatures only when asked (the shield needs its
// area alone).
std::vector<RegionSums> SumRegions(const CalibratedGrid& grid, const CPixelAreas& areas,
                                   const RunRegions& regions, bool temperatures) {
    std::vector<RegionSums> sums(static_cast<std::size_t>(regions.count));
    std::vector<float> rowNodes;
    for (int y = 0; y < grid.height; ++y) {
        const std::size_t first = regions.rowStart[y];
        const std::size_t last = regions.rowStart[y + 1];
        if (first == last) {
            continue;
        }
        areas.RowNodes(y, rowNodes);
        const std::uint8_t* counts = grid.CountsRow(y);
        const float* values = grid.values != nullptr ? grid.ValuesRow(y) : nullptr;
        for (std::size_t r = first; r < last; ++r) {
            const CellRun& run = regions.runs[r];
            RegionSums& s = sums[static_cast<std::size_t>(regions.region[r])];
            double runArea = 0.0;
            for (int x = run.x0; x < run.x1; ++x) {
                const double a = CPixelAreas::AtNode(rowNodes, x);
                runArea += a;
                s.areaX += a * x;
                if (temperatures) {
                    const float k = values != nullptr ? values[x] : grid.table[counts[x]];
                    s.areaK += a * k;
                    s.minK = std::min(s.minK, k);
                }
            }
            s.area += runArea;
            s.areaY += runArea * y;
            s.pixels += run.Length();
        }
    }
    return sums;
}

ColdCell CellOf(const RegionSums& s, const ProjectionParams& params) {
    ColdCell cell;
    cell.areaKm2 = s.area;
    cell.minK = s.minK;
    cell.meanK = static_cast<float>(s.areaK / s.area);
    cell.pixels = s.pixels;
    // The mean position is taken in the image, where the date line is no
    // seam, and then located.
    cell.x = s.areaX / s.area;
    cell.y = s.areaY / s.area;
    LocateImagePoint(params, cell.x, cell.y, cell.lon, cell.lat);
    return cell;
}

// The regions at or below ceilingK. A grid with exact values is judged by
// them, through a mask of the pixels that pass (count 1).
RunRegions RegionsAtOrBelow(const CalibratedGrid& grid, float ceilingK) {
    if (grid.values == nullptr) {
        return LabelRuns(grid, CountsAtOrBelow(grid.table, ceilingK, kNoTemperatureK));
    }
    const std::size_t width = static_cast<std::size_t>(grid.width);
    std::vector<std::uint8_t> mask(width * static_cast<std::size_t>(grid.height));
    std::transform(grid.values, grid.values + mask.size(), mask.begin(), [ceilingK](float k) {
        return static_cast<std::uint8_t>(k > kNoTemperatureK && k <= ceilingK ? 1 : 0);
    });
    CalibratedGrid masked = grid;
    masked.topRow = mask.data();
    masked.rowStride = static_cast<std::ptrdiff_t>(width);
    std::array<bool, 256> marked{};
    marked[1] = true;
    return LabelRuns(masked, marked);
}

// The shield areas of the cells: the shield region holding each cell's
// first pixel.
void AddShields(const CalibratedGrid& grid, const CPixelAreas& areas,
                const ConvectionSettings& settings, std::vector<ColdCell>& cells) {
    const RunRegions shields = RegionsAtOrBelow(grid, settings.shieldThresholdK);
    const std::vector<RegionSums> sums = SumRegions(grid, areas, shields, false);
    for (ColdCell& cell : cells) {
        const int shield = shields.RegionAt(cell.runs.front().x0, cell.runs.front().y);
        cell.shieldKm2 = shield >= 0 ? sums[static_cast<std::size_t>(shield)].area : cell.areaKm2;
    }
}

}  // namespace

std::vector<ColdCell> FindColdCells(const CalibratedGrid& grid, const ProjectionParams& params,
                                    const CPixelAreas& areas, const ConvectionSettings& settings) {
    std::vector<ColdCell> cells;
    if (grid.Empty() || areas.Empty()) {
        return cells;
    }
    RunRegions regions = RegionsAtOrBelow(grid, settings.thresholdK);
    const std::vector<RegionSums> sums = SumRegions(grid, areas, regions, true);
    std::vector<int> cellOfRegion(sums.size(), -1);
    for (std::size_t r = 0; r < sums.size(); ++r) {
        if (sums[r].pixels > 0 && sums[r].area >= settings.minAreaKm2) {
            cellOfRegion[r] = static_cast<int>(cells.size());
            cells.push_back(CellOf(sums[r], params));
        }
    }
    for (std::size_t i = 0; i < regions.runs.size(); ++i) {
        const int cell = cellOfRegion[static_cast<std::size_t>(regions.region[i])];
        if (cell >= 0) {
            cells[static_cast<std::size_t>(cell)].runs.push_back(regions.runs[i]);
        }
    }
    if (cells.empty()) {
        return cells;
    }
    AddShields(grid, areas, settings, cells);
    std::stable_sort(cells.begin(), cells.end(),
                     [](const ColdCell& a, const ColdCell& b) { return a.areaKm2 > b.areaKm2; });
    for (std::size_t i = 0; i < cells.size(); ++i) {
        cells[i].id = static_cast<int>(i) + 1;
    }
    return cells;
}

std::string ColdCellRefusal(const CGeoImage& product) {
    if (product.productLoaded == 0 || product.Calibrated().Empty()) {
        return "没有打开的卫星产品";
    }
    const ProductDescription& d = product.Description();
    if (d.IsGrid() && !ValuesAreTemperatures(d)) {
        return "格点产品的要素不是温度,不能识别冷云团";
    }
    if (!d.IsGrid() && !IsInfraredChannel(d.channel)) {
        return "不是红外通道的产品,不能识别冷云团";
    }
    if (product.Params().type == Disk) {
        return "圆盘图没有地理定位,不能计算云团面积和位置";
    }
    return "";
}

bool IsInfraredChannel(int channel) {
    return channel == 1 || channel == 2 || channel == 4;
}

bool LocateImagePoint(const ProjectionParams& params, double x, double y, double& lon,
                      double& lat) {
    if (params.type == Disk) {
        return false;
    }
    x = std::clamp(x, 0.0, params.width - 1.0 - 1e-6);
    y = std::clamp(y, 0.0, params.height - 1.0 - 1e-6);
    float fLon = 0.0f;
    float fLat = 0.0f;
    if (PixelToLatLon(params, x, y, fLon, fLat) != 0) {
        return false;
    }
    lon = fLon;
    lat = fLat;
    return true;
}
