#include "platform/TextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace {

constexpr const char* kReplacementUtf8 = "\xEF\xBF\xBD";

// Runs iconv over the whole input; on an invalid or incomplete sequence the
// caller-given replacement is emitted and `skip` input bytes are dropped.
std::string Convert(const char* to, const char* from, const std::string& in,
                    const std::string& replacement) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return in;
    }
    std::string out;
    std::vector<char> buffer(4 * in.size() + 16);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        size_t outLeft = buffer.size();
        size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (rc != static_cast<size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG) {
            continue;
        }
        // EILSEQ or EINVAL: replace one byte (a lead byte of a broken pair)
        // and go on; for UTF-8 input skip the whole broken sequence start.
        out += replacement;
        ++inPtr;
        --inLeft;
        while (inLeft > 0 && replacement == "?" &&
               (static_cast<unsigned char>(*inPtr) & 0xC0) == 0x80) {
            ++inPtr;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string GbkToUtf8(const std::string& gbk) {
    return Convert("UTF-8", "GBK", gbk, kReplacementUtf8);
}

std::string Utf8ToGbk(const std::string& utf8) {
    return Convert("GBK", "UTF-8", utf8, "?");
}
