#include "image/OpenImageFile.h"

#include "image/CDibImage.h"
#include "product/CGeoImage.h"

OpenedImageFile OpenImageFile(const std::string& path, CGeoImage& product, CDibImage& image) {
    OpenedImageFile opened;
    opened.productRead = product.ReadProduct(path);
    opened.imageLoaded = image.Load(path);
    // Even after a failed load the image shown is the one "返回原图" returns to.
    image.SaveFirstState();
    return opened;
}
