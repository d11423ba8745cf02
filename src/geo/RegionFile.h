#pragma once
// The projection-region file dat/region.txt: the keyword "REGION", the number
// of records, then ten white-space separated tokens per record. The first
// token is the region's name (GBK bytes); the nine numbers are kept with the
// record although nothing consults them.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CDataFileCache;

// A region file is a few kilobytes; a larger file is refused by its size unread.
constexpr std::size_t kRegionFileMaxBytes = 1024 * 1024;

// One region in file order. The name is kept whole, however long.
struct RegionRecord {
    std::string name;
    std::int32_t number1 = 0;
    float real1 = 0.0F;
    float real2 = 0.0F;
    float real3 = 0.0F;
    std::int16_t short1 = 0;  // low 16 bits of the value in the file
    std::int16_t short2 = 0;  // low 16 bits of the value in the file
    float real4 = 0.0F;
    float real5 = 0.0F;
    std::int32_t number2 = 0;
};

// Reads the records in file order into records (replacing its contents).
// False when the file cannot be opened or is too large, does not start with
// "REGION" (case-sensitive), has no readable count, or holds fewer complete
// records than its count says: reading stops at the first record that is
// incomplete or whose numbers do not convert, and the records before it are
// kept. A count of 0 or less gives no records and true.
bool ReadRegionRecords(const std::string& path, std::vector<RegionRecord>& records);

// The names of ReadRegionRecords, with the same result.
bool ReadRegionNames(const std::string& path, std::vector<std::string>& names);

// The name of record index, or "" when there is no such record.
std::string RegionNameAt(const std::vector<std::string>& names, int index);

// What ReadRegionRecords gives for one file.
struct RegionFileContent {
    std::vector<RegionRecord> records;
    bool complete = false;
};

// ReadRegionRecords through the cache: the file is parsed again only when it
// has changed. nullptr only when there is no memory.
std::shared_ptr<const RegionFileContent> CachedRegionFile(CDataFileCache& cache,
                                                          const std::string& path);
