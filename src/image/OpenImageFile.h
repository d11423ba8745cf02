#pragma once
// Opening a file as the document does: the product is read first (a plain
// picture has none), then the image by extension, and the image's state as
// loaded is kept for "返回原图". The document, the animation's frames and
// the command line all open files this way; each says what failed its own way.

#include <string>

class CDibImage;
class CGeoImage;

struct OpenedImageFile {
    bool productRead = false;  // false leaves the previous product description in place
    bool imageLoaded = false;  // false leaves the previous image in place
    // Why the product could not be read, when the file says (see
    // CGeoImage::ReadRefusal).
    std::string productRefusal;
    // A file named as a product should carry a description; a plain picture
    // (BMP, JPEG, TGA) has none, and its missing one is no failure.
    bool productExpected = false;
};

OpenedImageFile OpenImageFile(const std::string& path, CGeoImage& product, CDibImage& image);

// The same, all or nothing, as the document opens a file the user chose:
// when the image cannot be read, product and image stay exactly as they were
// (a failed product read alone still opens, as for a plain picture).
OpenedImageFile OpenImageFileWhole(const std::string& path, CGeoImage& product, CDibImage& image);
