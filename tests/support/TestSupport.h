#pragma once
// Helpers shared by the test programs: temporary folders, file contents and
// the location of the real sample product.

#include <cstdint>
#include <string>
#include <vector>

// A fresh temporary folder, removed with everything in it at destruction.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const;

private:
    std::string m_path;
};

std::vector<std::uint8_t> ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Makes a FIFO at path, for the checks that no reader waits for a writer;
// false where the system keeps pipes out of folders (Windows).
bool MakeFifo(const std::string& path);

// Skips the current test on Windows, saying which facility it lacks.
#ifdef _WIN32
#define KELVRA_SKIP_ON_WINDOWS(why) GTEST_SKIP() << "Windows has " << why
#else
#define KELVRA_SKIP_ON_WINDOWS(why) static_cast<void>(0)
#endif

// The real FY-2G product beside the repository, or "" when it is absent.
std::string SharedSampleProduct();

// The repository's own folder (for dat/).
std::string SourceDir();

// Skips the current test with a message when the real sample is missing.
#define KELVRA_REQUIRE_SAMPLE(var)                                             \
    const std::string var = SharedSampleProduct();                             \
    if (var.empty()) {                                                         \
        GTEST_SKIP() << "real sample product not found beside the repository"; \
    }
