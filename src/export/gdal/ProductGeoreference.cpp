#include "export/gdal/ProductGeoreference.h"

#include <memory>
#include <vector>

#include <ogr_spatialref.h>

#include "export/gdal/ProjDefinition.h"
#include "geo/ProjectionTable.h"

namespace {

// Sample points a side: enough to see any curvature the affine misses.
constexpr int kSamplesPerSide = 41;

struct TransformDeleter {
    void operator()(OGRCoordinateTransformation* t) const {
        OGRCoordinateTransformation::DestroyCT(t);
    }
};

// kelvra's own longitude/latitude at a grid of pixels over the whole image,
// the last column and row included.
std::vector<FitSample> KelvraSamples(const ProjectionParams& p, const ProjectionFamily& family) {
    std::vector<FitSample> samples;
    for (int j = 0; j < kSamplesPerSide; ++j) {
        for (int i = 0; i < kSamplesPerSide; ++i) {
            FitSample s;
            s.x = (p.width - 1) * static_cast<double>(i) / (kSamplesPerSide - 1);
            s.y = (p.height - 1) * static_cast<double>(j) / (kSamplesPerSide - 1);
            family.inverse(p, s.x, s.y, s.east, s.north);
            samples.push_back(s);
        }
    }
    return samples;
}

// Projects the samples' longitude/latitude in place, dropping any PROJ refuses.
bool ProjectSamples(const OGRSpatialReference& srs, std::vector<FitSample>& samples,
                    std::string& why) {
    std::unique_ptr<OGRSpatialReference> geographic(srs.CloneGeogCS());
    if (!geographic) {
        why = "投影没有地理坐标系";
        return false;
    }
    geographic->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::unique_ptr<OGRCoordinateTransformation, TransformDeleter> ct(
        OGRCreateCoordinateTransformation(geographic.get(), &srs));
    if (!ct) {
        why = "PROJ 无法建立坐标变换";
        return false;
    }
    std::vector<FitSample> kept;
    for (FitSample s : samples) {
        if (ct->Transform(1, &s.east, &s.north)) {
            kept.push_back(s);
        }
    }
    samples.swap(kept);
    return true;
}

}  // namespace

bool GeoreferenceProduct(const ProjectionParams& params, ProductGeoreference& out,
                         std::string& why) {
    out = ProductGeoreference();
    const ProjectionFamily* family = FindProjectionFamily(params.type);
    out.projDefinition = ProjDefinition(params);
    if (family == nullptr || family->inverse == nullptr || out.projDefinition.empty()) {
        return true;
    }
    OGRSpatialReference srs;
    if (srs.importFromProj4(out.projDefinition.c_str()) != OGRERR_NONE) {
        why = "PROJ 不接受投影定义 " + out.projDefinition;
        return false;
    }
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::vector<FitSample> samples = KelvraSamples(params, *family);
    if (!ProjectSamples(srs, samples, why)) {
        return false;
    }
    if (!FitGeoTransform(samples, out.transform)) {
        why = "无法由产品的定位求出仿射变换";
        return false;
    }
    char* wkt = nullptr;
    const char* const options[] = {"FORMAT=WKT2_2019", nullptr};
    if (srs.exportToWkt(&wkt, options) != OGRERR_NONE || wkt == nullptr) {
        CPLFree(wkt);
        why = "投影无法写成 WKT";
        return false;
    }
    out.wkt = wkt;
    CPLFree(wkt);
    out.largestErrorPixels = LargestFitError(samples, out.transform);
    out.located = true;
    return true;
}
