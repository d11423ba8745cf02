#include "geo/RegionFile.h"

#include "platform/RegularFile.h"

#include <charconv>
#include <limits>
#include <new>
#include <sstream>
#include <system_error>

#include "platform/CDataFileCache.h"

namespace {

constexpr char kKeyword[] = "REGION";

// The C library's formatted input takes a leading plus sign; from_chars does
// not, and unlike strtod it ignores the process locale's decimal point.
std::string_view WithoutPlus(std::string_view token) {
    if (token.size() > 1 && token[0] == '+' && token[1] != '-' && token[1] != '+') {
        token.remove_prefix(1);
    }
    return token;
}

bool ToInt32(const std::string& token, std::int32_t& value) {
    const std::string_view text = WithoutPlus(token);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

// The field is 16 bits wide: only the low 16 bits of the value are kept.
bool ToLow16(const std::string& token, std::int16_t& value) {
    std::int32_t wide = 0;
    if (!ToInt32(token, wide)) {
        return false;
    }
    value = static_cast<std::int16_t>(static_cast<std::uint16_t>(wide & 0xFFFF));
    return true;
}

bool ToFloat(const std::string& token, float& value) {
    const std::string_view text = WithoutPlus(token);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

// One record of ten tokens, "%s%d%f%f%f%d%d%f%f%d"; false when a token is
// missing or does not convert.
bool ReadRecord(std::istream& in, RegionRecord& r) {
    std::string t[10];
    for (std::string& token : t) {
        if (!(in >> token)) {
            return false;
        }
    }
    r.name = t[0];
    return ToInt32(t[1], r.number1) && ToFloat(t[2], r.real1) && ToFloat(t[3], r.real2) &&
           ToFloat(t[4], r.real3) && ToLow16(t[5], r.short1) && ToLow16(t[6], r.short2) &&
           ToFloat(t[7], r.real4) && ToFloat(t[8], r.real5) && ToInt32(t[9], r.number2);
}

}  // namespace

bool ReadRegionRecords(const std::string& path, std::vector<RegionRecord>& records) {
    records.clear();
    std::string text;
    if (ReadRegularFile(path, kRegionFileMaxBytes, text) != FileReadResult::kRead) {
        return false;
    }
    std::istringstream file(std::move(text));
    std::string keyword;
    if (!file || !(file >> keyword) || keyword != kKeyword) {
        return false;
    }
    std::string countToken;
    std::int32_t count = 0;
    if (!(file >> countToken) || !ToInt32(countToken, count)) {
        return false;
    }
    // Records are appended one by one, so a count larger than the file does
    // not reserve memory for records that are not there.
    for (std::int32_t i = 0; i < count; ++i) {
        RegionRecord record;
        if (!ReadRecord(file, record)) {
            return false;
        }
        records.push_back(std::move(record));
    }
    return true;
}

bool ReadRegionNames(const std::string& path, std::vector<std::string>& names) {
    std::vector<RegionRecord> records;
    const bool complete = ReadRegionRecords(path, records);
    names.clear();
    for (RegionRecord& record : records) {
        names.push_back(std::move(record.name));
    }
    return complete;
}

std::string RegionNameAt(const std::vector<std::string>& names, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= names.size()) {
        return std::string();
    }
    return names[static_cast<std::size_t>(index)];
}

std::shared_ptr<const RegionFileContent> CachedRegionFile(CDataFileCache& cache,
                                                          const std::string& path) {
    return cache.Get<RegionFileContent>(
        path, "region list",
        [](const std::string& file) -> std::shared_ptr<const RegionFileContent> {
            try {
                auto content = std::make_shared<RegionFileContent>();
                content->complete = ReadRegionRecords(file, content->records);
                return content;
            } catch (const std::bad_alloc&) {
                return nullptr;
            }
        });
}
