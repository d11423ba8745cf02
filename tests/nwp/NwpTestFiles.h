#pragma once
// Diamond type-4 files written by the tests themselves: a header with every
// field settable, values in file order, and the layout (separators, line
// ends) a real writer might use.

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/TextCodec.h"
#include "support/TestSupport.h"

struct DiamondContent {
    std::string description = "22年03月30日20时500hPa高度";  // UTF-8, written as GBK
    int year = 22;
    int month = 3;
    int day = 30;
    int hour = 20;
    int forecastHours = 0;
    double lonStep = 2.5;
    double latStep = -2.5;
    double firstLon = 100.0;
    double lastLon = 110.0;
    double firstLat = 40.0;
    double lastLat = 30.0;
    int nx = 5;
    int ny = 5;
    double interval = 4.0;
    double firstValue = 0.0;
    double lastValue = 100.0;
    // Values in file order; when empty, nx * ny values of `field` at the
    // longitude and latitude of each point.
    std::vector<std::string> values;
    std::function<double(double lon, double lat)> field = [](double lon, double lat) {
        return lon + lat;
    };
    std::string blank = " ";
    std::string lineEnd = "\n";
    bool headerOnOneLine = false;
    bool finalLineEnd = true;
};

// The latitude of file row r and the longitude of column c.
inline double RowLatitude(const DiamondContent& s, int r) {
    return s.firstLat + r * s.latStep;
}
inline double ColumnLongitude(const DiamondContent& s, int c) {
    return s.firstLon + c * s.lonStep;
}

inline std::string Num(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

inline std::string DiamondText(const DiamondContent& s) {
    const std::string& b = s.blank;
    const std::string split = s.headerOnOneLine ? b : s.lineEnd;
    std::string text = "diamond" + b + "4" + b + Utf8ToGbk(s.description) + b +
                       std::to_string(s.year) + b + std::to_string(s.month) + b +
                       std::to_string(s.day) + b + std::to_string(s.hour) + b +
                       std::to_string(s.forecastHours) + b + "500" + split;
    text += Num(s.lonStep) + b + Num(s.latStep) + b + Num(s.firstLon) + b + Num(s.lastLon) + b +
            Num(s.firstLat) + b + Num(s.lastLat) + b + std::to_string(s.nx) + b +
            std::to_string(s.ny) + b + Num(s.interval) + b + Num(s.firstValue) + b +
            Num(s.lastValue) + b + "1" + b + "0" + s.lineEnd;
    std::vector<std::string> values = s.values;
    if (values.empty()) {
        for (int r = 0; r < s.ny; ++r) {
            for (int c = 0; c < s.nx; ++c) {
                values.push_back(Num(s.field(ColumnLongitude(s, c), RowLatitude(s, r))));
            }
        }
    }
    for (std::size_t n = 0; n < values.size(); ++n) {
        const bool rowEnd = s.nx > 0 && (n + 1) % static_cast<std::size_t>(s.nx) == 0;
        text += values[n];
        text += rowEnd ? s.lineEnd : b;
    }
    if (!s.finalLineEnd) {
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                                 text.back() == '\t')) {
            text.pop_back();
        }
    }
    return text;
}

inline std::string WriteDiamond(const CTempDir& dir, const std::string& name,
                                const DiamondContent& s) {
    const std::string path = dir.File(name);
    const std::string text = DiamondText(s);
    WriteFileBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
    return path;
}

// A 500 hPa-like height field round the earth: high in the tropics, low
// over the poles, three troughs and ridges in the westerlies.
inline double GlobalHeight(double lon, double lat) {
    const double phi = lat * 3.14159265358979 / 180.0;
    const double lam = lon * 3.14159265358979 / 180.0;
    return 5200.0 + 680.0 * std::cos(phi) + 120.0 * std::sin(3.0 * lam) * std::sin(2.0 * phi);
}

// 0 .. 357.5 by 2.5 degrees, 90 N .. 90 S.
inline DiamondContent GlobalContent() {
    DiamondContent s;
    s.firstLon = 0.0;
    s.lastLon = 357.5;
    s.firstLat = 90.0;
    s.lastLat = -90.0;
    s.nx = 144;
    s.ny = 73;
    s.interval = 40.0;
    s.firstValue = 5000.0;
    s.lastValue = 5880.0;
    s.field = GlobalHeight;
    return s;
}
