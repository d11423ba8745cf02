#include <gtest/gtest.h>

#include "analysis/CContourPointStore.h"
#include "platform/Message.h"

namespace {
using Mode = CContourPointStore::Mode;

std::vector<std::pair<float, float>> PointsOf(const CContourPointStore& store) {
    std::vector<std::pair<float, float>> points;
    for (int n = 0; n < store.PointCount(); ++n) {
        points.emplace_back(store.X()[n], store.Y()[n]);
    }
    return points;
}
}  // namespace

TEST(ContourPointStore, ContinueDropsOnlyExactRepeats) {
    CContourPointStore store;
    ASSERT_TRUE(store.Allocate(10, false));
    store.Reset();
    store.Put(Mode::kStartLine, 1, 2);
    store.Put(Mode::kContinue, 1, 2);  // exact repeat
    store.Put(Mode::kContinue, 1, 3);  // shares x
    store.Put(Mode::kContinue, 2, 3);  // shares y
    store.Put(Mode::kContinue, 2, 3);  // exact repeat
    store.End(Mode::kEndClosed);
    store.Publish();
    EXPECT_EQ(store.LineCount(), 1);
    EXPECT_EQ(store.LineSize(1), -3);
    EXPECT_EQ(PointsOf(store), (std::vector<std::pair<float, float>>{{1, 2}, {1, 3}, {2, 3}}));
}

TEST(ContourPointStore, ExtendBackwardReversesTheLineFirst) {
    CContourPointStore store;
    ASSERT_TRUE(store.Allocate(10, false));
    store.Reset();
    store.Put(Mode::kStartLine, 9, 9);  // an earlier line stays untouched
    store.End(Mode::kEndForward);
    store.Put(Mode::kStartLine, 1, 0);
    store.Put(Mode::kContinue, 2, 0);
    store.Put(Mode::kContinue, 3, 0);
    store.End(Mode::kEndForward);
    store.Put(Mode::kExtendBackward, 1, 0);  // no repeat test
    store.Put(Mode::kContinue, 0, 0);
    store.End(Mode::kEndBackward);
    store.Publish();
    EXPECT_EQ(store.LineCount(), 2);
    EXPECT_EQ(store.LineSize(1), 1);
    EXPECT_EQ(store.LineSize(2), 5);
    EXPECT_EQ(PointsOf(store), (std::vector<std::pair<float, float>>{
                                   {9, 9}, {3, 0}, {2, 0}, {1, 0}, {1, 0}, {0, 0}}));
}

TEST(ContourPointStore, FullStoreRefusesPointsAndKeepsCountsTrue) {
    for (bool report : {true, false}) {
        CMessageRecorder recorder;
        CScopedMessageSink scope(&recorder);
        CContourPointStore store;
        ASSERT_TRUE(store.Allocate(3, report));
        store.Reset();
        store.Put(Mode::kStartLine, 0, 0);
        store.Put(Mode::kContinue, 1, 0);
        store.Put(Mode::kContinue, 1, 1);
        store.Put(Mode::kContinue, 0, 1);   // refused
        store.Put(Mode::kContinue, 0, 0);   // refused
        store.End(Mode::kEndClosed);        // cut short: no longer closed
        store.Put(Mode::kStartLine, 5, 5);  // refused, and so is its end
        store.Put(Mode::kContinue, 6, 5);
        store.End(Mode::kEndForward);
        store.Publish();
        EXPECT_EQ(store.LineCount(), 1);
        EXPECT_EQ(store.LineSize(1), 3);
        EXPECT_EQ(store.PointCount(), 3);
        const std::vector<std::string> expected(report ? 4 : 0, " Contour BUFFER内存不足 !");
        EXPECT_EQ(recorder.Messages(), expected);
    }
}

TEST(ContourPointStore, TableHoldsAtMostItsLines) {
    CContourPointStore store;
    ASSERT_TRUE(store.Allocate(30000, false));
    store.Reset();
    for (int n = 0; n < CContourPointStore::kMaxLines + 5; ++n) {
        store.Put(Mode::kStartLine, static_cast<float>(n), 0);
        store.Put(Mode::kContinue, static_cast<float>(n), 1);
        store.End(Mode::kEndClosed);
    }
    store.Publish();
    EXPECT_EQ(store.LineCount(), CContourPointStore::kMaxLines);
    EXPECT_EQ(store.PointCount(), 2 * CContourPointStore::kMaxLines);
    EXPECT_EQ(store.LineSize(CContourPointStore::kMaxLines), -2);

    store.Reset();
    store.Publish();
    EXPECT_EQ(store.LineCount(), 0);
    EXPECT_EQ(store.PointCount(), 0);
}
