#include "convection/PreviousProduct.h"

#include <filesystem>
#include <system_error>

#include "platform/Utf8Path.h"
#include "product/AwxName.h"
#include "product/HeaderSummary.h"
#include "product/ObservationTime.h"

namespace {

std::int64_t MinutesOf(const AwxSecondHeader& h) {
    return ObservationMinutes(h.year, h.month, h.day, h.hour, h.minute);
}

// Same channel (or grid element) and the same pixels on the earth, as the
// headers say.
bool SameKind(const AwxSummary& a, const AwxSummary& b) {
    const AwxSecondHeader& x = a.second;
    const AwxSecondHeader& y = b.second;
    return a.channel == b.channel && a.category == b.category && a.element == b.element &&
           x.projection == y.projection && x.width == y.width && x.height == y.height &&
           x.centerLat == y.centerLat && x.centerLon == y.centerLon && x.stdLat1 == y.stdLat1 &&
           x.stdLat2 == y.stdLat2 && x.horizontalResolution == y.horizontalResolution &&
           x.verticalResolution == y.verticalResolution;
}

}  // namespace

std::string PreviousProductPath(const std::string& path) {
    AwxSummary current;
    if (!ReadAwxSummary(path, current)) {
        return "";
    }
    const std::int64_t now = MinutesOf(current.second);
    std::error_code error;
    const std::filesystem::path self = std::filesystem::weakly_canonical(PathFromUtf8(path), error);
    std::string best;
    std::int64_t bestMinutes = 0;
    const std::filesystem::path parent = PathFromUtf8(path).parent_path();
    std::filesystem::directory_iterator it(parent.empty() ? "." : parent, error);
    // Stepped with an error code: a folder that changes meanwhile ends the
    // search instead of throwing.
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::filesystem::directory_entry& entry = *it;
        std::error_code ignored;
        if (!entry.is_regular_file(ignored) || !IsAwxName(Utf8FromPath(entry.path().filename())) ||
            std::filesystem::weakly_canonical(entry.path(), ignored) == self) {
            continue;
        }
        AwxSummary other;
        if (!ReadAwxSummary(Utf8FromPath(entry.path()), other) || !SameKind(current, other)) {
            continue;
        }
        const std::int64_t minutes = MinutesOf(other.second);
        if (minutes < now && (best.empty() || minutes > bestMinutes)) {
            best = entry.path().string();
            bestMinutes = minutes;
        }
    }
    return best;
}
