#pragma once
// The dimensions and variables of a loop's NetCDF file, defined from its
// first product and filled a frame at a time: time, y, x (lat, lon for an
// equal latitude/longitude grid), the grid mapping through GDAL's spatial
// reference, and the calibrated variable (packed where that is exact).

#include <memory>
#include <string>

#include <gdal_priv.h>

#include "export/gdal/ProductBand.h"
#include "export/gdal/ProductGeoreference.h"

class CGeoImage;

class CNetCdfVariables {
public:
    CNetCdfVariables(GDALGroup& root, const CGeoImage& first, const ProductGeoreference& g);

    // The dimensions for frames products and every variable and attribute;
    // false, with why, when GDAL refuses one.
    bool Define(std::size_t frames, std::string& why);
    // Frame t's time and calibrated values.
    bool WriteFrame(std::size_t t, const CGeoImage& product, std::string& why);

private:
    bool DefineAxes(std::string& why);
    bool DefineValues(std::string& why);

    GDALGroup& m_root;
    const CGeoImage& m_first;
    const ProductGeoreference& m_georeference;
    ProductBand m_band;
    // An image product's values are hundredths of a 16-bit table entry:
    // stored packed as such they are exact in half the bytes, which halves
    // the compression's work. A grid's exact values stay Float32.
    bool m_bPacked = false;
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::shared_ptr<GDALDimension> m_pTime;
    std::shared_ptr<GDALDimension> m_pY;
    std::shared_ptr<GDALDimension> m_pX;
    std::shared_ptr<GDALMDArray> m_pTimes;
    std::shared_ptr<GDALMDArray> m_pValues;
};
