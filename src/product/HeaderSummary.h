#pragma once
// The one-line summaries that the file browser and the animation list show
// for a product, made from its two headers alone.

#include <string>

#include "product/AwxHeaders.h"

struct AwxSummary {
    AwxFirstHeader first;
    AwxSecondHeader second;
    int channel = 0;  // mapped channel code; 0 for numbers outside the table
};

// Reads the two headers of the file at path. True when the file passes the
// first-level checks (identifier, category 1) and both headers are complete.
bool ReadAwxSummary(const std::string& path, AwxSummary& out);

// Whether a listed file belongs on the tab of channelCode. A file channel
// number outside the table never matches, whatever the tab.
bool SummaryMatchesChannel(const AwxSummary& summary, int channelCode);

// "2022年03月31日 13:00"
std::string SummaryDateTime(const AwxSecondHeader& header);
// The projection name of the mapped projection code.
std::string SummaryProjection(const AwxSecondHeader& header);
// "[97.50,27.50]": centre longitude, then latitude.
std::string SummaryCentre(const AwxSecondHeader& header);
// "1900×1300"
std::string SummarySize(const AwxSecondHeader& header);
