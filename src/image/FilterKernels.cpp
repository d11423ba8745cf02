#include "image/FilterKernels.h"

namespace {

using Rows3 = std::array<std::array<int, 3>, 3>;

constexpr Rows3 kBlurCentre = {{{1, 4, 1}, {4, -4, 4}, {1, 4, 1}}};
constexpr int kBlurDivisor = 16;
constexpr Rows3 kSharpen = {{{0, -1, 0}, {-1, 5, -1}, {0, -1, 0}}};
constexpr Rows3 kEmboss = {{{-1, -2, 0}, {-2, 0, 2}, {0, 2, 1}}};
constexpr Rows3 kVerticalEdge = {{{-1, -2, -1}, {0, 0, 0}, {1, 2, 1}}};
constexpr Rows3 kHorizontalEdge = {{{-1, 0, 1}, {-2, 0, 2}, {-1, 0, 1}}};

CConvolutionFilter MakeFilter(const Rows3& rows) {
    CConvolutionFilter filter;
    filter.SetRows(rows);
    return filter;
}

}  // namespace

CLargeConvolutionFilter MakeBlurFilter() {
    CLargeConvolutionFilter filter;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            filter.SetWeight(
                dx, dy,
                kBlurCentre[static_cast<std::size_t>(dy + 1)][static_cast<std::size_t>(dx + 1)]);
        }
    }
    filter.SetDivisor(kBlurDivisor);
    return filter;
}

CConvolutionFilter MakeSharpenFilter() {
    return MakeFilter(kSharpen);
}
CConvolutionFilter MakeEmbossFilter() {
    return MakeFilter(kEmboss);
}
CConvolutionFilter MakeVerticalEdgeFilter() {
    return MakeFilter(kVerticalEdge);
}
CConvolutionFilter MakeHorizontalEdgeFilter() {
    return MakeFilter(kHorizontalEdge);
}

CEdgeFilter MakeEdgeFilter() {
    return CEdgeFilter(MakeVerticalEdgeFilter(), MakeHorizontalEdgeFilter());
}
