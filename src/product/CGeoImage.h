#pragma once
// The geolocated product of one AWX file: its description, calibration table,
// the counts of every pixel (whose calibrated values are table lookups, made
// when read), the projection record with the geographic extent, and the
// transforms between longitude/latitude and image pixels. Every consumer
// tests productLoaded first and does nothing while it is 0.
//
// A copy shares the counts of its source (the last owner frees them); the
// description, calibration table, projection record and flag are copied.

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "geo/ProjectionParams.h"
#include "product/CalibratedGrid.h"
#include "product/ProductDescription.h"

class CCanvas;
class CDataPaths;

class CGeoImage {
public:
    CGeoImage() = default;

    // Reads the product file; true on success. Never reports anything itself.
    // Fails for anything but a regular file and for images more than
    // kAwxMaxSide pixels a side. Satellite images (category 1) and grid
    // products (category 3, product/AwxGrid.h: opened as an equal
    // latitude/longitude picture of the grid's spacing, the counts spanning
    // the element's display range, the exact values kept for every reader
    // of a value) are read.
    bool ReadProduct(const std::string& path);
    // The same, taking the counts from sameFile when they are the file's
    // data: sameFile holds the last width x height bytes of this file (as
    // the image reader reads them), and the product's data end the file.
    bool ReadProduct(const std::string& path, const SharedCounts* sameFile);
    // What the headers say (description, calibration table, projection),
    // the counts checked to lie inside the file but left unread: enough for
    // the information text, the extent and the transforms, at the cost of
    // the headers alone. Fails as ReadProduct does, but for a failure to
    // read the counts themselves.
    bool ReadProductHeaders(const std::string& path);

    // --- Geolocation: the transforms of geo/Projection.h on this product's
    // record, under the names the rest of the system uses.
    static int SetUpProjection(int type, double centerLon, double centerLat, double resolution,
                               int width, int height, double stdLat1, double stdLat2,
                               ProjectionParams& out);
    // Fills the extent of the projection record from four inverse transforms;
    // a Disk image gets an all-0 extent, which no point lies strictly inside.
    void ComputeExtent();
    static int LatLonToPixel(const ProjectionParams& params, double lon, double lat, double& x,
                             double& y);
    static int PixelToLatLon(const ProjectionParams& params, double x, double y, float& lon,
                             float& lat);

    // --- Geographic overlays (geo/MapLineOverlay.h, GridOverlay.h,
    // TitleOverlay.h) drawn for this product. Nothing is drawn while
    // productLoaded is 0; the map files come through the data paths' cache,
    // which reads a file again whenever it has changed.
    void DrawWorldMap(CCanvas& canvas, const CDataPaths& paths) const;
    void DrawChinaMap(CCanvas& canvas, const CDataPaths& paths) const;
    void DrawProvinces(CCanvas& canvas, const CDataPaths& paths) const;
    void DrawRivers(CCanvas& canvas, const CDataPaths& paths) const;
    void DrawGrid(CCanvas& canvas) const;
    // regionNameGbk is the region's name as stored (GBK). 1 when drawn, 0
    // when no product is loaded.
    int DrawTitle(CCanvas& canvas, const std::string& regionNameGbk) const;
    // The title text in UTF-8; an empty region name is left out with its blank.
    std::string TitleText(const std::string& regionNameGbk) const;
    // Installs a description and a projection record built in memory and marks
    // the product loaded, for products that do not come from a file.
    void AssignProduct(const ProductDescription& description, const ProjectionParams& params);

    // --- Product data -------------------------------------------------------
    const ProductDescription& Description() const { return m_description; }
    const std::array<float, 256>& CalibrationTable() const { return m_calibration; }
    // The counts and the table; empty when the product holds no values.
    CalibratedGrid Calibrated() const;
    // The width counts of row y, top row first; nullptr outside the image or
    // when the product holds none.
    const std::uint8_t* CountsRow(int y) const;
    // The width calibrated values of row y into out; false outside the image
    // or when the product holds no values.
    bool CalibratedRow(int y, float* out) const;
    // The calibrated value of pixel (x, y), top row first; false outside the
    // image or when the product holds no values.
    bool CalibratedValueAt(int x, int y, float& value) const;
    // width × height values, row-major, top row first; nullptr when none.
    // Made on the first request and kept with the counts (copies share it):
    // for callers that need one array. The program's own consumers read
    // rows instead, so a product normally holds only its counts and table.
    const float* CalibratedImage() const;
    // What holds the counts: the same object for this product and its copies,
    // another after every read; nullptr when there are none.
    std::shared_ptr<const void> CountsIdentity() const { return m_pCounts; }
    // How many products refer to this one's counts (0 when none).
    long CalibratedImageOwners() const { return m_pCounts ? m_pCounts.use_count() : 0; }
    const ProjectionParams& Params() const { return m_params; }

    // 1 after a complete successful read, 0 after any failed read.
    int productLoaded = 0;

    // Why the last read failed when the file itself says so (the field of a
    // grid product at fault, a category that is not read), in Chinese;
    // empty after a success or any other failure.
    const std::string& ReadRefusal() const { return m_strReadRefusal; }

private:
    // ReadProduct, or ReadProductHeaders without the counts.
    bool Read(const std::string& path, const SharedCounts* sameFile, bool withCounts);
    bool ReadGridProduct(std::FILE* file);

    // The counts and what keeps them alive (product/CGeoImageCounts.h).
    struct CCountsStore;

    ProductDescription m_description;
    std::array<float, 256> m_calibration{};
    std::shared_ptr<const CCountsStore> m_pCounts;
    ProjectionParams m_params;
    std::string m_strReadRefusal;
};
