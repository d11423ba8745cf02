#pragma once
// The kernels of the image menu's filters.

#include "image/ConvolutionFilter.h"
#include "image/EdgeFilter.h"

// 7 x 7 with only the central 3 x 3 non-zero; the centre weight is -4 and the
// weights still sum to 16.
CLargeConvolutionFilter MakeBlurFilter();
CConvolutionFilter MakeSharpenFilter();
CConvolutionFilter MakeEmbossFilter();
CConvolutionFilter MakeVerticalEdgeFilter();
CConvolutionFilter MakeHorizontalEdgeFilter();
CEdgeFilter MakeEdgeFilter();
