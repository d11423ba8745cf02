// What the user sees when the estimate cannot be made: the messages in
// order, no rain left from the estimate before, and no file touched.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "analysis/CPrecipEstimate.h"
#include "analysis/EstimatePrecipitation.h"
#include "platform/Message.h"
#include "support/PrecipScenes.h"
#include "support/TestSupport.h"

namespace {

const char* const kFailed = "降水估计计算失败";

double ColdCentre(int x, int y) {
    return x == 20 && y == 15 ? 200.0 : 300.0;
}

// A good spring pair and tables at 240 K; each row breaks one thing, in the
// pair's options or in the written files (IR1 path, table folder).
struct Breakage {
    AwxWriterOptions ir1 = PrecipProductOptions(40, 30, 4);
    AwxWriterOptions ir2 = PrecipProductOptions(40, 30, 4);
    std::function<void(const std::string& ir1, const std::string& lut)> spoil;
};

struct FailureCase {
    const char* name;
    std::function<void(Breakage&)> change;
    std::vector<std::string> messages;
};

void Garble(const std::string& path) {
    WriteFileBytes(path, std::vector<std::uint8_t>(300, 0x41));
}

void NoGeolocation(AwxWriterOptions& o) {  // a full disk
    o.projection = 0;
    o.centerLon = 105.0;
    o.centerLat = 0.0;
    o.resolution = 5.0;
}

const FailureCase kFailureCases[] = {
    {"Ir1Unreadable",
     [](Breakage& b) { b.spoil = [](const std::string& ir1, const std::string&) { Garble(ir1); }; },
     {"打开红外一通道失败", kFailed}},
    {"Ir2Unreadable",
     [](Breakage& b) {
         b.spoil = [](const std::string& ir1, const std::string&) { Garble(PrecipIr2Path(ir1)); };
     },
     {"打开红外二通道失败", kFailed}},
    {"Ir2OfAnotherWidth",
     [](Breakage& b) { b.ir2.width = 44; },
     {"红外通道云图大小不一致", kFailed}},
    {"Ir2OfAnotherHeight",
     [](Breakage& b) { b.ir2.height = 31; },
     {"红外通道云图大小不一致", kFailed}},
    {"TableMissing",
     [](Breakage& b) {
         b.spoil = [](const std::string&, const std::string& lut) {
             std::remove((lut + "/yuzhi_345.dat").c_str());
         };
     },
     {kFailed}},
    {"TableOneByteShort",
     [](Breakage& b) {
         b.spoil = [](const std::string&, const std::string& lut) {
             std::vector<std::uint8_t> t = ReadFileBytes(lut + "/yuzhi_345.dat");
             t.pop_back();
             WriteFileBytes(lut + "/yuzhi_345.dat", t);
         };
     },
     {kFailed}},
    {"MonthZero", [](Breakage& b) { b.ir1.month = 0; }, {kFailed}},
    {"MonthThirteen", [](Breakage& b) { b.ir1.month = 13; }, {kFailed}},
    {"NoGeolocation",
     [](Breakage& b) {
         NoGeolocation(b.ir1);
         NoGeolocation(b.ir2);
     },
     {kFailed}},
};

class PrecipFailures : public ::testing::TestWithParam<FailureCase> {};

std::vector<std::vector<std::uint8_t>> Contents(const std::vector<std::string>& paths) {
    std::vector<std::vector<std::uint8_t>> all;
    for (const std::string& p : paths) {
        all.push_back(ReadFileBytes(p));
    }
    return all;
}

}  // namespace

TEST_P(PrecipFailures, MessagesInOrderAndNoRainLeft) {
    CTempDir data;
    CTempDir lut;
    WritePrecipTables(lut.Path(), UniformThreshold(240.0));
    CPrecipEstimate estimate(lut.Path());
    const std::string ir1 =
        WritePrecipPair(data.Path(), PrecipProductOptions(40, 30, 4), ColdCentre, ColdCentre);
    ASSERT_EQ(EstimatePrecipitation(estimate, ir1), 1);
    ASSERT_FALSE(estimate.Empty());

    Breakage b;
    GetParam().change(b);
    b.ir1.channel = 1;
    b.ir2.channel = 2;
    WriteBytesToPath(ir1, PrecipProduct(b.ir1, ColdCentre));
    WriteBytesToPath(PrecipIr2Path(ir1), PrecipProduct(b.ir2, ColdCentre));
    if (b.spoil) {
        b.spoil(ir1, lut.Path());
    }
    const std::vector<std::string> files = {ir1, PrecipIr2Path(ir1), lut.Path() + "/yuzhi_345.dat"};
    const auto before = Contents(files);

    CMessageRecorder recorder;
    CScopedMessageSink scope(&recorder);
    EXPECT_EQ(EstimatePrecipitation(estimate, ir1), 0);
    EXPECT_EQ(recorder.Messages(), GetParam().messages);
    EXPECT_TRUE(estimate.Empty());
    EXPECT_EQ(Contents(files), before);
}

INSTANTIATE_TEST_SUITE_P(EveryFailure, PrecipFailures, ::testing::ValuesIn(kFailureCases),
                         [](const auto& info) { return std::string(info.param.name); });
