#include "view/ExportReport.h"

#include "platform/Message.h"
#include "ui/CWaitCursor.h"

bool ExportAndReport(const ExportRequest& job, const std::string& failedText,
                     const std::string& writtenText) {
    std::string message;
    bool written = false;
    {
        CWaitCursor wait;
        written = RunExportModule(job, message);
    }
    if (!written) {
        ShowMessage(failedText + message);
        return false;
    }
    ShowMessage(writtenText + job.output + (message.empty() ? "" : "\n" + message));
    return true;
}
