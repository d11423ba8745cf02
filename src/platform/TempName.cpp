#include "platform/TempName.h"

#include <cstdint>
#include <cstdio>
#include <random>

std::string RandomTempName() {
    std::random_device entropy;
    const std::uint64_t value = (static_cast<std::uint64_t>(entropy()) << 32) | entropy();
    char name[32];
    std::snprintf(name, sizeof name, ".kelvra-%016llx", static_cast<unsigned long long>(value));
    return name;
}
