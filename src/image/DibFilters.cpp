// The neighbourhood filters of CDibImage, all run by the one filter driver.

#include "image/CDibImage.h"
#include "image/FilterDriver.h"
#include "image/FilterKernels.h"
#include "image/MeanFilter.h"
#include "image/MedianFilter.h"

bool CDibImage::Blur() {
    return RunFilter(*this, MakeBlurFilter());
}

bool CDibImage::Sharpen() {
    return RunFilter(*this, MakeSharpenFilter());
}

bool CDibImage::MedianSmooth() {
    return RunFilter(*this, CMedianFilter());
}

bool CDibImage::MeanSmooth() {
    return RunFilter(*this, CMeanFilter());
}

bool CDibImage::Emboss() {
    return RunFilter(*this, MakeEmbossFilter());
}

bool CDibImage::EdgeDetect() {
    return RunFilter(*this, MakeEdgeFilter());
}
