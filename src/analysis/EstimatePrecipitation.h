#pragma once
// What the view does to show the precipitation estimate of the open product,
// without the drawing: find the two infrared files from the product's path,
// compute, and report a failed computation.

#include <string>

class CPrecipEstimate;

// Finds the infrared-1 and infrared-2 files of the product at productPath
// (see PrecipChannelPaths) and computes the estimate from them. Returns 1
// when an estimate was computed. When the path has no channel code or a
// channel file does not exist, returns 0 without a message, leaves the
// estimate as it was and, when pMissingPath is given, stores there the path
// that was looked for (the product path itself when it has no channel code). When the computation
// fails, shows "降水估计计算失败" after the computation's own messages and
// returns 0.
int EstimatePrecipitation(CPrecipEstimate& estimate, const std::string& productPath,
                          std::string* pMissingPath = nullptr);
