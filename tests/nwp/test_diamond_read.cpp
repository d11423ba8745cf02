// Reading diamond type-4 files into an overlay: layouts, row order, wrap
// column, descriptions, and the files that must be refused.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/CContourTracer.h"
#include "nwp/CNwpOverlay.h"
#include "nwp/DiamondTokens.h"
#include "nwp/NwpTestFiles.h"

namespace {

CNwpOverlay Read(const CTempDir& dir, const DiamondContent& content,
                 const std::string& name = "f.000") {
    CNwpOverlay overlay;
    EXPECT_TRUE(overlay.ReadFile(WriteDiamond(dir, name, content))) << name;
    return overlay;
}

}  // namespace

TEST(DiamondRead, LayoutsOfRealWritersReadAlike) {
    struct Case {
        const char* name;
        std::string blank;
        std::string lineEnd;
        bool oneLine;
        bool finalEnd;
    };
    const Case cases[] = {
        {"tabs", "\t", "\n", false, true},
        {"cr-cr-lf", " ", "\r\r\n", false, true},
        {"header-on-one-line", " ", "\n", true, true},
        {"no-final-line-end", "  ", "\r\n", false, false},
    };
    CTempDir dir;
    const CNwpOverlay plain = Read(dir, DiamondContent{}, "plain");
    for (const Case& c : cases) {
        DiamondContent s;
        s.blank = c.blank;
        s.lineEnd = c.lineEnd;
        s.headerOnOneLine = c.oneLine;
        s.finalLineEnd = c.finalEnd;
        const CNwpOverlay o = Read(dir, s, c.name);
        EXPECT_EQ(o.Grid(), plain.Grid()) << c.name;
        EXPECT_EQ(o.FieldNameText(), "500hPa高度") << c.name;
    }
}

TEST(DiamondRead, BothRowOrdersGiveOneGridNorthernmostFirst) {
    CTempDir dir;
    DiamondContent down;  // 60 N to 10 N by -2.5
    down.firstLat = 60.0;
    down.lastLat = 10.0;
    down.latStep = -2.5;
    down.ny = 21;
    DiamondContent up = down;
    up.firstLat = 10.0;
    up.lastLat = 60.0;
    up.latStep = 2.5;
    const CNwpOverlay a = Read(dir, down, "down");
    const CNwpOverlay b = Read(dir, up, "up");
    EXPECT_EQ(a.Grid(), b.Grid());
    EXPECT_EQ(a.Extent().northLat, 60.0);
    EXPECT_EQ(b.Extent().southLat, 10.0);
    // lon + lat falls from north to south, whatever the file's order.
    EXPECT_GT(a.Grid().front(), a.Grid().back());
}

TEST(DiamondRead, LongitudeSpanDecidesTheWrapColumn) {
    struct Case {
        double firstLon, lastLon, step;
        int nx;
        double east;
        int storedNx;
    };
    const Case cases[] = {
        {0.0, 357.5, 2.5, 144, 357.5, 145},     // round the earth: first column again
        {300.0, 60.0, 2.5, 49, 420.0, 49},      // across 0: last + 360, span 120
        {-180.0, 180.0, 2.5, 145, 180.0, 145},  // already closed: nothing added
        {0.0, 335.0, 2.5, 135, 335.0, 135},     // short of 340 degrees
    };
    CTempDir dir;
    for (const Case& c : cases) {
        DiamondContent s;
        s.firstLon = c.firstLon;
        s.lastLon = c.lastLon;
        s.lonStep = c.step;
        s.nx = c.nx;
        const CNwpOverlay o = Read(dir, s);
        EXPECT_EQ(o.Extent().lastLon, c.east) << c.firstLon << ".." << c.lastLon;
        EXPECT_EQ(o.Nx(), c.storedNx) << c.firstLon << ".." << c.lastLon;
        EXPECT_EQ(o.Grid().size(), static_cast<std::size_t>(c.storedNx * s.ny));
    }
}

