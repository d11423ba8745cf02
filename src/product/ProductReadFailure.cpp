#include "product/ProductReadFailure.h"

std::string ProductReadFailure(const std::string& refusal) {
    return refusal.empty() ? std::string(kProductReadFailed)
                           : std::string(kProductReadFailed) + "：" + refusal;
}
