#include "cli/ConvectionArgs.h"

#include <cstdio>
#include <cstdlib>

#include "convection/ColdCells.h"
#include "product/ProductReadFailure.h"

bool ReadConvectionProduct(const std::string& path, bool cellsAsked, CGeoImage& product) {
    if (!product.ReadProduct(path)) {
        std::fprintf(stderr, "%s: %s\n", ProductReadFailure(product.ReadRefusal()).c_str(),
                     path.c_str());
        return false;
    }
    if (cellsAsked) {
        const std::string refusal = ColdCellRefusal(product);
        if (!refusal.empty()) {
            std::fprintf(stderr, "%s: %s\n", refusal.c_str(), path.c_str());
            return false;
        }
    }
    return true;
}

bool ParseNumberArg(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end != nullptr && *end == '\0';
}
