// The projection-region file reader on arbitrary text: whatever the file
// holds, it returns complete records only, never more than the count says.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzInputFile.h"
#include "geo/RegionFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = FuzzInputFile(data, size);
    if (path.empty()) {
        return 0;
    }
    std::vector<RegionRecord> records;
    const bool complete = ReadRegionRecords(path, records);
    std::vector<std::string> names;
    if (ReadRegionNames(path, names) != complete || names.size() != records.size()) {
        std::abort();  // both readers see the same file the same way
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] != records[i].name || names[i].empty() ||
            RegionNameAt(names, static_cast<int>(i)) != names[i]) {
            std::abort();
        }
    }
    if (!RegionNameAt(names, static_cast<int>(names.size())).empty() ||
        !RegionNameAt(names, -1).empty()) {
        std::abort();
    }
    return 0;
}
