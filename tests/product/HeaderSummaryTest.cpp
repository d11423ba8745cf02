#include "product/HeaderSummary.h"

#include <gtest/gtest.h>

#include "ProductTestFiles.h"

namespace {

TEST(HeaderSummary, Texts) {
    AwxWriterOptions o = SmallProduct();
    o.year = 2005;
    o.month = 7;
    o.day = 1;
    o.hour = 6;
    o.minute = 5;
    o.centerLon = 97.5;
    o.centerLat = -7.25;
    CTempDir dir;
    AwxSummary s;
    ASSERT_TRUE(ReadAwxSummary(WriteProduct(dir, "a.awx", MakeAwxProduct(o)), s));
    EXPECT_EQ(SummaryDateTime(s.second), "2005年07月01日 06:05");
    EXPECT_EQ(SummaryProjection(s.second), "等经纬度");
    EXPECT_EQ(SummaryCentre(s.second), "[97.50,-7.25]");
    EXPECT_EQ(SummarySize(s.second), "40×30");
    EXPECT_EQ(s.channel, 1);
}

TEST(HeaderSummary, CentreIsPaddedToFiveCharacters) {
    AwxSecondHeader h;
    h.centerLon = 550;
    h.centerLat = 0;
    EXPECT_EQ(SummaryCentre(h), "[ 5.50, 0.00]");
    h.projection = 9;
    EXPECT_EQ(SummaryProjection(h), "未知");
}

TEST(HeaderSummary, ChannelsOfTheList) {
    CTempDir dir;
    for (int code = 1; code <= 5; ++code) {
        AwxWriterOptions o = SmallProduct();
        o.channel = code;
        AwxSummary s;
        ASSERT_TRUE(ReadAwxSummary(WriteProduct(dir, "c.awx", MakeAwxProduct(o)), s));
        for (int tab = 1; tab <= 5; ++tab) {
            EXPECT_EQ(SummaryMatchesChannel(s, tab), tab == code);
        }
    }
    auto bytes = MakeAwxProduct(SmallProduct());
    Patch16(bytes, kChannelAt, 9);
    AwxSummary s;
    ASSERT_TRUE(ReadAwxSummary(WriteProduct(dir, "x.awx", bytes), s));
    EXPECT_EQ(s.channel, 0);
    for (int tab = 0; tab <= 5; ++tab) {
        EXPECT_FALSE(SummaryMatchesChannel(s, tab)) << tab;
    }
}

TEST(HeaderSummary, AcceptsOnlyCheckedCompleteHeaders) {
    CTempDir dir;
    AwxWriterOptions sat96 = SmallProduct();
    sat96.edition = "SAT96";
    AwxSummary s;
    EXPECT_TRUE(ReadAwxSummary(WriteProduct(dir, "96.awx", MakeAwxProduct(sat96)), s));

    auto bytes = MakeAwxProduct(SmallProduct());
    EXPECT_TRUE(
        ReadAwxSummary(WriteProduct(dir, "h.awx", {bytes.begin(), bytes.begin() + 104}), s));
    EXPECT_FALSE(
        ReadAwxSummary(WriteProduct(dir, "s.awx", {bytes.begin(), bytes.begin() + 103}), s));
    Patch16(bytes, kCategoryAt, 4);
    EXPECT_FALSE(ReadAwxSummary(WriteProduct(dir, "k.awx", bytes), s));
    EXPECT_FALSE(ReadAwxSummary(dir.File("none.awx"), s));
}

}  // namespace
