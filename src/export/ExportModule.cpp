#include "export/ExportModule.h"

#include <array>

#include "export/ExportCall.h"
#include "platform/DataPaths.h"
#include "platform/ModuleLoader.h"
#include "platform/RegularFile.h"

#ifndef KELVRA_MODULE_DIR
#define KELVRA_MODULE_DIR "lib/kelvra"
#endif

#ifdef KELVRA_EXPORT_MODULE

namespace {

constexpr std::size_t kMessageSize = 2048;

// Beside the executable, then under the installed prefix's module folder.
std::vector<std::string> ModulePlaces() {
    const std::string folder = CDataPaths::ExecutableFolder();
    if (folder.empty()) {
        return {};
    }
    return {
        CDataPaths::Join(folder, KELVRA_EXPORT_MODULE),
        CDataPaths::Join(CDataPaths::Join(folder, "../" KELVRA_MODULE_DIR), KELVRA_EXPORT_MODULE)};
}

const char* FormatName(ExportRequest::Format format) {
    return format == ExportRequest::Format::kNetCdf ? "netcdf" : "geotiff";
}

bool Call(KelvraExportEntry entry, const ExportRequest& request, std::string& message) {
    std::vector<const char*> inputs;
    for (const std::string& input : request.inputs) {
        inputs.push_back(input.c_str());
    }
    std::array<char, kMessageSize> text{};
    KelvraExportCall call{kExportCallVersion,
                          FormatName(request.format),
                          static_cast<int>(inputs.size()),
                          inputs.data(),
                          request.output.c_str(),
                          request.counts ? 1 : 0,
                          request.cog ? 1 : 0,
                          text.data(),
                          static_cast<int>(text.size())};
    const int rc = entry(&call);
    text.back() = '\0';
    message = text.data();
    return rc == 0;
}

}  // namespace

bool ExportModuleBuilt() {
    return true;
}

bool RunExportModule(const ExportRequest& request, std::string& message) {
    for (const std::string& path : ModulePlaces()) {
        if (!IsRegularFile(path)) {
            continue;
        }
        std::string why;
        void* entry = LoadModuleEntry(path, kExportEntryName, why);
        if (entry == nullptr) {
            message = "导出模块 " + path + " 无法加载: " + why;
            return false;
        }
        return Call(reinterpret_cast<KelvraExportEntry>(entry), request, message);
    }
    message = "导出模块 " KELVRA_EXPORT_MODULE " 不在程序旁，也不在 ../" KELVRA_MODULE_DIR " 中";
    return false;
}

#else

bool ExportModuleBuilt() {
    return false;
}

bool RunExportModule(const ExportRequest& /*request*/, std::string& message) {
    message = "本版本未带 GDAL 编译，不能导出 GeoTIFF 或 NetCDF";
    return false;
}

#endif
