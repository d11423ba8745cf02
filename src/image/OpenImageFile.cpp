#include "image/OpenImageFile.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "image/CDibImage.h"
#include "product/AwxName.h"
#include "product/CGeoImage.h"

namespace {

// The grey image an AWX file loads as holds the file's last width x height
// bytes, bottom row first; the product takes them as its counts when its
// data are those bytes, so the file's pixels are read once.
SharedCounts CountsOf(const CDibImage& image) {
    SharedCounts counts;
    if (image.IsEmpty() || !image.IsEightBit()) {
        return counts;
    }
    counts.owner = image.SharedBlock();
    const std::ptrdiff_t stride = image.Stride();
    counts.topRow = image.LockBits() + stride * (image.Height() - 1);
    counts.rowStride = -stride;
    counts.width = image.Width();
    counts.height = image.Height();
    return counts;
}

}  // namespace

OpenedImageFile OpenImageFile(const std::string& path, CGeoImage& product, CDibImage& image) {
    OpenedImageFile opened;
    opened.productExpected = IsAwxName(path);
    // The image is read first so that the product can take its counts; the
    // two results do not depend on each other otherwise.
    opened.imageLoaded = image.Load(path);
    if (opened.imageLoaded && IsAwxName(path)) {
        const SharedCounts counts = CountsOf(std::as_const(image));
        opened.productRead = product.ReadProduct(path, &counts);
    } else {
        opened.productRead = product.ReadProduct(path);
    }
    opened.productRefusal = product.ReadRefusal();
    // Even after a failed load the image shown is the one "返回原图" returns to.
    image.SaveFirstState();
    return opened;
}

OpenedImageFile OpenImageFileWhole(const std::string& path, CGeoImage& product, CDibImage& image) {
    OpenedImageFile opened;
    opened.productExpected = IsAwxName(path);
    // Both are read aside; a copy of the product shares its calibrated
    // values, so trying costs nothing until the read replaces them.
    CGeoImage readProduct = product;
    opened.productRead = readProduct.ReadProduct(path);
    opened.productRefusal = readProduct.ReadRefusal();
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
