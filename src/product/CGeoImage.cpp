// CGeoImage's geolocation and overlays: each forwards to the free function of
// its layer with this product's projection record, after the loaded test
// every consumer makes. Reading the product lives in CGeoImageRead.cpp.

#include "product/CGeoImage.h"

#include "geo/GeoExtent.h"
#include "geo/GridOverlay.h"
#include "geo/MapLineOverlay.h"
#include "geo/Projection.h"
#include "geo/TitleOverlay.h"
#include "product/ProductTitle.h"

int CGeoImage::SetUpProjection(int type, double centerLon, double centerLat, double resolution,
                               int width, int height, double stdLat1, double stdLat2,
                               ProjectionParams& out) {
    return ::SetUpProjection(type, centerLon, centerLat, resolution, width, height, stdLat1,
                             stdLat2, out);
}

void CGeoImage::ComputeExtent() {
    ComputeGeoExtent(m_params);
}

int CGeoImage::LatLonToPixel(const ProjectionParams& params, double lon, double lat, double& x,
                             double& y) {
    return ::LatLonToPixel(params, lon, lat, x, y);
}

int CGeoImage::PixelToLatLon(const ProjectionParams& params, double x, double y, float& lon,
                             float& lat) {
    return ::PixelToLatLon(params, x, y, lon, lat);
}

void CGeoImage::DrawWorldMap(CCanvas& canvas, const CDataPaths& paths) const {
    if (productLoaded != 0) {
        ::DrawWorldMap(canvas, m_params, paths);
    }
}

void CGeoImage::DrawChinaMap(CCanvas& canvas, const CDataPaths& paths) const {
    if (productLoaded != 0) {
        ::DrawChinaMap(canvas, m_params, paths);
    }
}

void CGeoImage::DrawProvinces(CCanvas& canvas, const CDataPaths& paths) const {
    if (productLoaded != 0) {
        ::DrawProvinces(canvas, m_params, paths);
    }
}

void CGeoImage::DrawRivers(CCanvas& canvas, const CDataPaths& paths) const {
    if (productLoaded != 0) {
        ::DrawRivers(canvas, m_params, paths);
    }
}

void CGeoImage::DrawGrid(CCanvas& canvas) const {
    if (productLoaded != 0) {
        ::DrawGrid(canvas, m_params);
    }
}

int CGeoImage::DrawTitle(CCanvas& canvas, const std::string& regionNameGbk) const {
    if (productLoaded == 0) {
        return 0;
    }
    DrawTitleLine(canvas, TitleText(regionNameGbk));
    return 1;
}

std::string CGeoImage::TitleText(const std::string& regionNameGbk) const {
    return ProductTitleText(m_description, regionNameGbk);
}

void CGeoImage::AssignProduct(const ProductDescription& description,
                              const ProjectionParams& params) {
    m_description = description;
    m_params = params;
    productLoaded = 1;
}
