#include "image/OpenImageFile.h"

#include <cstdint>
#include <vector>

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

OpenedImageFile OpenImageFileWhole(const std::string& path, CGeoImage& product, CDibImage& image) {
    OpenedImageFile opened;
    // Both are read aside; a copy of the product shares its calibrated
    // values, so trying costs nothing until the read replaces them.
    CGeoImage readProduct = product;
    opened.productRead = readProduct.ReadProduct(path);
    CDibImage loaded;
    opened.imageLoaded = loaded.Load(path);
    if (!opened.imageLoaded) {
        return opened;
    }
    product = readProduct;
    image.Attach(std::vector<std::uint8_t>(loaded.Block()));
    image.SaveFirstState();
    return opened;
}