TEST(DiamondRead, PolarTracingJoinsLinesAcrossZeroDegrees) {
    CTempDir dir;
    DiamondContent s = GlobalContent();
    s.field = [](double lon, double lat) {
        const double dl = std::remainder(lon, 360.0);
        return 5500.0 + 300.0 * std::exp(-(dl * dl + (lat - 60.0) * (lat - 60.0)) / 200.0);
    };
    const CNwpOverlay o = Read(dir, s);
    // The closed high centred on 0 degrees at 60 N: one closed line with
    // points on both sides of the seam when the grid may wrap.
    const float level = 5650.0f;
    auto linesAt = [&](int code, int& closedAcross) {
        CContourTracer tracer;
        EXPECT_EQ(o.PrepareTracer(tracer, code), 0);
        tracer.TraceLevel(level);
        closedAcross = 0;
        std::size_t first = 0;
        for (int k = 1; k <= tracer.LineCount(); ++k) {
            const int c = tracer.LineSize(k);
            const std::size_t n = static_cast<std::size_t>(std::abs(c));
            const float* x = tracer.X() + first;
            const bool east = std::any_of(x, x + n, [](float lon) { return lon > 340.0f; });
            const bool west = std::any_of(x, x + n, [](float lon) { return lon < 20.0f; });
            closedAcross += c < 0 && east && west ? 1 : 0;
            first += n;
        }
        return tracer.LineCount();
    };
    int wrapped = 0;
    int cut = 0;
    const int polarLines = linesAt(CContourTracer::kPolarProjectionCode, wrapped);
    const int plainLines = linesAt(0, cut);
    EXPECT_EQ(wrapped, 1);
    EXPECT_EQ(cut, 0);
    EXPECT_EQ(polarLines + 1, plainLines);  // two halves become one line
}

// A description whose part up to "时" (or "点") reads as a date and time is
// split there; any other shows the header's own date, hour and forecast
// hour (here 30 March 20 h, +0 h) and is the field's name whole.
TEST(DiamondRead, DescriptionsSplitWithTheirCentury) {
    struct Case {
        std::string description;
        int year;
        std::string dateTime;
        std::string field;
    };
    const Case cases[] = {
        {"05年03月30日20时500hPa高度", 5, "2005年03月30日20时", "500hPa高度"},
        {"5年03月30日20时500hPa高度", 5, "2005年03月30日20时", "500hPa高度"},
        {"98年12月31日08时海平面气压", 98, "1998年12月31日08时", "海平面气压"},
        {"22年03月30日20点850hPa温度", 22, "2022年03月30日20点", "850hPa温度"},
        {"17年3月31日8点500hPa高度", 17, "2017年3月31日8点", "500hPa高度"},
        {"19年02月01日08时", 19, "2019年02月01日08时", ""},
        {"2005年03月30日20时高度", 2005, "2005年03月30日20时 +000", "2005年03月30日20时高度"},
        {"22033020时500", 22, "2022年03月30日20时 +000", "22033020时500"},
        {"高度场", 22, "2022年03月30日20时 +000", "高度场"},
        {"X500", 98, "1998年03月30日20时 +000", "X500"},
        {"2015070712_000时效(0720)T639GSI_2米温度", 15, "2015年03月30日20时 +000",
         "2015070712_000时效(0720)T639GSI_2米温度"},
        {"/data/nwp/t639/500/15070712.000", 15, "2015年03月30日20时 +000",
         "/data/nwp/t639/500/15070712.000"},
    };
    CTempDir dir;
    for (const Case& c : cases) {
        DiamondContent s;
        s.description = c.description;
        s.year = c.year;
        CNwpOverlay probed;
        ASSERT_TRUE(probed.ProbeHeader(WriteDiamond(dir, "d.000", s))) << c.description;
        EXPECT_EQ(probed.DateTimeText(), c.dateTime) << c.description;
        EXPECT_EQ(probed.FieldNameText(), c.field) << c.description;
        EXPECT_TRUE(probed.FilePath().empty());  // a probe reads no grid
    }
}

