// Grid products (category 3): read as an equal latitude/longitude picture
// of the grid's own spacing, their exact values kept for every reader of a
// value, refused with the field at fault named.

#include <gtest/gtest.h>

#include <cmath>

#include "ProductTestFiles.h"
#include "product/AwxDib.h"
#include "product/AwxFileAccess.h"
#include "product/CGeoImage.h"
#include "product/PixelReadout.h"
#include "product/ProductInfoText.h"
#include "product/ProductReadFailure.h"
#include "synth/AwxGridWriter.h"

namespace {

// Offsets of grid header fields in the file.
constexpr std::size_t kGridFieldsAt = kAwxFirstHeaderSize + 8;
constexpr std::size_t kBytesPerValueAt = kGridFieldsAt + 2;
constexpr std::size_t kScaleFactorAt = kGridFieldsAt + 6;
constexpr std::size_t kSpacingUnitAt = kGridFieldsAt + 38;
constexpr std::size_t kColumnsAt = kGridFieldsAt + 44;
constexpr std::size_t kRowsAt = kGridFieldsAt + 46;

// Whole kelvins from 150 to 349 that change from point to point.
double Checkered(double lon, double lat) {
    return 150.0 + std::fmod(std::fabs(std::round(7.0 * lon + 3.0 * lat)), 200.0);
}

// The FY-2G brightness-temperature grid: 1201 x 1201 at 0.10 degree,
// 45-165 E, 60 N-60 S, one byte, base 100, scale 1.
AwxGridWriterOptions Fy2gTbb() {
    AwxGridWriterOptions o;
    o.field = Checkered;
    return o;
}

AwxGridWriterOptions SmallGrid() {
    AwxGridWriterOptions o;
    o.columns = 40;
    o.rows = 30;
    o.field = Checkered;
    return o;
}

std::vector<std::uint8_t> DibCounts(const std::string& path) {
    UniqueStdFile file = OpenForReading(path);
    return file ? ReadAwxDib(file.get()) : std::vector<std::uint8_t>();
}

}  // namespace

TEST(GridProduct, Fy2gBrightnessTemperatureOpensInPlace) {
    CTempDir dir;
    const std::string path = WriteProduct(dir, "tbb.awx", MakeAwxGridProduct(Fy2gTbb()));
    CGeoImage product;
    ASSERT_TRUE(product.ReadProduct(path));
    const ProjectionParams& p = product.Params();
    struct Point {
        double lon, lat, x, y;
    };
    for (const Point& c : {Point{45, 60, 0, 0}, Point{105, 0, 600, 600},
                           Point{165, -60, 1200, 1200}, Point{120.5, 23.5, 755, 365}}) {
        double x = 0.0;
        double y = 0.0;
        ASSERT_EQ(CGeoImage::LatLonToPixel(p, c.lon, c.lat, x, y), 0);
        EXPECT_NEAR(x, c.x, 1e-3) << c.lon << " " << c.lat;
        EXPECT_NEAR(y, c.y, 1e-3) << c.lon << " " << c.lat;
        if (c.x < 1199) {
            float value = 0.0f;
            ASSERT_TRUE(
                product.CalibratedValueAt(static_cast<int>(c.x), static_cast<int>(c.y), value));
            EXPECT_EQ(value, Checkered(c.lon, c.lat));
        }
    }
    // The picture's counts are the product's, cold tops bright.
    const std::vector<std::uint8_t> dib = DibCounts(path);
    ASSERT_FALSE(dib.empty());
    const std::size_t bits = kDibInfoHeaderSize + kDibGreyPaletteSize;
    const std::size_t stride = DibStride8(1201);
    EXPECT_EQ(dib[bits + (1200 - 365) * stride + 755], product.CountsRow(365)[755]);
    EXPECT_EQ(product.CalibrationTable()[255], 180.0f);
    EXPECT_EQ(product.CalibrationTable()[0], 320.0f);

    EXPECT_EQ(product.TitleText(""), "FY2G 2023年04月17日00时00分 亮温");
    const std::string info = ProductInfoText(product.Description());
    for (const char* line : {"要素：亮温（代码 19）\n", "单位：K\n", "格点数(列×行)：1201×1201\n",
                             "左上角格点(经度,纬度)：45.000000, 60.000000\n",
                             "数值换算：(存储值 + 100) / 1，每值 1 字节\n"}) {
        EXPECT_NE(info.find(line), std::string::npos) << line;
    }
    EXPECT_NE(PixelReadoutText(product, 755, 365, std::nullopt).find("亮温 "), std::string::npos);
}

