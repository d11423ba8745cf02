#pragma once
// One product as a GeoTIFF: a Float32 band of its calibrated values (NaN
// where there is none) or, for viewers, its 8-bit counts with the
// calibration in the metadata; its projection and geotransform where it has
// a geolocation; plain or cloud-optimised.

#include <string>

class CGeoImage;

struct GeoTiffOptions {
    bool counts = false;
    bool cog = false;
};

// True when target was written; notice then says what the user should know
// (no coordinate system, an inexact fit), else why names the failure.
bool ExportGeoTiff(const CGeoImage& product, const GeoTiffOptions& options,
                   const std::string& target, std::string& notice, std::string& why);
