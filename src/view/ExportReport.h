#pragma once
// The desktop's exports end the same way: the job runs under the wait cursor
// and its outcome is told in one box, the file written or the reason.

#include <string>

#include "export/ExportModule.h"

// Runs job through the export module; shows failedText and the reason, or
// writtenText, the file and any notice the module gave. True when written.
bool ExportAndReport(const ExportRequest& job, const std::string& failedText,
                     const std::string& writtenText);
