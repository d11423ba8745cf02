// The seasonal threshold tables of the precipitation estimate: any file is
// read whole or refused, never past its end, and an accepted table always
// holds the full 512 × 512 values.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FuzzInputFile.h"
#include "analysis/PrecipThresholds.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = FuzzInputFile(data, size);
    if (path.empty()) {
        return 0;
    }
    std::vector<float> thresholds;
    if (ReadPrecipThresholds(path, thresholds) && thresholds.size() != 512u * 512u) {
        std::abort();
    }
    return 0;
}
