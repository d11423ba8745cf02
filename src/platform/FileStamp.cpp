#include "platform/FileStamp.h"

#include <filesystem>
#include <system_error>

FileStamp StampOf(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    FileStamp stamp;
    if (!fs::is_regular_file(path, ec)) {
        return stamp;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) {
        return stamp;
    }
    const fs::file_time_type modified = fs::last_write_time(path, ec);
    if (ec) {
        return stamp;
    }
    stamp.exists = true;
    stamp.size = size;
    stamp.modified = static_cast<std::int64_t>(modified.time_since_epoch().count());
    return stamp;
}
