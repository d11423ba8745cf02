#include "platform/Utf8Path.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

#ifdef _WIN32

namespace {

// Below this length the plain form works on every Windows.
constexpr std::size_t kShortPathLimit = 260;

// Through the system's conversion, which never throws: a byte that is not
// UTF-8 (a GBK name taken as it is) becomes U+FFFD and names nothing.
std::wstring WideFromUtf8(const std::string& utf8) {
    if (utf8.empty()) {
        return std::wstring();
    }
    const int length = static_cast<int>(utf8.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), size);
    return wide;
}

}  // namespace

fs::path PathFromUtf8(const std::string& utf8) {
    fs::path path(WideFromUtf8(utf8));
    const std::wstring& native = path.native();
    if (native.size() < kShortPathLimit || native.rfind(L"\\\\", 0) == 0) {
        return path;
    }
    std::error_code error;
    fs::path whole = fs::absolute(path, error);
    if (error) {
        return path;
    }
    whole.make_preferred();
    return fs::path(L"\\\\?\\" + whole.lexically_normal().native());
}

std::string Utf8FromPath(const fs::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty()) {
        return std::string();
    }
    const int length = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

std::FILE* OpenUtf8File(const std::string& utf8, const char* mode) {
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return ::_wfopen(PathFromUtf8(utf8).c_str(), wideMode.c_str());
}

#else

fs::path PathFromUtf8(const std::string& utf8) {
    return fs::path(utf8);
}

std::string Utf8FromPath(const fs::path& path) {
    return path.string();
}

std::FILE* OpenUtf8File(const std::string& utf8, const char* mode) {
    return std::fopen(utf8.c_str(), mode);
}

#endif
