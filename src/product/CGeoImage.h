#pragma once
// The geolocated product of one AWX file: its description, calibration table,
// the calibrated value of every pixel, the projection record with the
// geographic extent, and the transforms between longitude/latitude and image
// pixels. Every consumer tests productLoaded first and does nothing while it
// is 0.
//
// A copy shares the calibrated image of its source (the last owner frees it);
// the description, calibration table, projection record and flag are copied.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "geo/ProjectionParams.h"
#include "product/ProductDescription.h"

class CCanvas;
class CDataPaths;

class CGeoImage {
public:
    CGeoImage() = default;

    // Reads the product file; true on success. Never reports anything itself.
    // Fails for anything but a regular file and for images more than
    // kAwxMaxSide pixels a side.
    bool ReadProduct(const std::string& path);

    // --- Projection set-up and transforms -------------------------------
    // 0 on success, -1 when a value is out of range (out is then untouched).
    static int SetUpProjection(int type, double centerLon, double centerLat, double resolution,
                               int width, int height, double stdLat1, double stdLat2,
                               ProjectionParams& out);
    // Fills the extent of m_params from four inverse transforms. A Disk image
    // has no geolocation: its extent is all 0, an empty box that no point lies
    // strictly inside.
    void ComputeExtent();
    // 0 on success; -1 without output outside the valid range; -1 with output
    // for a point in the other hemisphere of a conic or polar image; -1 for Disk.
    static int LatLonToPixel(const ProjectionParams& params, double lon, double lat, double& x,
                             double& y);
    // 0 on success; -1 without output outside the image or for Disk.
    static int PixelToLatLon(const ProjectionParams& params, double x, double y, float& lon,
                             float& lat);

    static double ResolutionInDegrees(int type, double resolution);
    static double PolarRadius(const ProjectionParams& params, double lat);
    static double AlbersRadius(double lat);
    static double AlbersLatitude(double radius);
    // Entry k: the Albers radius at latitude k/100 degrees, in units of 10 km.
    static const std::array<double, 9000>& AlbersRadiusTable();

    // --- Geographic overlays (map lines, grid, title) ----------------------
    // Each draws in image pixels onto the canvas, sets a transparent
    // background and restores every state it changed. Nothing is drawn while
    // productLoaded is 0, and map lines and grid draw nothing on a Disk image,
    // which has no geolocation. The map files are read from the data folder of
    // paths again at every call.
    void DrawWorldMap(CCanvas& canvas, const CDataPaths& paths) const;
    void DrawChinaMap(CCanvas& canvas, const CDataPaths& paths) const;
    void DrawProvinces(CCanvas& canvas, const CDataPaths& paths) const;
    void DrawRivers(CCanvas& canvas, const CDataPaths& paths) const;
    // The dashed 10-degree latitude/longitude grid.
    void DrawGrid(CCanvas& canvas) const;
    // The one-line title at (6, 6); regionNameGbk is the region's name as
    // stored (GBK). 1 when drawn, 0 when no product is loaded.
    int DrawTitle(CCanvas& canvas, const std::string& regionNameGbk) const;
    // Isotherms of the calibrated values at the eleven levels 180..300, each
    // level in its colour. 1 when drawn, 0 when no product is loaded or the
    // tracer's memory is not available.
    int DrawIsotherms(CCanvas& canvas) const;
    // The title text in UTF-8; an empty region name is left out with its blank.
    std::string TitleText(const std::string& regionNameGbk) const;
    // Installs a description and a projection record built in memory and marks
    // the product loaded, for products that do not come from a file.
    void AssignProduct(const ProductDescription& description, const ProjectionParams& params);

    // --- Product data -------------------------------------------------------
    const ProductDescription& Description() const { return m_description; }
    const std::array<float, 256>& CalibrationTable() const { return m_calibration; }
    // width × height values, row-major, top row first; nullptr when none.
    const float* CalibratedImage() const { return m_calibrated ? m_calibrated->data() : nullptr; }
    // How many products refer to this one's calibrated image (0 when none).
    long CalibratedImageOwners() const { return m_calibrated ? m_calibrated.use_count() : 0; }
    const ProjectionParams& Params() const { return m_params; }

    // 1 after a complete successful read, 0 after any failed read.
    int productLoaded = 0;

private:
    ProductDescription m_description;
    std::array<float, 256> m_calibration{};
    std::shared_ptr<const std::vector<float>> m_calibrated;
    ProjectionParams m_params;
};
