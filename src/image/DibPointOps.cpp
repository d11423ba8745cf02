// The point operations of CDibImage. A percentage out of range fails before
// anything is recorded.

#include "image/CDibImage.h"
#include "image/PointOperation.h"

bool CDibImage::Brightness(int percent) {
    if (IsEmpty() || percent < 0) {
        return false;
    }
    return MapChannels(*this, kIdsAdjustBrightness, BrightnessMap(percent));
}

bool CDibImage::Contrast(int percent) {
    if (IsEmpty()) {
        return false;
    }
    return MapChannels(*this, kIdsContrast, ContrastMap(percent));
}

bool CDibImage::Negate() {
    if (IsEmpty()) {
        return false;
    }
    return MapChannels(*this, kIdsAdjustNegate, NegateMap());
}

bool CDibImage::AddNoise(int percent, CRand15& generator) {
    if (IsEmpty() || percent < 1 || percent > 100) {
        return false;
    }
    return AddNoiseWalk(*this, percent, generator);
}
