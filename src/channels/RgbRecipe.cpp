#include "channels/RgbRecipe.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

constexpr const char* kColourKeys[] = {"red", "green", "blue"};
constexpr float kMaxGamma = 10.0f;
// A recipe is a few lines; anything larger is not one.
constexpr std::size_t kMaxRecipeBytes = 64 * 1024;

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool ParseNumber(const std::string& word, float& value) {
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(word.c_str(), &end);
    if (word.empty() || *end != '\0' || errno != 0 || !std::isfinite(parsed)) {
        return false;
    }
    value = static_cast<float>(parsed);
    return true;
}

// "IR1-IR2 -4 2 1.0" → a colour; "" or the reason it is refused.
std::string ParseColour(const std::string& value, RgbColour& colour) {
    std::istringstream words(value);
    std::vector<std::string> parts;
    for (std::string word; words >> word;) {
        parts.push_back(word);
    }
    if (parts.size() < 3 || parts.size() > 4) {
        return "应为 通道 最小值 最大值 [伽马]";
    }
    if (!ParseChannelTerm(parts[0], colour.term)) {
        return "未知的通道 '" + parts[0] + "'（可用 IR1、IR2、WV、IR3、VIS 或两者之差）";
    }
    if (!ParseNumber(parts[1], colour.range.low) || !ParseNumber(parts[2], colour.range.high)) {
        return "数值范围不是数字";
    }
    if (colour.range.low == colour.range.high) {
        return "数值范围的两端相同";
    }
    colour.range.gamma = 1.0f;
    if (parts.size() == 4 && (!ParseNumber(parts[3], colour.range.gamma) ||
                              colour.range.gamma <= 0.0f || colour.range.gamma > kMaxGamma)) {
        return "伽马应为 0 到 10 之间的正数";
    }
    return std::string();
}

class CRecipeParser {
public:
    // "" or the reason the line is refused.
    std::string Line(const std::string& raw) {
        const std::string line = Trimmed(raw.substr(0, raw.find('#')));
        if (line.empty()) {
            return std::string();
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            return "缺少 '='";
        }
        const std::string key = Trimmed(line.substr(0, equals));
        const std::string value = Trimmed(line.substr(equals + 1));
        if (key == "name") {
            if (value.empty() || m_bName) {
                return value.empty() ? "名称为空" : "名称重复";
            }
            m_bName = true;
            m_recipe.name = value;
            return std::string();
        }
        for (std::size_t c = 0; c < 3; ++c) {
            if (key == kColourKeys[c]) {
                if (m_bColour[c]) {
                    return "颜色 '" + key + "' 重复";
                }
                m_bColour[c] = true;
                return ParseColour(value, m_recipe.colours[c]);
            }
        }
        return "未知的键 '" + key + "'（可用 name、red、green、blue）";
    }

    // "" when every key was given, else what is missing.
    std::string Missing() const {
        std::string missing = m_bName ? "" : " name";
        for (std::size_t c = 0; c < 3; ++c) {
            missing += m_bColour[c] ? "" : std::string(" ") + kColourKeys[c];
        }
        return missing.empty() ? missing : "缺少" + missing;
    }

    const RgbRecipe& Recipe() const { return m_recipe; }

private:
    RgbRecipe m_recipe;
    bool m_bName = false;
    std::array<bool, 3> m_bColour{};
};

}  // namespace

std::vector<int> ChannelsOf(const RgbRecipe& recipe) {
    std::vector<int> channels;
    for (const RgbColour& colour : recipe.colours) {
        for (int code : ChannelsOf(colour.term)) {
            channels.push_back(code);
        }
    }
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    return channels;
}

bool ParseRgbRecipe(const std::string& text, RgbRecipe& recipe, std::string& problem) {
    CRecipeParser parser;
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (const std::string why = parser.Line(line); !why.empty()) {
            problem = "第 " + std::to_string(number) + " 行: " + why;
            return false;
        }
    }
    if (const std::string missing = parser.Missing(); !missing.empty()) {
        problem = missing;
        return false;
    }
    recipe = parser.Recipe();
    return true;
}

bool ReadRgbRecipeFile(const std::string& path, RgbRecipe& recipe, std::string& problem) {
    std::ifstream file(path, std::ios::binary);
    std::string text(kMaxRecipeBytes + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (!file.eof() && !file.good()) {
        problem = "配方文件 " + path + " 不能读取";
        return false;
    }
    if (static_cast<std::size_t>(file.gcount()) > kMaxRecipeBytes) {
        problem = "配方文件 " + path + " 过大";
        return false;
    }
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (!ParseRgbRecipe(text, recipe, problem)) {
        problem = "配方文件 " + path + " " + problem;
        return false;
    }
    return true;
}
