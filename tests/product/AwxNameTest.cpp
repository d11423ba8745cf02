#include "product/AwxName.h"

#include <gtest/gtest.h>

namespace {

// Products arrive named ".AWX"; one renamed ".awx" must open and be listed
// all the same, while a folder named like a product is not one.
TEST(AwxName, TheExtensionInAnyLetterCase) {
    const struct {
        const char* path;
        bool awx;
    } rows[] = {
        {"X.AWX", true},         {"x.awx", true},           {"x.Awx", true},
        {".awx", true},          {"/data/AWX/X.AWX", true}, {"D:\\data\\x.awx", true},
        {"x.AWX.bak", false},    {"x.bmp", false},          {"AWX", false},
        {"x.awx2", false},       {"a.awx/", false},         {"a.awx/x", false},
        {"a.awx\\x.bmp", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsAwxName(row.path), row.awx) << row.path;
    }
}

}  // namespace
