// The palette file parser on arbitrary bytes: it either refuses the text or
// returns a full table, and never reads or writes outside its storage; read
// from a file, the same bytes give the same table.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzInputFile.h"

#include "image/PaletteFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<PaletteTable> table = ParsePaletteBytes(data, size);
    if (table) {
        volatile std::uint8_t sink = (*table)[255].red;
        (void)sink;
    }
    const std::string& path = FuzzInputFile(data, size);
    if (path.empty()) {
        return 0;
    }
    const std::optional<PaletteTable> read = ReadPaletteFile(path);
    if (read.has_value() != table.has_value() ||
        (read && std::memcmp(read->data(), table->data(), sizeof(PaletteTable)) != 0)) {
        std::abort();
    }
    return 0;
}
