#include "product/ProductFileProblem.h"

#include <array>
#include <cstdint>

#include "product/AwxFileAccess.h"
#include "product/AwxGridHeader.h"
#include "product/AwxHeaders.h"

namespace {

std::string Number(std::int64_t value) {
    return std::to_string(value);
}

std::string TooShort(std::int64_t size, std::int64_t needed, const char* what) {
    return "文件太短：" + Number(size) + " 字节，" + what + "需要 " + Number(needed) + " 字节";
}

// The second header and the image data a category 1 product must hold.
std::string ImageProblem(std::FILE* file, const AwxFirstHeader& first, std::int64_t size) {
    std::array<std::uint8_t, kAwxSecondHeaderSize> bytes{};
    if (size < static_cast<std::int64_t>(kAwxHeadersSize) ||
        !SeekTo(file, kAwxFirstHeaderSize, SEEK_SET) ||
        !ReadExactly(file, bytes.data(), bytes.size())) {
        return TooShort(size, kAwxHeadersSize, "两级文件头");
    }
    const AwxSecondHeader second = ParseAwxSecondHeader(bytes.data());
    if (second.width == 0 || second.height == 0 || !AwxSizeWithinLimits(second)) {
        return "图像大小 " + Number(second.width) + "×" + Number(second.height) +
               " 超出限制（每边 1 至 " + Number(kAwxMaxSide) + "）";
    }
    const std::int64_t offset = AwxDataOffset(first);
    const std::int64_t needed = offset + static_cast<std::int64_t>(second.width) * second.height;
    if (offset < 0 || size < needed) {
        return TooShort(size, needed, "图像数据");
    }
    return std::string();
}

}  // namespace

std::string ProductFileProblem(const std::string& path) {
    UniqueStdFile file = OpenForReading(path);
    if (!file) {
        return std::string();
    }
    const std::int64_t size = FileSize(file.get());
    std::array<std::uint8_t, kAwxFirstHeaderSize> bytes{};
    if (size < static_cast<std::int64_t>(kAwxFirstHeaderSize) || !SeekTo(file.get(), 0, SEEK_SET) ||
        !ReadExactly(file.get(), bytes.data(), bytes.size())) {
        return TooShort(size < 0 ? 0 : size, kAwxFirstHeaderSize, "AWX 文件头");
    }
    const AwxFirstHeader first = ParseAwxFirstHeader(bytes.data());
    if (!IsAwxFormatIdentifier(first.formatId)) {
        return "不是 AWX 文件头";
    }
    std::string category = AwxCategoryRefusal(first);
    if (!category.empty() || IsAwxGridFile(first)) {
        // A grid product's reader says what is wrong with it itself.
        return category;
    }
    return ImageProblem(file.get(), first, size);
}

std::string MessageWithFile(const std::string& message, const std::string& path,
                            const std::string& reason) {
    return reason.empty() ? message + "\n" + path : message + "\n" + path + "：" + reason;
}
