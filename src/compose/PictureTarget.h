#pragma once
// Where a composed picture is saved and what became of the save: shared by
// the render layer's pictures and the command line's raster pictures.

#include <string>

enum class PictureSaveResult {
    kSaved,
    kOpenedFile,   // the target is the file the picture's image was opened from
    kNotComposed,  // the composition failed (and said why)
    kNoPicture,    // no picture, or one that cannot become an image
    kWriteFailed,  // the file could not be written (an unknown extension too)
};

struct PictureTarget {
    std::string path;
    // Written as PNG; otherwise as a 24-bit image of the picture through
    // the image codecs, chosen by the path's extension (BMP, JPEG, TGA).
    bool png = false;
    // A file never written over (the one the document was opened from);
    // empty for none.
    std::string openedFile;
};

// True when the target is the file the picture's image was opened from (the
// same path, or another name of that file).
bool IsOpenedFile(const PictureTarget& target);
