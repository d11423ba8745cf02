#include "convection/CConvectionSources.h"

#include <cstdint>
#include <memory>

#include "convection/PreviousProduct.h"
#include "product/ObservationTime.h"

namespace {

bool InLoop(const ConvectionSubject& subject) {
    return subject.frames != nullptr && subject.frame >= 0;
}

// The latest loaded frame observed before the product, or nullptr.
const CGeoImage* EarlierFrame(const CGeoImage& product, const std::vector<CGeoImage>& frames) {
    const std::int64_t now = ObservationMinutes(product.Description());
    const CGeoImage* previous = nullptr;
    for (const CGeoImage& frame : frames) {
        const std::int64_t t = ObservationMinutes(frame.Description());
        if (frame.productLoaded != 0 && t < now &&
            (previous == nullptr || t > ObservationMinutes(previous->Description()))) {
            previous = &frame;
        }
    }
    return previous;
}

}  // namespace

int FrameIndexOf(const CGeoImage& product, const std::vector<CGeoImage>& frames) {
    const std::shared_ptr<const void> counts = product.CountsIdentity();
    if (!counts) {
        return -1;
    }
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].CountsIdentity() == counts) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const CGeoImage* CConvectionSources::PreviousProduct(const ConvectionSubject& subject,
                                                     std::string& why) {
    if (subject.previous != nullptr) {
        return subject.previous;
    }
    if (InLoop(subject)) {
        const CGeoImage* previous = EarlierFrame(subject.product, *subject.frames);
        if (previous == nullptr) {
            why = "这是动画的第一个时次,没有前一时次";
        }
        return previous;
    }
    if (m_strPreviousFor != subject.path) {
        m_strPreviousFor = subject.path;
        m_previousProduct = CGeoImage();
        const std::string path = PreviousProductPath(subject.path);
        if (!path.empty()) {
            m_previousProduct.ReadProduct(path);
        }
    }
    if (m_previousProduct.productLoaded == 0) {
        why = "目录中没有同一通道和范围的前一时次产品";
        return nullptr;
    }
    return &m_previousProduct;
}

ConvectionLayers CConvectionSources::Layers(const ConvectionSubject& subject,
                                            const ConvectionSwitches& on) {
    ConvectionLayers layers;
    const CGeoImage& product = subject.product;
    if (product.productLoaded == 0) {
        return layers;
    }
    if (on.cells) {
        layers.cells = m_cache.CellsOf(product);
    }
    if (on.tracks && InLoop(subject)) {
        layers.tracks = m_cache.TracksOf(*subject.frames);
        layers.frame = m_cache.TimeIndexOf(subject.frame);
    }
    if (on.cooling) {
        std::string why;
        if (const CGeoImage* previous = PreviousProduct(subject, why)) {
            layers.cooling = m_cache.CoolingOf(*previous, product);
        }
    }
    return layers;
}

std::string CConvectionSources::WhyNot(const ConvectionSubject& subject, ConvectionLayer layer) {
    std::string why;
    if (layer == ConvectionLayer::kCooling) {
        if (const CGeoImage* previous = PreviousProduct(subject, why)) {
            m_cache.CoolingOf(*previous, subject.product, &why);
        }
    } else if (m_cache.CellsOf(subject.product, &why) != nullptr &&
               layer == ConvectionLayer::kTracks && !InLoop(subject)) {
        why = "云团路径在动画播放时显示";
    }
    return why;
}
