#include "platform/PenRaster.h"

#include "platform/Canvas.h"

std::vector<int> PenPattern(int style) {
    switch (style) {
        case kPenDash:
            return {4, 2};
        case kPenDot:
            return {1, 1};
        case kPenDashDot:
            return {4, 2, 1, 2};
        case kPenDashDotDot:
            return {4, 2, 1, 2, 1, 2};
        default:
            return {};
    }
}
