#include "product/ObservationTime.h"

#include <gtest/gtest.h>

namespace {

TEST(ObservationTime, TextsRoundTrip) {
    EXPECT_EQ(ObservationText(ObservationMinutes(2024, 2, 29, 23, 59)), "2024年02月29日 23:59");
    EXPECT_EQ(ObservationText(ObservationMinutes(2022, 12, 31, 23, 0) + 60),
              "2023年01月01日 00:00");
    EXPECT_EQ(ObservationMinutes(2022, 13, 1, 0, 0), kUnknownObservation);
}

// China reads the header's UTC eight hours later, into the next day and year.
TEST(ObservationTime, BeijingTime) {
    const struct {
        std::int64_t utc;
        const char* beijing;
        const char* readout;
    } cases[] = {
        {ObservationMinutes(2022, 3, 31, 13, 0), "2022年03月31日 21时00分",
         "2022年03月31日 13:00 UTC（北京时间 21:00）"},
        {ObservationMinutes(2022, 12, 31, 17, 30), "2023年01月01日 01时30分",
         "2022年12月31日 17:30 UTC（北京时间 01月01日 01:30）"},
        {kUnknownObservation, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BeijingTimeText(c.utc), c.beijing);
        EXPECT_EQ(UtcAndBeijingText(c.utc), c.readout);
    }
}

}  // namespace
