#include "product/AwxName.h"

#include <cstddef>
#include <string_view>

namespace {

constexpr std::string_view kAwxExtension = ".awx";

// Only ASCII letters change case: GBK bytes of a name stay as they are.
char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool IsAwxName(const std::string& path) {
    const std::size_t nameStart = path.find_last_of("/\\");
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart)) {
        return false;
    }
    const std::string_view extension = std::string_view(path).substr(dot);
    if (extension.size() != kAwxExtension.size()) {
        return false;
    }
    for (std::size_t i = 0; i < extension.size(); ++i) {
        if (LowerAscii(extension[i]) != kAwxExtension[i]) {
            return false;
        }
    }
    return true;
}
