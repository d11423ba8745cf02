#include "browse/CatalogueFolder.h"

#include <cstdlib>

#include "platform/DataPaths.h"

std::string DefaultCatalogueFolder() {
#ifdef _WIN32
    return "D:\\data\\AWX";
#else
    const char* home = std::getenv("HOME");
    const std::string base = (home && *home) ? home : ".";
    return CDataPaths::Join(CDataPaths::Join(base, "data"), "AWX");
#endif
}

std::string ReadCatalogueFolder(const CSettings& settings) {
    return settings.GetString(kFilesPathsSection, kCatalogueFolderKey, DefaultCatalogueFolder());
}

void WriteCatalogueFolder(CSettings& settings, const std::string& folder) {
    settings.SetString(kFilesPathsSection, kCatalogueFolderKey, folder);
}
