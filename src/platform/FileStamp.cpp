#include "platform/FileStamp.h"

#include <filesystem>
#include <system_error>

#include "platform/Utf8Path.h"

#ifdef _WIN32

#include <windows.h>

// The C library's times on Windows are whole seconds; the system's own are
// tenths of microseconds, so a file rewritten within a second is told apart.
FileStamp StampOf(const std::string& path) {
    FileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(PathFromUtf8(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return stamp;
    }
    stamp.exists = true;
    stamp.size = (std::uintmax_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    stamp.modified =
        static_cast<std::int64_t>((std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                                  data.ftLastWriteTime.dwLowDateTime);
    return stamp;
}

#else

FileStamp StampOf(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    FileStamp stamp;
    const fs::path file = PathFromUtf8(path);
    if (!fs::is_regular_file(file, ec)) {
        return stamp;
    }
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec) {
        return stamp;
    }
    const fs::file_time_type modified = fs::last_write_time(file, ec);
    if (ec) {
        return stamp;
    }
    stamp.exists = true;
    stamp.size = size;
    stamp.modified = static_cast<std::int64_t>(modified.time_since_epoch().count());
    return stamp;
}

#endif
