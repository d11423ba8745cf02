#include "product/ObservationTime.h"

#include <gtest/gtest.h>

namespace {

TEST(ObservationTime, TextsRoundTrip) {
    EXPECT_EQ(ObservationText(ObservationMinutes(2024, 2, 29, 23, 59)), "2024年02月29日 23:59");
    EXPECT_EQ(ObservationText(ObservationMinutes(2022, 12, 31, 23, 0) + 60),
              "2023年01月01日 00:00");
    EXPECT_EQ(ObservationMinutes(2022, 13, 1, 0, 0), kUnknownObservation);
}

}  // namespace
