#pragma once
// Runs an export through the export module (kelvra-export), loaded on the
// first export only: GDAL, which it links, takes 70-90 ms to load, which no
// other command may pay. The module is found beside the executable (the
// build tree) or in the prefix's lib/kelvra (an installation). A build
// without GDAL has no module, and every export then says so.

#include <string>
#include <vector>

struct ExportRequest {
    enum class Format { kGeoTiff, kNetCdf };
    Format format = Format::kGeoTiff;
    std::vector<std::string> inputs;
    std::string output;
    bool counts = false;
    bool cog = false;
};

// True when the file was written; message then holds what the user should
// know (empty when nothing), else why nothing was written. The target is
// either whole or untouched.
bool RunExportModule(const ExportRequest& request, std::string& message);

// True when this build has the export module at all (it was built with GDAL).
bool ExportModuleBuilt();
