#include "support/TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

CTempDir::CTempDir() {
    std::string pattern = (fs::temp_directory_path() / "kelvra-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    m_path = made ? std::string(made) : std::string();
}

CTempDir::~CTempDir() {
    std::error_code ec;
    if (!m_path.empty()) {
        fs::remove_all(m_path, ec);
    }
}

std::string CTempDir::File(const std::string& name) const {
    return (fs::path(m_path) / name).string();
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

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
