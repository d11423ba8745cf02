// kelvra-cli thumbnail, in the picture module: the picture a product first
// shows in the desktop view (its palette, coastlines, borders, grid and
// title), scaled to the size a file manager asks for and saved as PNG.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliPictureJob.h"
#include "cli/IntegerArg.h"
#include "cli/PictureModuleVerbs.h"
#include "compose/PictureThumbnail.h"
#include "image/OpenImageFile.h"
#include "image/PngWriter.h"

int ThumbnailPicture(const CliArgs& args) {
    int size = 0;
    if (args.size() != 3 || !ParseIntegerArg(args[2], 1, kMaxThumbnailSize, size)) {
        std::fprintf(stderr, "kelvra-cli: thumbnail takes IN OUT SIZE\n");
        return kExitUsage;
    }
    CCliPictureJob job;
    if (!job.Prepare(PictureOptions{})) {
        return kExitFailed;
    }
    // Only a product gets a thumbnail: a plain picture has its own
    // thumbnailer, and anything else must leave no file behind.
    CGeoImage product;
    CDibImage image;
    const OpenedImageFile opened = OpenImageFile(args[0], product, image);
    if (!opened.imageLoaded || !opened.productRead) {
        std::fprintf(stderr, "kelvra-cli: not an AWX product: %s\n", args[0].c_str());
        return kExitFailed;
    }
    PictureSubject subject(product);
    subject.path = args[0];
    CRasterPicture picture = job.MakePicture();
    int recompose = 1;
    if (job.Compose(image, subject, recompose, picture) != 1) {
        return kExitFailed;
    }
    std::vector<std::uint32_t> store;
    const DevicePixels scaled = ScaleToLongestSide(picture.Pixels(), size, store);
    // Written beside OUT and moved over it: a file manager never reads half a
    // thumbnail.
    if (scaled.Empty() || !SavePicturePng(scaled, args[1])) {
        std::fprintf(stderr, "kelvra-cli: cannot write %s\n", args[1].c_str());
        return kExitFailed;
    }
    return kExitOk;
}
