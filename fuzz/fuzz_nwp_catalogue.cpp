// The nwp.txt catalogue parser on arbitrary text: whatever the file holds,
// every class it finds is made of whole, trimmed, single-line names, and a
// class the text does not mention is reported as missing.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "nwp/NwpCatalogue.h"

namespace {

bool IsCleanName(const std::string& name) {
    if (name.find_first_of("\r\n") != std::string::npos) {
        return false;
    }
    return name.empty() || (name.front() != ' ' && name.front() != '\t' && name.back() != ' ' &&
                            name.back() != '\t');
}

void CheckClass(const std::string& text, int classNumber) {
    NwpDataClass parsed;
    const bool found = ParseNwpCatalogue(text, classNumber, parsed);
    if (found != (text.find("class" + std::to_string(classNumber)) != std::string::npos)) {
        std::abort();  // a class is found exactly when its tag is in the text
    }
    if (!found) {
        return;
    }
    if (!IsCleanName(parsed.folder) || !IsCleanName(parsed.title)) {
        std::abort();
    }
    for (const NwpDataType& type : parsed.types) {
        if (!IsCleanName(type.folder) || !IsCleanName(type.title)) {
            std::abort();
        }
        for (const std::string& level : type.levels) {
            if (level.empty() || !IsCleanName(level)) {
                std::abort();
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (int classNumber = 1; classNumber <= kNwpClassCount; ++classNumber) {
        CheckClass(text, classNumber);
    }
    return 0;
}
