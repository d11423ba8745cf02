#include "product/AwxFileAccess.h"

#include <array>

#include "platform/RegularFile.h"

UniqueStdFile OpenForReading(const std::string& path) {
    return UniqueStdFile(OpenRegularFileForReading(path));
}

bool ReadExactly(std::FILE* file, void* buffer, std::size_t size) {
    return std::fread(buffer, 1, size, file) == size;
}

bool SeekTo(std::FILE* file, std::int64_t offset, int whence) {
#ifdef _WIN32
    return _fseeki64(file, offset, whence) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), whence) == 0;
#endif
}

std::int64_t FilePosition(std::FILE* file) {
#ifdef _WIN32
    return _ftelli64(file);
#else
    return static_cast<std::int64_t>(ftello(file));
#endif
}

std::int64_t FileSize(std::FILE* file) {
    if (!SeekTo(file, 0, SEEK_END)) {
        return -1;
    }
    return FilePosition(file);
}

bool ReadAwxHeaders(std::FILE* file, AwxFirstHeader& first, AwxSecondHeader& second) {
    std::array<std::uint8_t, kAwxFirstHeaderSize> firstBytes{};
    if (!ReadExactly(file, firstBytes.data(), firstBytes.size())) {
        return false;
    }
    first = ParseAwxFirstHeader(firstBytes.data());
    if (!PassesAwxFirstChecks(first)) {
        return false;
    }
    std::array<std::uint8_t, kAwxSecondHeaderSize> secondBytes{};
    if (!ReadExactly(file, secondBytes.data(), secondBytes.size())) {
        return false;
    }
    second = ParseAwxSecondHeader(secondBytes.data());
    return true;
}

bool AwxSizeWithinLimits(const AwxSecondHeader& second) {
    return second.width <= kAwxMaxSide && second.height <= kAwxMaxSide;
}
