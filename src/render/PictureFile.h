#pragma once
// A composed picture saved to a file, and a picture job's picture composed
// and saved in one call. The document's "保存当前图像", render, animate's
// PNG frames and trend all save this way and are told what failed.

#include <QImage>
#include <string>

#include "compose/CPictureJob.h"

enum class PictureSaveResult {
    kSaved,
    kOpenedFile,   // the target is the file the picture's image was opened from
    kNotComposed,  // the composition failed (and said why)
    kNoPicture,    // no picture, or one that cannot become an image
    kWriteFailed,  // the file could not be written (an unknown extension too)
};

struct PictureTarget {
    std::string path;
    // Written as PNG through Qt's writer; otherwise as a 24-bit image of
    // the picture through the image codecs, chosen by the path's extension
    // (BMP, JPEG, TGA).
    bool png = false;
    // A file never written over (the one the document was opened from);
    // empty for none.
    std::string openedFile;
};

PictureSaveResult SavePicture(const QImage& picture, const PictureTarget& target);

// Composes the subject's picture from image through the job and saves it as
// SavePicture does. For the image codecs the picture is composed in memory
// that then becomes the saved image, so it is never copied whole.
PictureSaveResult ComposeAndSave(CPictureJob& job, CDibImage& image, const PictureSubject& subject,
                                 const PictureTarget& target);
