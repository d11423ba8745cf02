// Recipe files: a malformed one is refused whole with its line and reason,
// and a user's recipe replaces the shipped one of the same name.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "channels/RgbRecipeList.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kGood =
    "# comment\n"
    "name = 测试\n"
    "red = IR1-IR2 4 -2\n"
    "green = IR1-IR3 0 10 1.0\n"
    "blue = IR1 243 293 0.5  # trailing comment\n";

struct RefusalCase {
    const char* text;
    const char* said;  // what the problem must hold
};

class RecipeRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RecipeRefusalTest, RefusedWithLineAndReason) {
    RgbRecipe recipe;
    recipe.name = "untouched";
    std::string problem;
    EXPECT_FALSE(ParseRgbRecipe(GetParam().text, recipe, problem));
    EXPECT_NE(problem.find(GetParam().said), std::string::npos) << problem;
    EXPECT_EQ(recipe.name, "untouched");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecipeRefusalTest,
    ::testing::Values(RefusalCase{"name = a\nred = IR5 0 1\n", "第 2 行: 未知的通道 'IR5'"},
                      RefusalCase{"name = a\nred = IR1-IR1 0 1\n", "第 2 行: 未知的通道"},
                      RefusalCase{"name = a\nred = IR1 0\n", "第 2 行: 应为"},
                      RefusalCase{"name = a\nred = IR1 zero 1\n", "第 2 行: 数值范围不是数字"},
                      RefusalCase{"name = a\nred = IR1 5 5\n", "第 2 行: 数值范围的两端相同"},
                      RefusalCase{"name = a\n\nred = IR1 0 1 -1\n", "第 3 行: 伽马"},
                      RefusalCase{"name = a\nred = IR1 0 1\nred = IR2 0 1\n",
                                  "第 3 行: 颜色 'red' 重复"},
                      RefusalCase{"name = a\nalpha = IR1 0 1\n", "第 2 行: 未知的键 'alpha'"},
                      RefusalCase{"name a\n", "第 1 行: 缺少 '='"},
                      RefusalCase{"name = a\nred = IR1 0 1\ngreen = IR2 0 1\n", "缺少 blue"}));

TEST(RgbRecipe, ParsesRangesReversalAndGamma) {
    RgbRecipe recipe;
    std::string problem;
    ASSERT_TRUE(ParseRgbRecipe(kGood, recipe, problem)) << problem;
    EXPECT_EQ(recipe.name, "测试");
    EXPECT_EQ(recipe.colours[0].term.first, 1);
    EXPECT_EQ(recipe.colours[0].term.second, 2);
    EXPECT_EQ(recipe.colours[0].range.low, 4.0f);
    EXPECT_EQ(recipe.colours[0].range.high, -2.0f);
    EXPECT_EQ(recipe.colours[0].range.gamma, 1.0f);
    EXPECT_EQ(recipe.colours[2].range.gamma, 0.5f);
    EXPECT_EQ(ChannelsOf(recipe), (std::vector<int>{1, 2, 4}));
}

TEST(RgbRecipeList, UserRecipeReplacesShippedOneByName) {
    CTempDir shipped;
    CTempDir user;
    std::ofstream(shipped.File("fog.rgb")) << kGood;
    std::ofstream(shipped.File("other.rgb")) << "name = x\n";
    std::ofstream(user.File("fog.rgb")) << std::string(kGood).replace(17, 6, "用户");
    const std::vector<RgbRecipeEntry> entries = ListRgbRecipes({shipped.Path(), user.Path()});
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].key, "fog");
    EXPECT_EQ(entries[0].recipe.name, "用户");
    EXPECT_EQ(entries[1].key, "other");
    EXPECT_NE(entries[1].problem.find("缺少"), std::string::npos);

    RgbRecipe recipe;
    std::string problem;
    EXPECT_FALSE(ResolveRgbRecipe("other", {shipped.Path()}, recipe, problem));
    EXPECT_NE(problem.find(shipped.File("other.rgb")), std::string::npos) << problem;
    EXPECT_TRUE(ResolveRgbRecipe(user.File("fog.rgb"), {}, recipe, problem));
}

}  // namespace
