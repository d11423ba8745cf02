#pragma once
// What the export tests share: synthetic products of each projection family,
// an exported file opened through GDAL, and kelvra's own reading of a pixel.

#include <memory>
#include <string>

#include <gdal_priv.h>

#include "synth/AwxWriter.h"

struct FamilyCase {
    const char* name;
    int projection;
    double centerLon;
    double centerLat;
    double resolution;
    double stdLat1;
    double stdLat2;
};

struct DatasetCloser {
    void operator()(GDALDataset* ds) const { GDALClose(ds); }
};
using OpenDataset = std::unique_ptr<GDALDataset, DatasetCloser>;

inline OpenDataset OpenExported(const std::string& path) {
    GDALAllRegister();
    return OpenDataset(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
}

inline AwxWriterOptions FamilyProduct(const FamilyCase& c) {
    AwxWriterOptions o;
    o.projection = c.projection;
    o.centerLon = c.centerLon;
    o.centerLat = c.centerLat;
    o.resolution = c.resolution;
    o.stdLat1 = c.stdLat1;
    o.stdLat2 = c.stdLat2;
    o.width = 640;
    o.height = 480;
    return o;
}
