#pragma once
// Where the convection layers of a picture come from: the cells, tracks and
// cooling that the cache keeps, and the product the cooling is measured
// against (the one given, the latest earlier frame of the loop shown, or the
// latest earlier product of the same channel and geometry in the file's
// folder, read once per path). The desktop view and the command line make
// their layers here, so both draw the same ones.

#include <string>
#include <vector>

#include "convection/CConvectionCache.h"
#include "convection/ConvectionOverlay.h"
#include "product/CGeoImage.h"

// The picture the layers are made for.
struct ConvectionSubject {
    explicit ConvectionSubject(const CGeoImage& productIn) : product(productIn) {}

    const CGeoImage& product;
    // The file the product was read from: without a loop, the cooling's
    // previous product is looked for beside it.
    std::string path;
    // The loop shown and the index of the product among its frames; none
    // and -1 without a loop. Tracks are drawn only in a loop.
    const std::vector<CGeoImage>* frames = nullptr;
    int frame = -1;
    // The product the cooling is measured against when it is given (trend's
    // two products); otherwise it is looked for.
    const CGeoImage* previous = nullptr;
};

// The layers asked for.
struct ConvectionSwitches {
    bool cells = false;
    bool tracks = false;
    bool cooling = false;
};

enum class ConvectionLayer { kCells, kTracks, kCooling };

// The index of the frame that is the product (the one sharing its counts),
// or -1.
int FrameIndexOf(const CGeoImage& product, const std::vector<CGeoImage>& frames);

class CConvectionSources {
public:
    CConvectionCache& Cache() { return m_cache; }
    const CConvectionCache& Cache() const { return m_cache; }

    // The product the subject's cooling is measured against; nullptr, with
    // the reason in why, when there is none.
    const CGeoImage* PreviousProduct(const ConvectionSubject& subject, std::string& why);
    // What the switched-on layers draw for the subject. A layer the subject
    // cannot have is left out without a word; nothing without a product.
    ConvectionLayers Layers(const ConvectionSubject& subject, const ConvectionSwitches& on);
    // Why the subject's picture cannot have the layer (the cells or cooling
    // refused, no previous product, tracks outside a loop); "" when it can.
    std::string WhyNot(const ConvectionSubject& subject, ConvectionLayer layer);

private:
    CConvectionCache m_cache;
    // The previous product of the last path looked at without a loop.
    std::string m_strPreviousFor;
    CGeoImage m_previousProduct;
};
