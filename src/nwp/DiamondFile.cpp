#include "nwp/DiamondFile.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>
#include <utility>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

DiamondError ReadDiamondBytes(const std::string& path, std::size_t limit, bool prefixOnly,
                              std::string& bytes) {
    std::uint64_t size = 0;
    std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFileForReading(path, size));
    if (!file) {
        return DiamondError::CannotOpen;
    }
    // A file larger than the limit is refused by its size, before any of it
    // is read or memory is taken for it.
    if (size > limit && !prefixOnly) {
        return DiamondError::TooLarge;
    }
    constexpr std::size_t kChunk = 1 << 20;
    std::string data;
    try {
        // One read of the whole file when its size is known; chunks otherwise.
        if (size > 0) {
            data.reserve(std::min(static_cast<std::size_t>(size), limit) + 1);
        }
        std::size_t used = 0;
        while (true) {
            // One byte beyond the limit tells a larger file.
            std::size_t room = data.capacity() > used ? data.capacity() - used : kChunk;
            room = std::min(room, limit + 1 - used);
            data.resize(used + room);
            const std::size_t got = std::fread(&data[used], 1, room, file.get());
            used += got;
            if (used > limit) {
                if (!prefixOnly) {
                    return DiamondError::TooLarge;
                }
                used = limit;
                break;
            }
            if (got < room) {
                break;
            }
        }
        data.resize(used);
    } catch (const std::bad_alloc&) {
        return DiamondError::OutOfMemory;
    }
    if (data.size() < kMinDiamondBytes) {
        return DiamondError::TooShort;
    }
    bytes = std::move(data);
    return DiamondError::None;
}
