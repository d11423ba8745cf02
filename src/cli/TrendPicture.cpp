// kelvra-cli trend's picture, in the picture module: the newer product
// opened as the document opens it, composed with its map, grid and title and
// the cooling from the other product (made as the view makes it), and saved.

#include <cstdio>
#include <string>

#include "cli/ConvectionArgs.h"
#include "cli/PictureModuleVerbs.h"
#include "cli/PictureOptions.h"
#include "compose/CPictureJob.h"
#include "compose/RasterPictureFile.h"
#include "fonts/CFreeTypeText.h"
#include "image/CDibImage.h"
#include "image/OpenImageFile.h"
#include "platform/DataPaths.h"

int TrendPicture(const CliArgs& args) {
    if (args.size() != 3) {
        std::fprintf(stderr, "kelvra-cli: trend's picture takes NEWER OTHER OUT\n");
        return kExitUsage;
    }
    const std::string& newerPath = args[0];
    CGeoImage other;
    if (!ReadConvectionProduct(args[1], false, other)) {
        return kExitFailed;
    }
    CGeoImage product;
    CDibImage image;
    const OpenedImageFile opened = OpenImageFile(newerPath, product, image);
    if (!opened.imageLoaded || !opened.productRead) {
        std::fprintf(stderr, "打开文档失败。\n");
        return kExitFailed;
    }
    CPictureJob job(CDataPaths::FromCurrentDirectory());
    CFreeTypeText text(job.Paths());
    // Titled like render's picture: the first region's name.
    job.SetRegionName(RegionName(job.Paths(), 0));
    job.KeepLayers(false);
    job.Layers().m_bCooling = 1;
    PictureSubject subject(product);
    subject.path = newerPath;
    subject.previous = &other;
    PictureTarget target;
    target.path = args[2];
    if (ComposeAndSaveRaster(job, image, subject, target, &text) != PictureSaveResult::kSaved) {
        std::fprintf(stderr, "保存文档失败。\n");
        return kExitFailed;
    }
    return kExitOk;
}
