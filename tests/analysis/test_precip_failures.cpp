// What the user sees when the estimate cannot be made: the messages in
// order, no rain left from an earlier estimate, and no file touched.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "analysis/CPrecipEstimate.h"
#include "analysis/EstimatePrecipitation.h"
#include "platform/Message.h"
#include "support/PrecipScenes.h"

namespace {

const char* const kFailed = "降水估计计算失败";

double ColdCentre(int x, int y) {
    return x == 20 && y == 15 ? 200.0 : 300.0;
}

// A good pair in spring with tables at 240 K; each row below breaks one thing.
struct PairSetup {
    AwxWriterOptions ir1 = PrecipProductOptions(40, 30, 4);
    AwxWriterOptions ir2 = PrecipProductOptions(40, 30, 4);
    std::function<void(const std::string& folder, const std::string& lut)> spoil;
};

struct FailureCase {
    const char* name;
    std::function<void(PairSetup&)> change;
    std::vector<std::string> messages;
};

void Garble(const std::string& path) {
    WriteFileBytes(path, std::vector<std::uint8_t>(300, 0x41));
}

const FailureCase kFailureCases[] = {
    {"Ir1Unreadable",
     [](PairSetup& s) {
         s.spoil = [](const std::string& f, const std::string&) {
             Garble(f + "/FY2G_LCN_IR1_202204151200.AWX");
         };
     },
     {"打开红外一通道失败", kFailed}},
    {"Ir2Unreadable",
     [](PairSetup& s) {
         s.spoil = [](const std::string& f, const std::string&) {
             Garble(f + "/FY2G_LCN_IR2_202204151200.AWX");
         };
     },
     {"打开红外二通道失败", kFailed}},
    {"Ir2OfAnotherWidth",
     [](PairSetup& s) { s.ir2.width = 44; },
     {"红外通道云图大小不一致", kFailed}},
    {"Ir2OfAnotherHeight",
     [](PairSetup& s) { s.ir2.height = 31; },
     {"红外通道云图大小不一致", kFailed}},
    {"ThresholdTableMissing",
     [](PairSetup& s) {
         s.spoil = [](const std::string&, const std::string& lut) {
             std::remove((lut + "/yuzhi_345.dat").c_str());
         };
     },
     {kFailed}},
    {"ThresholdTableShort",
     [](PairSetup& s) {
         s.spoil = [](const std::string&, const std::string& lut) {
             std::vector<std::uint8_t> t = ReadFileBytes(lut + "/yuzhi_345.dat");
             t.pop_back();
             WriteFileBytes(lut + "/yuzhi_345.dat", t);
         };
     },
     {kFailed}},
    {"MonthZero", [](PairSetup& s) { s.ir1.month = 0; }, {kFailed}},
    {"MonthThirteen", [](PairSetup& s) { s.ir1.month = 13; }, {kFailed}},
    // A full-disk image has no geolocation.
    {"PixelsCannotBeLocated",
     [](PairSetup& s) {
         for (AwxWriterOptions* o : {&s.ir1, &s.ir2}) {
             o->projection = 0;
             o->centerLon = 105.0;
             o->centerLat = 0.0;
             o->resolution = 5.0;
         }
     },
     {kFailed}},
};

class PrecipFailures : public ::testing::TestWithParam<FailureCase> {};

std::vector<std::string> FolderBytes(const std::vector<std::string>& paths) {
    std::vector<std::string> all;
    for (const std::string& p : paths) {
        const std::vector<std::uint8_t> b = ReadFileBytes(p);
        all.emplace_back(b.begin(), b.end());
    }
    return all;
}

}  // namespace

TEST_P(PrecipFailures, MessagesInOrderAndNoRainLeft) {
    CTempDir data;
    CTempDir lut;
    WritePrecipTables(lut.Path(), UniformThreshold(240.0));
    CPrecipEstimate estimate(lut.Path());

    // An earlier estimate found rain.
    const std::string good =
        WritePrecipPair(data.Path(), PrecipProductOptions(40, 30, 4), ColdCentre, ColdCentre);
    ASSERT_EQ(EstimatePrecipitation(estimate, good), 1);
    ASSERT_FALSE(estimate.Empty());

    PairSetup setup;
    GetParam().change(setup);
    const std::string ir1 = data.Path() + "/FY2G_LCN_IR1_202204151200.AWX";
    const std::string ir2 = PrecipIr2Path(ir1);
    setup.ir1.channel = 1;
    setup.ir2.channel = 2;
    WriteBytesToPath(ir1, PrecipProduct(setup.ir1, ColdCentre));
    WriteBytesToPath(ir2, PrecipProduct(setup.ir2, ColdCentre));
    if (setup.spoil) {
        setup.spoil(data.Path(), lut.Path());
    }
    const std::vector<std::string> files = {ir1, ir2, lut.Path() + "/yuzhi_345.dat"};
    const std::vector<std::string> before = FolderBytes(files);

    CMessageRecorder recorder;
    CScopedMessageSink scope(&recorder);
    EXPECT_EQ(EstimatePrecipitation(estimate, ir1), 0);
    EXPECT_EQ(recorder.Messages(), GetParam().messages);
    EXPECT_TRUE(estimate.Empty());
    EXPECT_EQ(FolderBytes(files), before);
}

INSTANTIATE_TEST_SUITE_P(EveryFailure, PrecipFailures, ::testing::ValuesIn(kFailureCases),
                         [](const auto& info) { return std::string(info.param.name); });
