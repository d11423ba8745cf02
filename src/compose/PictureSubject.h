#pragma once
// What one picture shows: the product with the file it was read from, the
// mark on its title line, and the loop it is a frame of.

#include <string>
#include <vector>

#include "channels/Combination.h"
#include "product/CGeoImage.h"

struct PictureSubject {
    explicit PictureSubject(const CGeoImage& productIn) : product(productIn) {}

    const CGeoImage& product;
    // The file opened: the precipitation estimate finds the two infrared
    // channels from it, and without a loop the cooling its previous product.
    std::string path;
    // Said after the title text (UTF-8): a loop marks a held frame with the
    // missing slot's time ("缺测 13:00"); empty for none.
    std::string titleMark;
    // The loop shown and the index of the product among its frames; none
    // and -1 without a loop.
    const std::vector<CGeoImage>* frames = nullptr;
    int frame = -1;
    // The product the cooling is measured against, when it is given (trend's
    // two products).
    const CGeoImage* previous = nullptr;
    // A picture of several channels (a difference or an RGB composite) drawn
    // over product, one of its channels; none for the product's own image.
    const CombinedPicture* combined = nullptr;
};
