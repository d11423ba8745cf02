#include "export/gdal/ExportedFile.h"

#include <cstdio>
#include <memory>

#include <cpl_vsi.h>

#include "platform/ReplacementFile.h"

namespace {

constexpr std::size_t kCopyChunk = std::size_t{1} << 20;

bool WriteReplacement(const std::string& target, const void* data, std::size_t size,
                      std::string& why) {
    CReplacementFile replacement(target);
    std::FILE* file = replacement.Open();
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || !replacement.Commit()) {
        why = "无法写入 " + target;
        return false;
    }
    return true;
}

}  // namespace

bool SaveMemoryFile(const std::string& vsiPath, const std::string& target, std::string& why) {
    vsi_l_offset size = 0;
    std::unique_ptr<GByte, decltype(&VSIFree)> data(
        VSIGetMemFileBuffer(vsiPath.c_str(), &size, TRUE), &VSIFree);
    if (!data) {
        why = "GDAL 没有写出文件";
        return false;
    }
    return WriteReplacement(target, data.get(), static_cast<std::size_t>(size), why);
}

bool SaveFinishedFile(const std::string& path, const std::string& target, std::string& why) {
    std::unique_ptr<std::FILE, decltype(&std::fclose)> in(std::fopen(path.c_str(), "rb"),
                                                          &std::fclose);
    CReplacementFile replacement(target);
    std::FILE* out = in ? replacement.Open() : nullptr;
    bool ok = out != nullptr;
    std::unique_ptr<char[]> chunk(new char[kCopyChunk]);
    while (ok) {
        const std::size_t got = std::fread(chunk.get(), 1, kCopyChunk, in.get());
        ok = std::fwrite(chunk.get(), 1, got, out) == got && !std::ferror(in.get());
        if (got < kCopyChunk) {
            break;
        }
    }
    in.reset();
    std::remove(path.c_str());
    if (!ok || !replacement.Commit()) {
        why = "无法写入 " + target;
        return false;
    }
    return true;
}
