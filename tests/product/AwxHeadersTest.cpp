#include "product/AwxHeaders.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::array<char, 8> Field(const char* bytes, std::size_t n) {
    std::array<char, 8> out{};
    std::memcpy(out.data(), bytes, n);
    return out;
}

TEST(AwxHeaders, FormatIdentifier) {
    struct Row {
        const char* bytes;
        bool accepted;
    };
    const Row rows[] = {
        {"SAT2004\0", true},  {"SAT96   ", true},    {"SAT96\0\0\0", true}, {"  SAT96 ", true},
        {"SAT2004X", false},  {"SAT2005\0", false},  {"sat2004\0", false},  {"SAT9 6  ", false},
        {"\0SAT2004", false}, {"SAT200\0\0", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsAwxFormatIdentifier(Field(row.bytes, 8)), row.accepted)
            << std::string(row.bytes, 8);
    }
}

TEST(AwxHeaders, FirstChecksNeedCategoryOne) {
    AwxFirstHeader h;
    h.formatId = Field("SAT2004\0", 8);
    for (int category : {0, 1, 2, 4, -1}) {
        h.category = static_cast<std::int16_t>(category);
        EXPECT_EQ(PassesAwxFirstChecks(h), category == 1) << category;
    }
}

TEST(AwxHeaders, ParsesLittleEndianFields) {
    std::uint8_t bytes[kAwxSecondHeaderSize] = {'F', 'Y', '2', 'G'};
    bytes[8] = 0xE6;  // 2022
    bytes[9] = 0x07;
    bytes[22] = 0x6C;  // 1900
    bytes[23] = 0x07;
    bytes[40] = 0xBE;  // 2750
    bytes[41] = 0x0A;
    bytes[44] = 0x18;  // -1000
    bytes[45] = 0xFC;
    const AwxSecondHeader h = ParseAwxSecondHeader(bytes);
    EXPECT_EQ(AwxSatelliteName(h), "FY2G");
    EXPECT_EQ(h.year, 2022);
    EXPECT_EQ(h.width, 1900);
    EXPECT_EQ(h.centerLat, 2750);
    EXPECT_EQ(h.stdLat1, -1000);
}

TEST(AwxHeaders, SatelliteNameUsesAllEightBytes) {
    std::uint8_t bytes[kAwxSecondHeaderSize] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 0xE6};
    EXPECT_EQ(AwxSatelliteName(ParseAwxSecondHeader(bytes)), "ABCDEFGH");
}

TEST(AwxHeaders, ChannelAndProjectionTables) {
    const int channels[] = {0, 1, 3, 2, 5, 4};
    const int projections[] = {0, 3, 2, 4, 1, 5};
    for (int n = 0; n < 6; ++n) {
        EXPECT_EQ(MapAwxChannel(n), channels[n]);
        EXPECT_EQ(MapAwxProjection(n), projections[n]);
        EXPECT_EQ(AwxFileChannel(channels[n]), n);
        EXPECT_EQ(AwxFileProjection(projections[n]), n);
    }
    for (int n : {-1, 6, 99}) {
        EXPECT_EQ(MapAwxChannel(n), 0);
        EXPECT_FALSE(IsKnownAwxChannel(n));
        EXPECT_EQ(MapAwxProjection(n), kUnknownProjection);
        EXPECT_EQ(ProjectionName(MapAwxProjection(n)), "未知");
    }
}

TEST(AwxHeaders, Names) {
    const char* channels[] = {"", "红外一", "红外二", "水汽", "红外三", "可见光"};
    const char* projections[] = {"圆盘图", "等经纬度", "麦卡托", "兰伯托", "极射赤面", "艾尔伯斯"};
    for (int code = 0; code < 6; ++code) {
        EXPECT_EQ(ChannelName(code), channels[code]);
        EXPECT_EQ(ProjectionName(code), projections[code]);
    }
    EXPECT_EQ(ChannelName(6), "");
    EXPECT_EQ(ProjectionName(-1), "未知");
    EXPECT_EQ(ProjectionName(6), "未知");
}

TEST(AwxHeaders, DataOffsetRefusesNegativeFields) {
    AwxFirstHeader h;
    h.recordLength = 1900;
    h.headerRecords = 3;
    EXPECT_EQ(AwxDataOffset(h), 5700);
    h.recordLength = 32767;
    h.headerRecords = 32767;
    EXPECT_EQ(AwxDataOffset(h), 32767LL * 32767LL);
    h.headerRecords = -1;
    EXPECT_LT(AwxDataOffset(h), 0);
    h.headerRecords = 1;
    h.recordLength = -2152;
    EXPECT_LT(AwxDataOffset(h), 0);
}

}  // namespace
