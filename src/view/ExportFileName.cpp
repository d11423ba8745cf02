#include "view/ExportFileName.h"

#include <cctype>
#include <filesystem>

std::string WithExtension(const std::string& path, const std::string& extension) {
    std::string given = std::filesystem::path(path).extension().string();
    for (char& c : given) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return given == extension ? path : path + extension;
}
