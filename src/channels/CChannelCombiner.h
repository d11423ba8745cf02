#pragma once
// Makes the pictures of combinations around one open product: finds and
// reads its sibling channels (kept from one combination to the next, so a
// switch of recipe reads nothing again), makes the image and names the
// product the picture is composed over: infrared 1 when the combination
// reads it (cold-cloud cells are found on it), else its first channel.
// The desktop's menu and kelvra-cli's --rgb and --difference share it.

#include <string>
#include <vector>

#include "channels/CChannelSet.h"
#include "channels/Combination.h"
#include "image/CDibImage.h"

class CChannelCombiner {
public:
    // productPath: the open product; folders: where else to look (the
    // catalogue folder). False with problem (UTF-8) when the picture cannot
    // be made; image and picture are then untouched.
    bool Make(const Combination& combination, const std::string& productPath,
              const std::vector<std::string>& folders, CDibImage& image, CombinedPicture& picture,
              std::string& problem);

    // The product the last picture made is composed over, and its path.
    const CGeoImage* Subject() const { return m_set.Channel(m_nSubject); }
    const std::string& SubjectPath() const { return m_set.PathOf(m_nSubject); }

    // The read-out of pixel (x, y) of the last picture made: the difference
    // and both values ("差值 3.2 K  红外一 285.1 K  红外二 281.9 K"), or each
    // channel's value for a composite; "" outside the image.
    std::string Readout(int x, int y) const;

private:
    CChannelSet m_set;
    Combination m_combination;
    int m_nSubject = 0;
};
