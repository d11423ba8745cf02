#include "browse/ProductCode.h"

#include <array>

namespace {

constexpr std::array<const char*, 3> kNamedCodes = {"LCN", "MSS", "MLS"};
constexpr char kProductCommandOtherCode[] = "TBD";
constexpr char kRelistingOtherCode[] = "LCN";

bool HasNamedCode(int productIndex) {
    return productIndex >= 0 && productIndex < static_cast<int>(kNamedCodes.size());
}

}  // namespace

std::string ProductCommandCode(int productIndex) {
    return HasNamedCode(productIndex) ? kNamedCodes[productIndex] : kProductCommandOtherCode;
}

std::string RelistingCode(int productIndex) {
    return HasNamedCode(productIndex) ? kNamedCodes[productIndex] : kRelistingOtherCode;
}
