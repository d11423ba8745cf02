#include "platform/TextCodec.h"

#ifdef _WIN32

#include <windows.h>

namespace {

constexpr UINT kGbkCodePage = 936;
constexpr const char* kReplacementUtf8 = "\xEF\xBF\xBD";

// How many bytes the GBK character at text[at] takes: 1 for ASCII, 2 for a
// lead byte followed by a byte a lead byte may take; 0 when it is broken.
std::size_t GbkCharacterLength(const std::string& text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return 1;
    }
    if (lead == 0x80 || lead == 0xFF || at + 1 >= text.size()) {
        return 0;
    }
    const auto trail = static_cast<unsigned char>(text[at + 1]);
    return trail >= 0x40 && trail <= 0xFE && trail != 0x7F ? 2 : 0;
}

// One character through the code-page functions; false when it is none.
bool AppendAsUtf8(const char* bytes, int length, std::string& out) {
    wchar_t wide[2];
    const int units =
        MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, bytes, length, wide, 2);
    if (units <= 0) {
        return false;
    }
    char utf8[8];
    const int written = WideCharToMultiByte(CP_UTF8, 0, wide, units, utf8, 8, nullptr, nullptr);
    out.append(utf8, static_cast<std::size_t>(written > 0 ? written : 0));
    return written > 0;
}

// How many bytes the UTF-8 sequence at text[at] takes; 0 when it is broken.
std::size_t Utf8SequenceLength(const std::string& text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                               : lead >= 0xE0                ? 3
                               : lead >= 0xC2                ? 2
                                                             : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

}  // namespace

// Character by character, so that a broken or foreign one becomes its
// replacement exactly as the iconv build replaces it.
std::string GbkToUtf8(const std::string& gbk) {
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    for (std::size_t at = 0; at < gbk.size();) {
        const std::size_t length = GbkCharacterLength(gbk, at);
        if (length == 1) {
            out += gbk[at];
        } else if (length == 0 || !AppendAsUtf8(gbk.data() + at, static_cast<int>(length), out)) {
            out += kReplacementUtf8;
            at += 1;
            continue;
        }
        at += length;
    }
    return out;
}

std::string Utf8ToGbk(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length = Utf8SequenceLength(utf8, at);
        if (length == 1) {
            out += utf8[at++];
            continue;
        }
        wchar_t wide[2];
        const int units = length == 0
                              ? 0
                              : MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data() + at,
                                                    static_cast<int>(length), wide, 2);
        char gbk[4];
        BOOL defaulted = FALSE;
        const int written = units <= 0 ? 0
                                       : WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS,
                                                             wide, units, gbk, 4, "?", &defaulted);
        if (written > 0 && !defaulted) {
            out.append(gbk, static_cast<std::size_t>(written));
            at += length;
            continue;
        }
        // A broken sequence drops its lead byte and the continuation bytes after it.
        out += '?';
        ++at;
        while (at < utf8.size() && (static_cast<unsigned char>(utf8[at]) & 0xC0) == 0x80) {
            ++at;
        }
    }
    return out;
}

#else

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

#endif
