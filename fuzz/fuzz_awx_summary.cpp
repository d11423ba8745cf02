// The list's header summary of arbitrary files: the two headers are accepted
// only when complete and checked, and every summary text can be made.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzInputFile.h"
#include "product/AwxGridHeader.h"
#include "product/HeaderSummary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = FuzzInputFile(data, size);
    if (path.empty()) {
        return 0;
    }
    AwxSummary summary;
    if (!ReadAwxSummary(path, summary)) {
        return 0;
    }
    // Only complete, checked headers are listed: an image's, or a grid
    // product's whose records the file holds.
    const bool image = size >= kAwxHeadersSize && PassesAwxFirstChecks(summary.first);
    const bool grid = size > kAwxGridHeadersSize && IsAwxGridFile(summary.first);
    if (!image && !grid) {
        std::abort();
    }
    const std::string text = SummaryDateTime(summary.second) + SummaryProjection(summary.second) +
                             SummaryCentre(summary.second) + SummarySize(summary.second);
    volatile bool matches = SummaryMatchesChannel(summary, summary.channel);
    (void)matches;
    if (text.empty()) {
        std::abort();
    }
    return 0;
}
