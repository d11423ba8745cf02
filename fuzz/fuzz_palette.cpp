// The palette file parser on arbitrary bytes: it either refuses the text or
// returns a full table, and never reads or writes outside its storage.

#include <cstddef>
#include <cstdint>

#include "image/PaletteFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<PaletteTable> table = ParsePaletteBytes(data, size);
    if (table) {
        volatile std::uint8_t sink = (*table)[255].red;
        (void)sink;
    }
    return 0;
}
