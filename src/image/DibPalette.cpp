// CDibImage::ApplyPaletteFile: the view applies the chosen palette file at
// every composition, so the file is read again each time.

#include "image/CDibImage.h"
#include "image/PaletteFile.h"

void CDibImage::ApplyPaletteFile(const std::string& path, int palettesOn) {
    if (path.empty()) {
        return;
    }
    // Only a 256-entry colour table can take a palette; a 24-bit image has
    // none to write into.
    if (IsEmpty() || ColorTableEntries() != 256) {
        return;
    }
    if (palettesOn == 0) {
        SetColorTable(GreyRamp());
        return;
    }
    const std::optional<PaletteTable> table = ReadPaletteFile(path);
    if (table) {
        SetColorTable(*table);
    }
}
