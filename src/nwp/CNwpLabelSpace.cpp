#include "nwp/CNwpLabelSpace.h"

#include <algorithm>

bool CNwpLabelSpace::CoversReserved(const CanvasBox& box) const {
    return std::any_of(m_reserved.begin(), m_reserved.end(),
                       [&box](const CanvasBox& reserved) { return box.Overlaps(reserved); });
}

CNwpLabelSpace::Fit CNwpLabelSpace::FitOf(const CanvasBox& box, int line) const {
    if (CoversReserved(box)) {
        return Fit::kTaken;
    }
    Fit fit = Fit::kFree;
    for (const Label& label : m_labels) {
        if (label.box.Overlaps(box)) {
            if (label.line != line) {
                return Fit::kTaken;
            }
            fit = Fit::kOwnLine;
        }
    }
    return fit;
}
