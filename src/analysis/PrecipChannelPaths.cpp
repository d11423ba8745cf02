#include "analysis/PrecipChannelPaths.h"

namespace {

constexpr std::size_t kCodeLength = 3;

}  // namespace

std::string ReplaceEvery(const std::string& text, const std::string& from, const std::string& to) {
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, start)) {
        out.append(text, start, at - start);
        out += to;
        start = at + from.size();
    }
    out.append(text, start, std::string::npos);
    return out;
}

bool PrecipChannelPaths(const std::string& productPath, std::string& ir1Path,
                        std::string& ir2Path) {
    const std::size_t first = productPath.find('_');
    if (first == std::string::npos) {
        return false;
    }
    const std::size_t second = productPath.find('_', first + 1);
    if (second == std::string::npos || productPath.size() - (second + 1) < kCodeLength) {
        return false;
    }
    const std::string code = productPath.substr(second + 1, kCodeLength);
    ir1Path = ReplaceEvery(productPath, code, "IR1");
    ir2Path = ReplaceEvery(ir1Path, "IR1", "IR2");
    return true;
}