TEST(GridProduct, ValuesKeepTheirStoredPrecision) {
    struct Case {
        int bytes;
        int base;
        int scale;
        double value;  // everywhere; stored as value × scale − base
    };
    const Case cases[] = {
        {1, 100, 1, 300.0},         // stored 200: one byte is unsigned
        {2, 30000, 100, 250.37},    // stored -4963: two bytes are signed
        {4, 30000, 1000, 287.123},  // stored 257123: beyond two bytes
        {4, 0, 1000, -100.5},       // stored -100500
    };
    CTempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes * 1000000 + c.base);
        AwxGridWriterOptions o = SmallGrid();
        o.bytesPerValue = c.bytes;
        o.baseValue = c.base;
        o.scaleFactor = c.scale;
        o.field = [&c](double, double) { return c.value; };
        CGeoImage product;
        ASSERT_TRUE(product.ReadProduct(WriteProduct(dir, "v.awx", MakeAwxGridProduct(o))));
        float value = 0.0f;
        ASSERT_TRUE(product.CalibratedValueAt(3, 4, value));
        EXPECT_EQ(value, static_cast<float>(c.value));
        EXPECT_EQ(product.Calibrated().At(3, 4), static_cast<float>(c.value));
        EXPECT_EQ(product.CalibratedImage()[4 * 40 + 3], static_cast<float>(c.value));
    }
}

TEST(GridProduct, RefusalsNameTheField) {
    struct Case {
        const char* name;
        std::size_t at;  // the int16 field patched; 0 cuts the file instead
        int value;
        const char* said;
    };
    const Case cases[] = {
        {"spacing in km", kSpacingUnitAt, 1, "格距单位 1"},
        {"no scale factor", kScaleFactorAt, 0, "比例因子为 0"},
        {"three bytes a value", kBytesPerValueAt, 3, "字节数 3"},
        {"a column too many", kColumnsAt, 41, "列数 41"},
        {"a row too few", kRowsAt, 29, "行数 29"},
        {"file cut short", 0, 0, "文件长度"},
        {"category 2", kCategoryAt, 2, "产品类别 2"},
        {"category 4", kCategoryAt, 4, "产品类别 4"},
        {"category 5", kCategoryAt, 5, "产品类别 5"},
    };
    CTempDir dir;
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = MakeAwxGridProduct(SmallGrid());
        if (c.at == 0) {
            bytes.resize(bytes.size() - 1);
        } else {
            Patch16(bytes, c.at, c.value);
        }
        const std::string path = WriteProduct(dir, "r.awx", bytes);
        CGeoImage product;
        EXPECT_FALSE(product.ReadProduct(path)) << c.name;
        EXPECT_NE(product.ReadRefusal().find(c.said), std::string::npos)
            << c.name << ": " << product.ReadRefusal();
        EXPECT_EQ(ProductReadFailure(product.ReadRefusal()).rfind("获取图像文件描述信息失败：", 0),
                  0u)
            << c.name;
        EXPECT_TRUE(DibCounts(path).empty()) << c.name;
    }
    // Anything else that fails says only the document's message.
    CGeoImage product;
    EXPECT_FALSE(product.ReadProduct(dir.File("missing.awx")));
    EXPECT_EQ(ProductReadFailure(product.ReadRefusal()), "获取图像文件描述信息失败");
}
