#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browse/CProductSelector.h"
#include "browse/CatalogueFolder.h"
#include "browse/ChannelTabs.h"
#include "browse/ProductCode.h"

namespace {

TEST(ProductCodeTest, CommandAndRelistingColumns) {
    const char* command[] = {"LCN", "MSS", "MLS", "TBD", "TBD", "TBD", "TBD", "TBD", "TBD", "TBD"};
    const char* relisting[] = {"LCN", "MSS", "MLS", "LCN", "LCN",
                               "LCN", "LCN", "LCN", "LCN", "LCN"};
    for (int k = 0; k < kProductCount; ++k) {
        EXPECT_EQ(ProductCommandCode(k), command[k]) << k;
        EXPECT_EQ(RelistingCode(k), relisting[k]) << k;
    }
    EXPECT_EQ(ProductCommandCode(-1), "TBD");
    EXPECT_EQ(RelistingCode(12), "LCN");
}

TEST(ChannelTabsTest, TextsInChannelOrder) {
    const std::vector<std::string> expected = {"红外一", "红外二", "水  汽", "红外三", "可见光"};
    for (int i = 0; i < kChannelTabCount; ++i) {
        EXPECT_EQ(ChannelTabText(i), expected[static_cast<std::size_t>(i)]);
        EXPECT_EQ(ChannelOfTab(i), i + 1);
    }
    EXPECT_EQ(ChannelTabText(5), "");
}

// A list that records what the selector asks of it.
struct FakeList {
    int product = 0;
    std::vector<std::string> listings;  // "folder|code"

    CatalogueListHooks Hooks() {
        return {[this] { return product; }, [this](int k) { product = k; },
                [this](const std::string& folder, const std::string& code) {
                    listings.push_back(folder + "|" + code);
                }};
    }
};

class ProductSelectorTest : public ::testing::Test {
protected:
    ProductSelectorTest() : selector(settings) {
        WriteCatalogueFolder(settings, "/cat");
        selector.SetBrowser(browser.Hooks());
        selector.SetFrameList(frames.Hooks());
    }
    CMemorySettings settings;
    CProductSelector selector;
    FakeList browser;
    FakeList frames;
};

TEST_F(ProductSelectorTest, ProductCommandsSetBothListsAndUseTheCommandCode) {
    EXPECT_TRUE(selector.OnSelectProductCommand(6005));
    EXPECT_EQ(browser.product, 5);
    EXPECT_EQ(frames.product, 5);
    EXPECT_EQ(browser.listings, (std::vector<std::string>{"/cat|TBD"}));
    EXPECT_EQ(frames.listings, (std::vector<std::string>{"/cat|TBD"}));

    // A later re-listing of the same product lists the "LCN" files.
    selector.Relist();
    EXPECT_EQ(browser.listings.back(), "/cat|LCN");
    EXPECT_EQ(frames.listings.back(), "/cat|LCN");

    EXPECT_TRUE(selector.OnSelectProductCommand(6001));
    EXPECT_EQ(browser.listings.back(), "/cat|MSS");
    EXPECT_FALSE(selector.OnSelectProductCommand(6010));
    EXPECT_FALSE(selector.OnSelectProductCommand(5999));
    EXPECT_EQ(browser.product, 1);
}

TEST_F(ProductSelectorTest, CommandIsCheckedExactlyForTheBrowsersProduct) {
    browser.product = 3;
    frames.product = 7;
    for (int id = kSelectProductFirstId; id <= kSelectProductLastId; ++id) {
        EXPECT_EQ(selector.IsProductCommandChecked(id), id == 6003) << id;
    }
}

TEST_F(ProductSelectorTest, FolderChoiceIsStoredAndListedWithTheRelistingCode) {
    std::string shownTitle;
    selector.SetFolderChooser([&](const std::string& title) {
        shownTitle = title;
        return std::string("/new");
    });
    browser.product = 4;
    frames.product = 1;
    selector.OnSetCatalogFolder();
    EXPECT_EQ(shownTitle, "请设置静止气象卫星云图产品文件所在的文件夹\n当前文件夹：/cat");
    EXPECT_EQ(ReadCatalogueFolder(settings), "/new");
    EXPECT_EQ(browser.listings, (std::vector<std::string>{"/new|LCN"}));
    EXPECT_EQ(frames.listings, (std::vector<std::string>{"/new|LCN"}));
    EXPECT_EQ(frames.product, 1);
}

TEST_F(ProductSelectorTest, CancelledFolderChoiceChangesNothing) {
    selector.SetFolderChooser([](const std::string&) { return std::string(); });
    selector.OnSetCatalogFolder();
    EXPECT_EQ(ReadCatalogueFolder(settings), "/cat");
    EXPECT_TRUE(browser.listings.empty());
    EXPECT_TRUE(frames.listings.empty());
}

TEST(CatalogueFolderTest, DefaultsWhenTheProfileHasNoFolder) {
    CMemorySettings settings;
    EXPECT_EQ(ReadCatalogueFolder(settings), DefaultCatalogueFolder());
#ifndef _WIN32
    EXPECT_NE(DefaultCatalogueFolder().find("data/AWX"), std::string::npos);
#endif
}

TEST(ProductSelectorEmptyHooksTest, MissingListsAreSkipped) {
    CMemorySettings settings;
    CProductSelector selector(settings);
    selector.OnSelectProduct(2);
    selector.Relist();
    selector.OnSetCatalogFolder();
    EXPECT_TRUE(selector.IsProductCommandChecked(6000));
}

}  // namespace
