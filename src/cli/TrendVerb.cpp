// kelvra-cli trend: cloud-top cooling between two products of one geometry
// and channel, drawn over the newer picture through the composition, and/or
// summed up as the pixels cooling fast and the fastest rate.

#include <cstdio>
#include <string>

#include "cli/CliVerbs.h"
#include "cli/ConvectionArgs.h"
#include "cli/PictureOptions.h"
#include "convection/CoolingRate.h"
#include "product/ObservationTime.h"

#ifdef KELVRA_HAVE_RENDER
#include "compose/CPictureJob.h"
#include "image/CDibImage.h"
#include "image/OpenImageFile.h"
#include "platform/DataPaths.h"
#include "render/CGuiSession.h"
#include "render/PictureFile.h"
#endif

namespace {

constexpr const char* kVerb = "trend";

struct TrendOptions {
    std::string older;
    std::string newer;
    std::string output;
    bool summary = false;
};

std::string ParseTrendArgs(const CliArgs& args, TrendOptions& options) {
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size()) {
                return "missing value after -o";
            }
            options.output = args[++i];
        } else if (args[i] == "--summary") {
            options.summary = true;
        } else if (!args[i].empty() && args[i][0] == '-') {
            return "unknown option " + args[i];
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) {
        return "trend takes two products, OLD and NEW";
    }
    if (options.output.empty() && !options.summary) {
        return "nothing asked: give -o OUT and/or --summary";
    }
    options.older = files[0];
    options.newer = files[1];
    return "";
}

#ifdef KELVRA_HAVE_RENDER
// The newer product opened as the document opens it, composed with its map,
// grid and title and the cooling from the other product (made as the view
// makes it), and saved.
int SavePicture(const CGeoImage& other, const std::string& newerPath, const std::string& output) {
    CGeoImage product;
    CDibImage image;
    const OpenedImageFile opened = OpenImageFile(newerPath, product, image);
    if (!opened.imageLoaded || !opened.productRead) {
        std::fprintf(stderr, "打开文档失败。\n");
        return kExitFailed;
    }
    CGuiSession session;
    CPictureJob job(CDataPaths::FromCurrentDirectory());
    // Titled like render's picture: the first region's name.
    job.SetRegionName(RegionName(job.Paths(), 0));
    job.KeepLayers(false);
    job.Layers().m_bCooling = 1;
    PictureSubject subject(product);
    subject.path = newerPath;
    subject.previous = &other;
    PictureTarget target;
    target.path = output;
    if (ComposeAndSave(job, image, subject, target) != PictureSaveResult::kSaved) {
        std::fprintf(stderr, "保存文档失败。\n");
        return kExitFailed;
    }
    return kExitOk;
}
#endif

}  // namespace

int RunTrend(const CliArgs& args) {
    TrendOptions options;
    const std::string problem = ParseTrendArgs(args, options);
    if (!problem.empty()) {
        return UsageError(kVerb, problem);
    }
#ifndef KELVRA_HAVE_RENDER
    if (!options.output.empty()) {
        std::fprintf(stderr, "kelvra-cli: this build cannot draw pictures\n");
        return kExitFailed;
    }
#endif
    CGeoImage older;
    CGeoImage newer;
    if (!ReadConvectionProduct(options.older, false, older) ||
        !ReadConvectionProduct(options.newer, false, newer)) {
        return kExitFailed;
    }
    CCoolingMap cooling;
    std::string why;
    if (!cooling.Make(older, newer, why)) {
        std::fprintf(stderr, "%s\n", why.c_str());
        return kExitFailed;
    }
    if (options.summary) {
        const CoolingSummary summary = cooling.Summary();
        std::printf("cooling %lld fastest %.2f\n", summary.fastPixels,
                    static_cast<double>(summary.fastestKPerHour));
    }
#ifdef KELVRA_HAVE_RENDER
    if (!options.output.empty()) {
        // Drawn over the newer product, whichever was named second.
        const bool newerSecond =
            ObservationMinutes(older.Description()) < ObservationMinutes(newer.Description());
        return SavePicture(newerSecond ? older : newer, newerSecond ? options.newer : options.older,
                           options.output);
    }
#endif
    return kExitOk;
}
