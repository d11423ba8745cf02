#include "compose/PictureTarget.h"

#include <filesystem>
#include <system_error>

#include "platform/Utf8Path.h"

bool IsOpenedFile(const PictureTarget& target) {
    if (target.openedFile.empty()) {
        return false;
    }
    std::error_code ec;
    return target.path == target.openedFile ||
           std::filesystem::equivalent(PathFromUtf8(target.path), PathFromUtf8(target.openedFile),
                                       ec);
}
