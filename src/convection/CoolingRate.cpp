#include "convection/CoolingRate.h"

#include <algorithm>
#include <cstring>

#include "convection/ColdCells.h"
#include "product/ObservationTime.h"

namespace {

constexpr double kMinutesPerHour = 60.0;
constexpr float kNoTemperatureK = 100.0f;

std::vector<float> RateTable(const std::array<float, 256>& older,
                             const std::array<float, 256>& newer, double hours) {
    std::vector<float> rates(256 * 256, 0.0f);
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            if (older[a] > kNoTemperatureK && newer[b] > kNoTemperatureK) {
                rates[static_cast<std::size_t>(a) * 256 + b] =
                    static_cast<float>((newer[b] - older[a]) / hours);
            }
        }
    }
    return rates;
}

}  // namespace

bool SameGeometry(const CGeoImage& a, const CGeoImage& b) {
    return a.Description().width == b.Description().width &&
           a.Description().height == b.Description().height &&
           std::memcmp(&a.Params(), &b.Params(), sizeof(ProjectionParams)) == 0;
}

bool CCoolingMap::Make(const CGeoImage& first, const CGeoImage& second, std::string& why) {
    if (first.productLoaded == 0 || second.productLoaded == 0 || first.Calibrated().Empty() ||
        second.Calibrated().Empty()) {
        why = "产品没有读入,不能计算云顶降温";
        return false;
    }
    if (!SameGeometry(first, second)) {
        why = "两个产品的投影或范围不同,不能计算云顶降温";
        return false;
    }
    if (!IsInfraredChannel(first.Description().channel) ||
        !IsInfraredChannel(second.Description().channel)) {
        why = "不是红外通道的产品,不能计算云顶降温";
        return false;
    }
    if (first.Description().channel != second.Description().channel) {
        why = "两个产品的通道不同,不能计算云顶降温";
        return false;
    }
    const std::int64_t t1 = ObservationMinutes(first.Description());
    const std::int64_t t2 = ObservationMinutes(second.Description());
    if (t1 == kUnknownObservation || t2 == kUnknownObservation) {
        why = "产品的观测时间不明,不能计算云顶降温";
        return false;
    }
    if (t1 == t2) {
        why = "两个产品的观测时间相同,不能计算云顶降温";
        return false;
    }
    const bool inOrder = t1 < t2;
    m_older = inOrder ? first : second;
    m_newer = inOrder ? second : first;
    m_dHours = static_cast<double>(inOrder ? t2 - t1 : t1 - t2) / kMinutesPerHour;
    m_rates = RateTable(m_older.CalibrationTable(), m_newer.CalibrationTable(), m_dHours);
    return true;
}

float CCoolingMap::RateAt(int x, int y) const {
    const std::uint8_t* older = m_older.CountsRow(y);
    const std::uint8_t* newer = m_newer.CountsRow(y);
    if (older == nullptr || newer == nullptr || x < 0 || x >= Width()) {
        return 0.0f;
    }
    return RateOf(older[x], newer[x]);
}

CoolingSummary CCoolingMap::Summary() const {
    CoolingSummary summary;
    if (Empty()) {
        return summary;
    }
    // Each pixel only counts and marks its pair of counts; the fastest rate
    // is then the lowest rate of the pairs that occur.
    std::vector<std::uint8_t> fast(m_rates.size());
    for (std::size_t i = 0; i < m_rates.size(); ++i) {
        fast[i] = m_rates[i] <= kFastCoolingKPerHour ? 1 : 0;
    }
    std::vector<std::uint8_t> seen(m_rates.size(), 0);
    for (int y = 0; y < Height(); ++y) {
        const std::uint8_t* older = m_older.CountsRow(y);
        const std::uint8_t* newer = m_newer.CountsRow(y);
        long long rowFast = 0;
        for (int x = 0; x < Width(); ++x) {
            const std::size_t pair = (static_cast<std::size_t>(older[x]) << 8) | newer[x];
            rowFast += fast[pair];
            seen[pair] = 1;
        }
        summary.fastPixels += rowFast;
    }
    bool any = false;
    for (std::size_t i = 0; i < m_rates.size(); ++i) {
        if (seen[i] && (!any || m_rates[i] < summary.fastestKPerHour)) {
            summary.fastestKPerHour = m_rates[i];
            any = true;
        }
    }
    return summary;
}