TEST(DiamondRead, ReadSetsTheDefaultsFromTheFile) {
    CTempDir dir;
    DiamondContent s;
    s.interval = 2.5;
    CNwpOverlay o;
    o.CurrentSettings().labelDecimals = 3;
    o.CurrentSettings().interval = 99.0f;
    ASSERT_TRUE(o.ReadFile(WriteDiamond(dir, "p.000", s)));
    NwpSettings expected;
    expected.interval = 2.5f;
    EXPECT_EQ(o.DefaultSettings(), expected);
    EXPECT_EQ(o.CurrentSettings(), expected);
    EXPECT_EQ(o.IsVisible(), 1);
}

TEST(DiamondRead, ReadOnlyFilesAreAccepted) {
    CTempDir dir;
    const std::string path = WriteDiamond(dir, "ro.000", DiamondContent{});
    std::filesystem::permissions(path, std::filesystem::perms(0444));
    CNwpOverlay o;
    EXPECT_TRUE(o.ProbeHeader(path));
    EXPECT_TRUE(o.ReadFile(path));
    EXPECT_EQ(o.FilePath(), path);
}

TEST(DiamondRead, RefusedFilesLeaveTheOverlayUnchanged) {
    struct Case {
        const char* name;
        std::function<void(DiamondContent&)> change;
        DiamondError error;
    };
    const std::string longText(100, 'x');
    const Case cases[] = {
        {"one column", [](DiamondContent& s) { s.nx = 1; }, DiamondError::BadSize},
        {"one row", [](DiamondContent& s) { s.ny = 1; }, DiamondError::BadSize},
        {"negative", [](DiamondContent& s) { s.nx = -5; }, DiamondError::BadSize},
        {"more than the bytes",
         [](DiamondContent& s) {
             s.ny = 5000;
             s.values = {"1"};
         },
         DiamondError::TooManyPoints},
        {"beyond 16 M",
         [](DiamondContent& s) {
             s.nx = 8193;
             s.ny = 2048;
             s.values = {"1"};
         },
         DiamondError::TooManyPoints},
        {"zero step", [](DiamondContent& s) { s.lonStep = 0.0; }, DiamondError::BadStep},
        {"nan step", [](DiamondContent& s) { s.latStep = NAN; }, DiamondError::BadStep},
        {"inf step", [](DiamondContent& s) { s.lonStep = INFINITY; }, DiamondError::BadStep},
        {"inf bound", [](DiamondContent& s) { s.firstLat = INFINITY; }, DiamondError::BadBounds},
        {"long description", [&](DiamondContent& s) { s.description = longText; },
         DiamondError::TokenTooLong},
    };
    CTempDir dir;
    const std::string good = WriteDiamond(dir, "good.000", DiamondContent{});
    for (const Case& c : cases) {
        DiamondContent s;
        c.change(s);
        std::string text = DiamondText(s);
        text.resize(std::max<std::size_t>(text.size(), 4000), ' ');  // bytes for 2000 values
        const std::string path = dir.File("bad.000");
        WriteFileBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
        CNwpOverlay o;
        ASSERT_TRUE(o.ReadFile(good));
        const std::vector<float> before = o.Grid();
        DiamondError why = DiamondError::None;
        EXPECT_FALSE(o.ReadFile(path, &why)) << c.name;
        EXPECT_EQ(why, c.error) << c.name;
        EXPECT_EQ(o.FilePath(), good) << c.name;
        EXPECT_EQ(o.Grid(), before) << c.name;
    }
}

TEST(DiamondRead, ProbeRefusesWhatIsNoDiamondFour) {
    struct Case {
        const char* name;
        std::string text;
        DiamondError error;
    };
    const std::string body = " 4 22年03月30日20时高度 22 3 30 20 0 500 " + std::string(120, ' ');
    const Case cases[] = {
        {"too short", "diamond 4 x 22 3 30 20 0 500", DiamondError::TooShort},
        {"other keyword", "Diamond" + body, DiamondError::NotDiamond},
        {"long keyword", std::string(40, 'd') + body, DiamondError::NotDiamond},
        {"type 3", "diamond 3 x 22 3 30 20 0 500" + std::string(120, ' '), DiamondError::NotType4},
        {"letters for the year", "diamond 4 x yy 3 30 20 0 500" + std::string(120, ' '),
         DiamondError::BadHeader},
    };
    CTempDir dir;
    for (const Case& c : cases) {
        const std::string path = dir.File("x.000");
        WriteFileBytes(path, std::vector<std::uint8_t>(c.text.begin(), c.text.end()));
        CNwpOverlay o;
        DiamondError why = DiamondError::None;
        EXPECT_FALSE(o.ProbeHeader(path, &why)) << c.name;
        EXPECT_EQ(why, c.error) << c.name;
        EXPECT_TRUE(o.DateTimeText().empty()) << c.name;
    }
    CNwpOverlay o;
    DiamondError why = DiamondError::None;
    EXPECT_FALSE(o.ReadFile(dir.File("absent.000"), &why));
    EXPECT_EQ(why, DiamondError::CannotOpen);
}

