#include "analysis/EstimatePrecipitation.h"

#include <filesystem>
#include <system_error>

#include "analysis/CPrecipEstimate.h"
#include "analysis/PrecipChannelPaths.h"
#include "platform/Message.h"
#include "platform/Utf8Path.h"

namespace {

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(PathFromUtf8(path), ec);
}

int Missing(const std::string& path, std::string* pMissingPath) {
    if (pMissingPath) {
        *pMissingPath = path;
    }
    return 0;
}

}  // namespace

int EstimatePrecipitation(CPrecipEstimate& estimate, const std::string& productPath,
                          std::string* pMissingPath) {
    std::string ir1Path;
    std::string ir2Path;
    if (!PrecipChannelPaths(productPath, ir1Path, ir2Path)) {
        return Missing(productPath, pMissingPath);
    }
    if (!FileExists(ir1Path)) {
        return Missing(ir1Path, pMissingPath);
    }
    if (!FileExists(ir2Path)) {
        return Missing(ir2Path, pMissingPath);
    }
    if (estimate.Compute(ir1Path, ir2Path) == 0) {
        ShowMessage("降水估计计算失败");
        return 0;
    }
    return 1;
}
