#include "view/DocumentAnimationHost.h"

#include "ui/CWaitCursor.h"
#include "view/CKelvraDoc.h"

CAnimationHost MakeDocumentAnimationHost(CKelvraDoc& doc, std::function<void()> showCurrent,
                                         std::function<void()> resetDisplayMode) {
    CAnimationHost host;
    host.loadFrames = [&doc](const std::vector<std::string>& paths) {
        const CWaitCursor wait;
        doc.LoadFrames(paths);
    };
    host.makeFrameCurrent = [&doc, show = std::move(showCurrent)](int index) {
        if (doc.MakeFrameCurrent(index) && show) {
            show();
        }
    };
    host.addFrame = [&doc](const std::string& path, bool dropFirst) {
        doc.AddFrame(path, dropFirst);
    };
    host.releaseFrames = [&doc] { doc.ReleaseFrames(); };
    host.resetDisplayMode = std::move(resetDisplayMode);
    return host;
}
