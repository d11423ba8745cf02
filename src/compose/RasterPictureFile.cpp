#include "compose/RasterPictureFile.h"

#include "compose/CRasterPicture.h"
#include "image/PngWriter.h"

PictureSaveResult ComposeAndSaveRaster(CPictureJob& job, CDibImage& image,
                                       const PictureSubject& subject, const PictureTarget& target,
                                       CTextRaster* text) {
    if (IsOpenedFile(target)) {
        return PictureSaveResult::kOpenedFile;
    }
    CRasterPicture picture(text);
    int recompose = 1;
    if (job.Compose(image, subject, recompose, picture) != 1) {
        return PictureSaveResult::kNotComposed;
    }
    if (target.png) {
        return SavePicturePng(picture.Pixels(), target.path) ? PictureSaveResult::kSaved
                                                             : PictureSaveResult::kWriteFailed;
    }
    CDibImage saved;
    if (!picture.TakeImage(saved)) {
        return PictureSaveResult::kNoPicture;
    }
    return saved.Save(target.path) ? PictureSaveResult::kSaved : PictureSaveResult::kWriteFailed;
}
