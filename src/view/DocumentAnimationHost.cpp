#include "view/DocumentAnimationHost.h"

#include "ui/CWaitCursor.h"
#include "view/CKelvraDoc.h"

bool MakeFrameCurrent(CKelvraDoc& doc, int index) {
    // The arrays are index-aligned with the frames, but a release between a
    // shot and its step must not lead outside them.
    if (index < 0 || index >= static_cast<int>(doc.m_frameProducts.size()) ||
        index >= static_cast<int>(doc.m_frameImages.size())) {
        return false;
    }
    const auto at = static_cast<std::size_t>(index);
    doc.m_product = doc.m_frameProducts[at];
    // Shown as held: the image copies the block only when it writes.
    doc.m_image.ShareFrom(doc.m_frameImages[at]);
    doc.m_nRecompose = 1;
    return true;
}

CAnimationHost MakeDocumentAnimationHost(CKelvraDoc& doc, std::function<void()> showCurrent,
                                         std::function<void()> resetDisplayMode) {
    CAnimationHost host;
    host.loadFrames = [&doc](const std::vector<std::string>& paths) {
        const CWaitCursor wait;
        doc.LoadFrames(paths);
    };
    host.makeFrameCurrent = [&doc, show = std::move(showCurrent)](int index) {
        if (MakeFrameCurrent(doc, index) && show) {
            show();
        }
    };
    host.releaseFrames = [&doc] {
        doc.m_frameProducts.clear();
        doc.m_frameImages.clear();
    };
    host.resetDisplayMode = std::move(resetDisplayMode);
    return host;
}
