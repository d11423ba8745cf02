#include "compose/PictureTarget.h"

#include <filesystem>
#include <system_error>

bool IsOpenedFile(const PictureTarget& target) {
    if (target.openedFile.empty()) {
        return false;
    }
    std::error_code ec;
    return target.path == target.openedFile ||
           std::filesystem::equivalent(target.path, target.openedFile, ec);
}
