#include "render/PictureFile.h"

#include "render/DibQImage.h"
#include "render/PngFile.h"

namespace {

PictureSaveResult SaveImage(const CDibImage& image, const std::string& path) {
    return image.Save(path) ? PictureSaveResult::kSaved : PictureSaveResult::kWriteFailed;
}

}  // namespace

PictureSaveResult SavePicture(const QImage& picture, const PictureTarget& target) {
    if (IsOpenedFile(target)) {
        return PictureSaveResult::kOpenedFile;
    }
    if (target.png) {
        if (picture.isNull()) {
            return PictureSaveResult::kNoPicture;
        }
        return SavePng(picture, target.path) ? PictureSaveResult::kSaved
                                             : PictureSaveResult::kWriteFailed;
    }
    CDibImage saved;
    if (!FromDeviceBitmap(saved, picture)) {
        return PictureSaveResult::kNoPicture;
    }
    return SaveImage(saved, target.path);
}
