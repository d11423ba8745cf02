#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browse/CProductSelector.h"
#include "browse/CatalogueFolder.h"
#include "browse/ProductCode.h"

namespace {

TEST(ProductCodeTest, CommandAndRelistingColumns) {
    const std::vector<std::string> command = {"LCN", "MSS", "MLS", "TBD", "TBD",
                                              "TBD", "TBD", "TBD", "TBD", "TBD"};
    for (int k = 0; k < kProductCount; ++k) {
        EXPECT_EQ(ProductCommandCode(k), command[k]) << k;
        EXPECT_EQ(RelistingCode(k), k < 3 ? command[k] : "LCN") << k;
    }
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
    for (int id = kSelectProductFirstId; id <= kSelectProductLastId; ++id) {
        EXPECT_EQ(selector.IsProductCommandChecked(id), id == 6005) << id;
    }
    // Showing the frame lists the same product's "LCN" files.
    selector.Relist();
    EXPECT_EQ(browser.listings.back(), "/cat|LCN");
    EXPECT_EQ(frames.listings.back(), "/cat|LCN");
    EXPECT_FALSE(selector.OnSelectProductCommand(6010));
    EXPECT_EQ(browser.product, 5);
}

TEST_F(ProductSelectorTest, FolderChoiceIsStoredAndListedWithTheRelistingCode) {
    std::string shownTitle;
    std::string choice = "/new";
    selector.SetFolderChooser([&](const std::string& title) {
        shownTitle = title;
        return choice;
    });
    browser.product = 4;
    frames.product = 1;
    selector.OnSetCatalogFolder();
    EXPECT_EQ(shownTitle, "请设置静止气象卫星云图产品文件所在的文件夹\n当前文件夹：/cat");
    EXPECT_EQ(ReadCatalogueFolder(settings), "/new");
    EXPECT_EQ(browser.listings, (std::vector<std::string>{"/new|LCN"}));
    EXPECT_EQ(frames.listings, (std::vector<std::string>{"/new|LCN"}));
    EXPECT_EQ(frames.product, 1);

    choice.clear();  // cancel
    selector.OnSetCatalogFolder();
    EXPECT_EQ(ReadCatalogueFolder(settings), "/new");
    EXPECT_EQ(browser.listings.size(), 1U);
}

}  // namespace