TEST(DiamondRead, ValuesMissingFromWhereTheDataEnds) {
    struct Case {
        const char* name;
        std::vector<std::string> values;
        std::size_t firstMissing;
    };
    auto numbers = [](int n) {
        std::vector<std::string> v;
        for (int k = 0; k < n; ++k) {
            v.push_back(std::to_string(5000 + k));
        }
        return v;
    };
    std::vector<std::string> word = numbers(25);
    word[13] = "9O0";  // a letter O for a zero: nothing after it is read
    std::vector<std::string> nan = numbers(25);
    nan[13] = "nan";  // missing alone
    const Case cases[] = {
        {"file ends early", numbers(17), 17},
        {"not a number", word, 13},
        {"not a number alone", nan, 13},
    };
    CTempDir dir;
    for (const Case& c : cases) {
        DiamondContent s;
        s.values = c.values;
        const CNwpOverlay o = Read(dir, s);
        const std::vector<float>& g = o.Grid();
        for (std::size_t n = 0; n < g.size(); ++n) {
            const bool missing = g[n] == kNwpMissing;
            const bool expectMissing = n == c.firstMissing ||
                                       (n > c.firstMissing && c.values.size() < 25) ||
                                       (n > c.firstMissing && c.values[c.firstMissing] == "9O0");
            EXPECT_EQ(missing, expectMissing) << c.name << " point " << n;
            // The smoothers leave missing points out of every average.
            if (!missing) {
                EXPECT_GE(g[n], 5000.0f) << c.name << " point " << n;
                EXPECT_LE(g[n], 5024.0f) << c.name << " point " << n;
            }
        }
    }
}

TEST(DiamondRead, NumbersConvertAsCFormattedInputConvertsThem) {
    struct Case {
        const char* token;
        bool number;
    };
    const Case cases[] = {
        {"5432.1", true},       {"-12.25", true},  {"+3", true},        {"5.", true},
        {".5", true},           {"-0", true},      {"0.0001234", true}, {"12345678.9", true},
        {"1e3", true},          {"-2.5E-2", true}, {"0x1p3", true},     {"1e39", true},
        {"3.4028236e38", true}, {"1e-50", true},   {"nan", true},       {"-inf", true},
        {"9O0", false},         {"12abc", false},  {"+-5", false},      {"-", false},
        {".", false},           {"1.2.3", false},  {"", false},
    };
    for (const Case& c : cases) {
        float value = -1.0f;
        EXPECT_EQ(ParseFloatToken(c.token, value), c.number) << c.token;
        if (c.number) {
            const float expected = std::strtof(c.token, nullptr);
            EXPECT_TRUE(value == expected || (std::isnan(value) && std::isnan(expected)) ||
                        (std::isinf(value) && value == expected))
                << c.token << " read as " << value << ", C gives " << expected;
            EXPECT_EQ(std::signbit(value), std::signbit(expected)) << c.token;
        }
    }
    struct IntCase {
        const char* token;
        bool number;
        int value;
    };
    const IntCase ints[] = {{"500", true, 500},   {"+4", true, 4},   {"-3", true, -3},
                            {"500.0", true, 500}, {"4.5", false, 0}, {"3000000000", false, 0},
                            {"1e3", true, 1000},  {"x", false, 0}};
    for (const IntCase& c : ints) {
        int value = 0;
        EXPECT_EQ(ParseIntToken(c.token, value), c.number) << c.token;
        EXPECT_EQ(value, c.value) << c.token;
    }
}
