#pragma once
// The one-line summaries that the file browser and the animation list show
// for a product, made from its two headers alone.

#include <string>

#include "product/AwxHeaders.h"

struct AwxSummary {
    AwxFirstHeader first;
    // A grid product's second header is given as an image's would read:
    // its start time, equal latitude/longitude, the centre of its corners,
    // columns × rows and its spacing, and the infrared-1 channel, whose tab
    // lists the grid products.
    AwxSecondHeader second;
    int channel = 0;   // mapped channel code; 0 for numbers outside the table
    int category = 1;  // 3 for a grid product
    int element = 0;   // a grid product's element code
};

// Reads the two headers of the file at path. True when the file passes the
// first-level checks (identifier, category 1) and both headers are complete,
// or is a grid product (category 3) that can be read (AwxGridRefusal).
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
