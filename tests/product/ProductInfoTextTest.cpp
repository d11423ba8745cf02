#include "product/ProductInfoText.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ProductTestFiles.h"
#include "platform/TextCodec.h"
#include "product/CGeoImage.h"

namespace {

TEST(ProductInfoText, EmptyBeforeAnyProduct) {
    EXPECT_EQ(ProductInfoText(ProductDescription{}), "");
    ProductDescription d;
    d.fileId = "BMP";
    EXPECT_EQ(ProductInfoText(d), "");
}

TEST(ProductInfoText, SixteenLinesOfAReadProduct) {
    AwxWriterOptions o = SmallProduct();
    o.year = 2005;
    o.month = 7;
    o.day = 1;
    o.hour = 6;
    o.minute = 0;
    o.channel = 2;
    o.satelliteName = Utf8ToGbk("风云2");
    CTempDir dir;
    auto bytes = MakeAwxProduct(o);
    Patch16(bytes, kHorizontalResAt, 500);  // shown as 0.050000 all the same
    CGeoImage product;
    ASSERT_TRUE(product.ReadProduct(WriteProduct(dir, "a.awx", bytes)));
    EXPECT_EQ(ProductInfoText(product.Description()),
              "文件标识：SEC\n"
              "版本号：10\n"
              "卫星标识：风云2\n"
              "数据类型：0\n"
              "通道号：2\n"
              "日期时间(UTC)：2005年07月01日 06时00分\n"
              "北京时间：2005年07月01日 14时00分\n"
              "投影方式：等经纬度\n"
              "图像宽度(像素)：40\n"
              "图像高度(像素)：30\n"
              "中心纬度(度)：27.500000\n"
              "中心经度(度)：97.500000\n"
              "经向分辨率(公里/度)：0.050000\n"
              "纬向分辨率(公里/度)：0.050000\n"
              "标准纬度1(度)：30.000000\n"
              "标准纬度2(度)：60.000000\n"
              "标准经度(度)：97.500000\n");
}

TEST(ProductInfoText, UnknownProjectionName) {
    ProductDescription d;
    d.fileId = "SEC";
    d.projection = 7;
    const std::string text = ProductInfoText(d);
    EXPECT_NE(text.find("投影方式：未知\n"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 16);
}

}  // namespace
