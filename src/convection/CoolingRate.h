#pragma once
// Cloud-top cooling between two products of one geometry and channel: the
// change of brightness temperature per hour at every pixel. A pixel's rate
// depends only on its two counts, so the rates are a table of the 256 × 256
// count pairs and nothing is stored per pixel.

#include <cstdint>
#include <string>
#include <vector>

#include "product/CGeoImage.h"

// Cooling at or beyond this is drawn (K/h, negative for cooling) …
inline constexpr float kCoolingDrawnKPerHour = -8.0f;
// … and at or beyond this it is counted as fast.
inline constexpr float kFastCoolingKPerHour = -16.0f;

struct CoolingSummary {
    long long fastPixels = 0;   // pixels cooling at kFastCoolingKPerHour or faster
    float fastestKPerHour = 0;  // the lowest rate of any pixel
};

class CCoolingMap {
public:
    // Compares the two products in time order, whichever is given first.
    // False, with the reason (Chinese) in why, for products that are not
    // loaded, differ in geometry or channel, or whose observation times are
    // unknown or the same.
    bool Make(const CGeoImage& first, const CGeoImage& second, std::string& why);
    bool Empty() const { return m_rates.empty(); }

    int Width() const { return m_newer.Description().width; }
    int Height() const { return m_newer.Description().height; }
    const CGeoImage& Older() const { return m_older; }
    const CGeoImage& Newer() const { return m_newer; }
    double Hours() const { return m_dHours; }

    // The rate of a pair of counts, K/h; 0 where either has no measurement.
    float RateOf(std::uint8_t olderCount, std::uint8_t newerCount) const {
        return m_rates[(static_cast<std::size_t>(olderCount) << 8) | newerCount];
    }
    float RateAt(int x, int y) const;
    CoolingSummary Summary() const;

private:
    CGeoImage m_older;  // copies share the products' counts
    CGeoImage m_newer;
    double m_dHours = 0.0;
    std::vector<float> m_rates;  // 65536, older count × 256 + newer count
};

// True when the two products cover the same pixels on the earth.
bool SameGeometry(const CGeoImage& a, const CGeoImage& b);
