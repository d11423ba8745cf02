#include "export/gdal/NetCdfVariables.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "export/gdal/DatasetDescription.h"
#include "product/CGeoImage.h"
#include "product/ObservationTime.h"

namespace {

constexpr const char* kTimeUnits = "minutes since 1970-01-01 00:00:00";
// Deflate's fastest level: the values of a 256-entry table compress about
// as well at level 1 as at 9.
constexpr const char* kDeflateLevel = "ZLEVEL=1";
// A packed value is the calibrated value in hundredths; the largest 16-bit
// number marks no value.
constexpr double kPackedScale = 0.01;
constexpr std::uint16_t kPackedNoValue = 65535;

bool SetText(GDALIHasAttribute& holder, const char* name, const std::string& value) {
    auto attribute = holder.CreateAttribute(name, {}, GDALExtendedDataType::CreateString());
    return attribute && attribute->Write(value.c_str());
}

// Axis names, units and standard names: projected metres, or longitude and
// latitude on an equal latitude/longitude grid (and pixel numbers without
// any geolocation).
struct AxisWords {
    const char* name;
    const char* units;
    const char* standardName;
    const char* axis;
};

constexpr AxisWords kProjected[2] = {{"x", "m", "projection_x_coordinate", "X"},
                                     {"y", "m", "projection_y_coordinate", "Y"}};
constexpr AxisWords kGeographic[2] = {{"lon", "degrees_east", "longitude", "X"},
                                      {"lat", "degrees_north", "latitude", "Y"}};
constexpr AxisWords kPixels[2] = {{"x", "1", "", "X"}, {"y", "1", "", "Y"}};

const AxisWords* AxesOf(const ProductGeoreference& g, int type) {
    if (!g.located) {
        return kPixels;
    }
    return type == EqualLatLon ? kGeographic : kProjected;
}

// Coordinates of pixel centres along one axis of the geotransform.
std::vector<double> Centres(int count, double origin, double step, bool located) {
    std::vector<double> values(count);
    for (int i = 0; i < count; ++i) {
        values[i] = located ? origin + (i + 0.5) * step : i;
    }
    return values;
}

bool WriteAxis(GDALGroup& root, const std::shared_ptr<GDALDimension>& dim, const AxisWords& words,
               const std::vector<double>& values) {
    auto array = root.CreateMDArray(words.name, {dim}, GDALExtendedDataType::Create(GDT_Float64));
    if (!array) {
        return false;
    }
    const GUInt64 start = 0;
    const size_t count = values.size();
    bool ok = array->Write(&start, &count, nullptr, nullptr,
                           GDALExtendedDataType::Create(GDT_Float64), values.data());
    ok = ok && SetText(*array, "units", words.units) && SetText(*array, "axis", words.axis);
    if (*words.standardName != '\0') {
        ok = ok && SetText(*array, "standard_name", words.standardName);
    }
    return ok;
}

// "kelvra_satellite" of "SATELLITE", "kelvra_geolocation_…" of "KELVRA_GEOLOCATION_…".
std::string AttributeName(const std::string& key) {
    std::string name = key.rfind("KELVRA_", 0) == 0 ? key : "KELVRA_" + key;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

}  // namespace

CNetCdfVariables::CNetCdfVariables(GDALGroup& root, const CGeoImage& first,
                                   const ProductGeoreference& g)
    : m_root(root),
      m_first(first),
      m_georeference(g),
      m_band(BandOf(first.Description())),
      m_bPacked(!first.Description().IsGrid()),
      m_nWidth(first.Description().width),
      m_nHeight(first.Description().height) {}

bool CNetCdfVariables::Define(std::size_t frames, std::string& why) {
    const AxisWords* axes = AxesOf(m_georeference, m_first.Params().type);
    m_pTime = m_root.CreateDimension("time", GDAL_DIM_TYPE_TEMPORAL, "", frames);
    m_pY = m_root.CreateDimension(axes[1].name, GDAL_DIM_TYPE_HORIZONTAL_Y, "", m_nHeight);
    m_pX = m_root.CreateDimension(axes[0].name, GDAL_DIM_TYPE_HORIZONTAL_X, "", m_nWidth);
    if (!m_pTime || !m_pY || !m_pX || !SetText(m_root, "Conventions", "CF-1.8") ||
        !SetText(m_root, "source", "kelvra")) {
        why = std::string("GDAL 无法定义 NetCDF 维: ") + CPLGetLastErrorMsg();
        return false;
    }
    if (!DefineAxes(why) || !DefineValues(why)) {
        return false;
    }
    return true;
}

bool CNetCdfVariables::DefineAxes(std::string& why) {
    const AxisWords* axes = AxesOf(m_georeference, m_first.Params().type);
    const GeoTransform& t = m_georeference.transform;
    const bool located = m_georeference.located;
    m_pTimes = m_root.CreateMDArray("time", {m_pTime}, GDALExtendedDataType::Create(GDT_Float64));
    const bool ok = m_pTimes && SetText(*m_pTimes, "units", kTimeUnits) &&
                    SetText(*m_pTimes, "calendar", "standard") &&
                    SetText(*m_pTimes, "standard_name", "time") &&
                    SetText(*m_pTimes, "axis", "T") &&
                    WriteAxis(m_root, m_pX, axes[0], Centres(m_nWidth, t[0], t[1], located)) &&
                    WriteAxis(m_root, m_pY, axes[1], Centres(m_nHeight, t[3], t[5], located));
    if (!ok) {
        why = std::string("GDAL 无法写 NetCDF 坐标轴: ") + CPLGetLastErrorMsg();
    }
    return ok;
}

bool CNetCdfVariables::DefineValues(std::string& why) {
    const std::string block =
        "BLOCKSIZE=1," + std::to_string(m_nHeight) + "," + std::to_string(m_nWidth);
    const char* const options[] = {"COMPRESS=DEFLATE", kDeflateLevel, block.c_str(), nullptr};
    m_pValues = m_root.CreateMDArray(
        m_band.variable, {m_pTime, m_pY, m_pX},
        GDALExtendedDataType::Create(m_bPacked ? GDT_UInt16 : GDT_Float32), options);
    bool ok = m_pValues &&
              (m_bPacked ? m_pValues->SetNoDataValue(static_cast<double>(kPackedNoValue)) &&
                               m_pValues->SetScale(kPackedScale)
                         : m_pValues->SetNoDataValue(std::numeric_limits<double>::quiet_NaN())) &&
              SetText(*m_pValues, "long_name", m_band.description) &&
              (m_band.unit.empty() || SetText(*m_pValues, "units", m_band.unit));
    if (ok && !m_band.standardName.empty()) {
        ok = SetText(*m_pValues, "standard_name", m_band.standardName);
    }
    for (const auto& [key, value] : ProductMetadata(m_first.Description(), m_georeference)) {
        if (ok && key != "OBSERVATION_TIME") {
            ok = SetText(m_root, AttributeName(key).c_str(), value);
        }
    }
    if (ok && m_georeference.located) {
        OGRSpatialReference srs;
        srs.importFromWkt(m_georeference.wkt.c_str());
        // The CRS's first axis (east) runs along the array's third
        // dimension (x), its second along the second (y).
        srs.SetDataAxisToSRSAxisMapping({3, 2});
        ok = m_pValues->SetSpatialRef(&srs);
    }
    if (!ok) {
        why = std::string("GDAL 无法定义 NetCDF 变量: ") + CPLGetLastErrorMsg();
    }
    return ok;
}

bool CNetCdfVariables::WriteFrame(std::size_t t, const CGeoImage& product, std::string& why) {
    const double minutes = static_cast<double>(ObservationMinutes(product.Description()));
    const GUInt64 timeStart = t;
    const size_t one = 1;
    const GUInt64 start[3] = {t, 0, 0};
    const size_t count[3] = {1, static_cast<size_t>(m_nHeight), static_cast<size_t>(m_nWidth)};
    std::vector<std::uint16_t> packed;
    std::vector<float> values;
    const bool read = m_bPacked ? PackedValues(product, kPackedNoValue, packed)
                                : CalibratedValues(product, values);
    if (!read) {
        why = "产品没有数据";
        return false;
    }
    const bool ok =
        m_pTimes->Write(&timeStart, &one, nullptr, nullptr,
                        GDALExtendedDataType::Create(GDT_Float64), &minutes) &&
        (m_bPacked ? m_pValues->Write(start, count, nullptr, nullptr,
                                      GDALExtendedDataType::Create(GDT_UInt16), packed.data())
                   : m_pValues->Write(start, count, nullptr, nullptr,
                                      GDALExtendedDataType::Create(GDT_Float32), values.data()));
    if (!ok) {
        why = std::string("GDAL 写 NetCDF 数据失败: ") + CPLGetLastErrorMsg();
    }
    return ok;
}
