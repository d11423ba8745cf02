#include "support/TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "platform/TempName.h"
#include "platform/Utf8Path.h"

namespace fs = std::filesystem;

#ifdef _WIN32
// The C library of Windows has no mkdtemp: a random name, made exclusively.
CTempDir::CTempDir() {
    for (int attempt = 0; attempt < 16 && m_path.empty(); ++attempt) {
        const fs::path folder =
            fs::temp_directory_path() / ("kelvra-test" + RandomTempName().substr(7));
        std::error_code ec;
        if (fs::create_directory(folder, ec)) {
            m_path = Utf8FromPath(folder);
        }
    }
}
#else
CTempDir::CTempDir() {
    std::string pattern = (fs::temp_directory_path() / "kelvra-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    m_path = made ? std::string(made) : std::string();
}
#endif

CTempDir::~CTempDir() {
    std::error_code ec;
    if (!m_path.empty()) {
        fs::remove_all(PathFromUtf8(m_path), ec);
    }
}

std::string CTempDir::File(const std::string& name) const {
    return Utf8FromPath(PathFromUtf8(m_path) / PathFromUtf8(name));
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

#ifdef _WIN32
bool MakeFifo(const std::string&) {
    return false;
}
#else
bool MakeFifo(const std::string& path) {
    return mkfifo(path.c_str(), 0600) == 0;
}
#endif

std::string SharedSampleProduct() {
    const char* fromEnv = std::getenv("KELVRA_SAMPLE_AWX");
    fs::path candidate =
        fromEnv ? fs::path(fromEnv)
                : fs::path(KELVRA_SHARED_DIR) / "samples" / "ANI_IR1_R04_20220331_2100_FY2G.AWX";
    std::error_code ec;
    return fs::is_regular_file(candidate, ec) ? candidate.string() : std::string();
}

std::string SourceDir() {
    return KELVRA_SOURCE_DIR;
}
