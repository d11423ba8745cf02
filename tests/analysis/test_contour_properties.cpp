// Properties that every traced level must have, checked on random smooth
// fields with and without holes of missing data.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <set>

#include "analysis/ContourTestGrids.h"

namespace {
constexpr int kNx = 41;
constexpr int kNy = 29;

std::vector<float> SmoothField(unsigned seed, int holes) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::vector<float> grid(kNx * kNy, 0.0f);
    for (int bump = 0; bump < 6; ++bump) {
        const float cx = unit(random) * kNx;
        const float cy = unit(random) * kNy;
        const float r = 3.0f + 6.0f * unit(random);
        const float height = 20.0f * (unit(random) - 0.5f);
        for (int j = 0; j < kNy; ++j) {
            for (int i = 0; i < kNx; ++i) {
                const float d2 = ((i - cx) * (i - cx) + (j - cy) * (j - cy)) / (r * r);
                grid[j * kNx + i] += height * std::exp(-d2);
            }
        }
    }
    for (int n = 0; n < holes; ++n) {
        grid[random() % grid.size()] = kTestMissing;
    }
    return grid;
}

struct Field {
    const std::vector<float>& grid;
    float level;

    float At(int i, int j) const { return grid[(j - 1) * kNx + (i - 1)]; }
    bool Valid(int i, int j) const {
        return i >= 1 && i <= kNx && j >= 1 && j <= kNy && At(i, j) != kTestMissing;
    }
    bool Straddles(float a, float b) const { return (a > level) != (b > level); }

    // Whether (u, w) (column and row offsets) lies where the level crosses
    // the segment from (i, j) one step (ci, cj) on, cj = +1 pointing up; with
    // half set, the segment ends at the cell centre instead.
    bool OnSegment(float u, float w, int i, int j, int ci, int cj, bool half) const {
        const int bi = i + ci;
        const int bj = j - cj;
        if (!Valid(i, j) || !Valid(bi, bj)) {
            return false;
        }
        const float reach = half ? 0.5f : 1.0f;
        const float du = (u - (i - 1)) * ci;
        const float dw = ((j - 1) - w) * cj;
        const float t = ci != 0 ? du / reach : dw / reach;
        if (t < -1e-4f || t > 1.0f + 1e-4f) {
            return false;
        }
        if ((ci == 0 && std::fabs(u - (i - 1)) > 1e-4f) ||
            (cj == 0 && std::fabs(w - (j - 1)) > 1e-4f) ||
            (ci != 0 && cj != 0 && std::fabs(du - dw) > 1e-4f)) {
            return false;
        }
        const float va = At(i, j);
        float vb = At(bi, bj);
        if (half) {
            if (!Valid(i, bj) || !Valid(bi, j)) {
                return false;
            }
            vb = (va + At(i, bj) + At(bi, j) + vb) * 0.25f;
        }
        if (!Straddles(va, vb)) {
            return false;
        }
        return std::fabs(va + t * (vb - va) - level) <= 1e-3f * (std::fabs(vb - va) + 1.0f);
    }

    bool OnAnySegment(float u, float w) const {
        for (int i = static_cast<int>(std::floor(u)); i <= static_cast<int>(std::ceil(u)); ++i) {
            for (int j = static_cast<int>(std::floor(w)); j <= static_cast<int>(std::ceil(w));
                 ++j) {
                for (int ci = -1; ci <= 1; ++ci) {
                    for (int cj = -1; cj <= 1; ++cj) {
                        if ((ci != 0 || cj != 0) &&
                            (OnSegment(u, w, i + 1, j + 1, ci, cj, false) ||
                             (ci != 0 && cj != 0 && OnSegment(u, w, i + 1, j + 1, ci, cj, true)))) {
                            return true;
                        }
                    }
                }
            }
        }
        return false;
    }
};

// A field that mostly varies from row to row, with a gentle ripple along the
// rows, so that many lines run between two rows without a horizontal crossing.
std::vector<float> BandedField(unsigned seed, int holes) {
    std::mt19937 random(seed);
    std::vector<float> grid(kNx * kNy);
    for (int j = 0; j < kNy; ++j) {
        const float row = static_cast<float>(random() % 13) - 6.0f;
        for (int i = 0; i < kNx; ++i) {
            grid[j * kNx + i] = row + 0.4f * std::sin(0.3f * i + j);
        }
    }
    for (int n = 0; n < holes; ++n) {
        grid[random() % grid.size()] = kTestMissing;
    }
    return grid;
}

void CheckLevels(const std::vector<float>& grid) {
    CContourTracer tracer;
    ASSERT_EQ(PrepareUnit(tracer, grid, kNx, kNy), 0);
    for (float level = -6.0f; level <= 6.0f; level += 1.5f) {
        SCOPED_TRACE(testing::Message() << "level " << level);
        tracer.TraceLevel(level);
        const auto lines = LinesOf(tracer);
        const Field field{grid, level};

        int total = 0;
        std::map<std::pair<float, float>, std::set<std::size_t>> points;
        for (std::size_t n = 0; n < lines.size(); ++n) {
            const TracedLine& line = lines[n];
            ASSERT_FALSE(line.points.empty());
            total += static_cast<int>(line.points.size());
            if (line.count < 0) {
                EXPECT_EQ(line.points.front(), line.points.back());
            }
            for (const auto& [x, y] : line.points) {
                points[{x, y}].insert(n);
                EXPECT_TRUE(field.OnAnySegment(x, -y)) << x << ", " << y;
            }
        }
        EXPECT_EQ(total, tracer.PointCount());

        // Every horizontal segment that crosses the level is on some line.
        for (int j = 1; j <= kNy; ++j) {
            for (int i = 1; i < kNx; ++i) {
                if (!field.Valid(i, j) || !field.Valid(i + 1, j) ||
                    !field.Straddles(field.At(i, j), field.At(i + 1, j))) {
                    continue;
                }
                const bool leftLow = field.At(i, j) <= level;
                const int low = leftLow ? i : i + 1;
                const int ci = leftLow ? 1 : -1;
                const float vl = field.At(low, j);
                const float vh = field.At(low + ci, j);
                const float t = (vl - level) / (vl - vh);
                const float x = static_cast<float>(low - 1) + t * static_cast<float>(ci);
                const float y = 0.0f - static_cast<float>(j - 1);
                // ... and on exactly one: no line is traced twice.
                const auto found = points.find({x, y});
                ASSERT_NE(found, points.end()) << "segment " << i << ", row " << j;
                EXPECT_EQ(found->second.size(), 1u) << "segment " << i << ", row " << j;
            }
        }
    }
}

class ContourProperties : public ::testing::TestWithParam<std::tuple<unsigned, int>> {};
}  // namespace

TEST_P(ContourProperties, SmoothFieldLevelsAreConsistent) {
    const auto [seed, holes] = GetParam();
    CheckLevels(SmoothField(seed, holes));
}

TEST_P(ContourProperties, BandedFieldLevelsAreConsistent) {
    const auto [seed, holes] = GetParam();
    CheckLevels(BandedField(seed, holes));
}

INSTANTIATE_TEST_SUITE_P(RandomFields, ContourProperties,
                         ::testing::Combine(::testing::Values(1u, 7u, 42u, 2024u),
                                            ::testing::Values(0, 60)));
