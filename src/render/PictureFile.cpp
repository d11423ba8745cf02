#include "render/PictureFile.h"

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "render/CQtPicture.h"
#include "render/DibQImage.h"
#include "render/PngFile.h"

namespace {

bool IsOpenedFile(const PictureTarget& target) {
    if (target.openedFile.empty()) {
        return false;
    }
    std::error_code ec;
    return target.path == target.openedFile ||
           std::filesystem::equivalent(target.path, target.openedFile, ec);
}

PictureSaveResult SaveImage(const CDibImage& image, const std::string& path) {
    return image.Save(path) ? PictureSaveResult::kSaved : PictureSaveResult::kWriteFailed;
}

// The image codecs' way: a picture made here is what the composition's
// rebuild would make; an image that has no picture is left to the
// composition, which says so.
PictureSaveResult ComposeAndSaveImage(CPictureJob& job, CDibImage& image,
                                      const PictureSubject& subject, const std::string& path) {
    std::vector<std::uint8_t> block;
    QImage offscreen;
    if (HasDevicePicture(image)) {
        offscreen = MakeBlockPicture(block, image.Width(), image.Height());
    }
    int recompose = offscreen.isNull() ? 1 : 0;
    CQtPicture picture(offscreen);
    if (job.Compose(image, subject, recompose, picture) != 1) {
        return PictureSaveResult::kNotComposed;
    }
    CDibImage saved;
    bool converted = false;
    if (IsBlockPicture(block, offscreen)) {
        const int width = offscreen.width();
        const int height = offscreen.height();
        offscreen = QImage();
        converted = BlockPictureToImage(std::move(block), width, height, saved);
    } else {
        converted = FromDeviceBitmap(saved, offscreen);
    }
    return converted ? SaveImage(saved, path) : PictureSaveResult::kNoPicture;
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

PictureSaveResult ComposeAndSave(CPictureJob& job, CDibImage& image, const PictureSubject& subject,
                                 const PictureTarget& target) {
    if (IsOpenedFile(target)) {
        return PictureSaveResult::kOpenedFile;
    }
    if (!target.png) {
        return ComposeAndSaveImage(job, image, subject, target.path);
    }
    QImage composed;
    int recompose = 1;
    CQtPicture picture(composed);
    if (job.Compose(image, subject, recompose, picture) != 1) {
        return PictureSaveResult::kNotComposed;
    }
    return SavePicture(composed, target);
}
