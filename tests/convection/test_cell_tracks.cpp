// Tracks of cells: a disc moving a known distance per hour, and the track
// kept through a split and a merge.

#include <gtest/gtest.h>

#include "convection/CellTracks.h"
#include "convection/ColdCells.h"
#include "convection/GreatCircle.h"
#include "geo/Projection.h"
#include "support/ConvectionProducts.h"

namespace {

struct MotionCase {
    const char* name;
    int type;
    double resolution;
    double dLon;  // degrees per frame
    double dLat;
    int minutesApart;
};

const MotionCase kMotions[] = {
    {"north on equal lat/lon", EqualLatLon, 0.05, 0.0, 0.5, 60},
    {"east on Lambert", Lambert, 5.0, 0.6, 0.0, 30},
    {"south-west on Lambert", Lambert, 5.0, -0.4, -0.3, 60},
};

TEST(CellTracks, SpeedAndDirectionOfAMovingDisc) {
    for (const MotionCase& c : kMotions) {
        ProjectionParams params;
        ASSERT_EQ(SetUpProjection(c.type, 110.0, 30.0, c.resolution, 600, 500, 30.0, 60.0, params),
                  0);
        CPixelAreas areas;
        ASSERT_TRUE(areas.Build(params, 600, 500));
        std::vector<TrackFrame> frames;
        for (int f = 0; f < 3; ++f) {
            TestImage image(600, 500);
            PaintDisc(image, params, 109.0 + f * c.dLon, 30.0 + f * c.dLat, 150.0, 200.0);
            frames.push_back({f * c.minutesApart,
                              FindColdCells(image.Grid(), params, areas, ConvectionSettings{})});
        }
        const std::vector<TrackStep> steps = TrackCells(frames);
        ASSERT_EQ(steps.size(), 3u) << c.name;
        EXPECT_FALSE(steps[0].moved);
        for (int f = 1; f < 3; ++f) {
            const TrackStep& step = steps[static_cast<std::size_t>(f)];
            const double lon0 = 109.0 + (f - 1) * c.dLon;
            const double lat0 = 30.0 + (f - 1) * c.dLat;
            const double km = TestGreatCircleKm(lon0, lat0, lon0 + c.dLon, lat0 + c.dLat);
            const double expected = km / (c.minutesApart / 60.0);
            EXPECT_EQ(step.track, 1) << c.name;
            EXPECT_TRUE(step.moved);
            EXPECT_NEAR(step.speedKmh, expected, 0.02 * expected) << c.name;
            const double bearing = InitialBearingDeg(lon0, lat0, lon0 + c.dLon, lat0 + c.dLat);
            const double off = std::fabs(std::remainder(step.directionDeg - bearing, 360.0));
            EXPECT_LT(off, 2.0) << c.name;
            EXPECT_NEAR(step.growthPctPerHour, 0.0, 2.0) << c.name;
        }
    }
}

// Blocks of cold pixels [x0, x1) x [10, 30) on an equal lat/lon image.
TrackFrame FrameOf(int minutes, const std::vector<std::pair<int, int>>& blocks) {
    static ProjectionParams params;
    SetUpProjection(EqualLatLon, 105.0, 30.0, 0.05, 120, 40, 30.0, 60.0, params);
    CPixelAreas areas;
    areas.Build(params, 120, 40);
    TestImage image(120, 40);
    for (const auto& [x0, x1] : blocks) {
        for (int y = 10; y < 30; ++y) {
            for (int x = x0; x < x1; ++x) {
                image.Set(x, y, 200.0);
            }
        }
    }
    return {minutes, FindColdCells(image.Grid(), params, areas, ConvectionSettings{})};
}

// The track of the cell whose pixels start at column x0 in frame f.
int TrackAt(const std::vector<TrackStep>& steps, const std::vector<TrackFrame>& frames, int f,
            int x0) {
    for (const TrackStep& step : steps) {
        if (step.frame == f && frames[static_cast<std::size_t>(f)]
                                       .cells[static_cast<std::size_t>(step.cell)]
                                       .runs.front()
                                       .x0 == x0) {
            return step.track;
        }
    }
    return -1;
}

TEST(CellTracks, TheLargerPartKeepsTheTrackThroughSplitsAndMerges) {
    // Frame 0: one wide cell (track 1) and a small one apart (track 2).
    // Frame 1: the wide cell splits into a large left and a small right part.
    // Frame 2: the small right part merges with the cell of track 2.
    const std::vector<TrackFrame> frames{
        FrameOf(0, {{10, 60}, {90, 100}}),
        FrameOf(60, {{10, 44}, {47, 60}, {88, 100}}),
        FrameOf(120, {{10, 44}, {47, 100}}),
    };
    const std::vector<TrackStep> steps = TrackCells(frames);
    const int wide = TrackAt(steps, frames, 0, 10);
    const int small = TrackAt(steps, frames, 0, 90);
    EXPECT_NE(wide, small);
    EXPECT_EQ(TrackAt(steps, frames, 1, 10), wide);
    const int splinter = TrackAt(steps, frames, 1, 47);
    EXPECT_NE(splinter, wide);
    EXPECT_NE(splinter, small);
    EXPECT_EQ(TrackAt(steps, frames, 1, 88), small);
    EXPECT_EQ(TrackAt(steps, frames, 2, 10), wide);
    // Both merge whole: the 13-column splinter is the larger partner.
    EXPECT_EQ(TrackAt(steps, frames, 2, 47), splinter);
}

TEST(CellTracks, CellsSharingTooLittleStartNewTracks) {
    // The second cell shares 4 of its 20 columns (a fifth) with the first.
    const std::vector<TrackFrame> frames{FrameOf(0, {{10, 30}}), FrameOf(60, {{26, 46}})};
    const std::vector<TrackStep> steps = TrackCells(frames);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_NE(steps[0].track, steps[1].track);
    EXPECT_FALSE(steps[1].moved);
}

}  // namespace
