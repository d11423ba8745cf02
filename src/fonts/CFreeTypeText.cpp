#include "fonts/CFreeTypeText.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "fonts/FontFileList.h"

namespace {

constexpr const char* kFontList = "fonts.txt";
constexpr int kDefaultHeight = 16;
// Qt emboldens a face that is not bold itself from this weight on.
constexpr int kBoldWeight = 700;
// The emboldening strength, as a share of the em.
constexpr long kEmboldenShare = 24;
constexpr double kTenthDegreeToRadian = 3.14159265358979323846 / 1800.0;

// The code points of UTF-8 text; a malformed byte stands for itself.
std::vector<char32_t> CodePoints(const std::string& utf8) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80         ? 1
                           : lead >> 5 == 0x6  ? 2
                           : lead >> 4 == 0xE  ? 3
                           : lead >> 3 == 0x1E ? 4
                                               : 1;
        char32_t point = length == 1 ? lead : lead & (0x3F >> (length - 1));
        bool whole = i + static_cast<std::size_t>(length) <= utf8.size();
        for (int k = 1; whole && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(utf8[i + k]);
            whole = (next & 0xC0) == 0x80;
            point = (point << 6) | (next & 0x3F);
        }
        points.push_back(whole ? point : lead);
        i += whole ? static_cast<std::size_t>(length) : 1;
    }
    return points;
}

long Round26(long value) {
    return (value + 32) >> 6;
}

}  // namespace

CFreeTypeText::CFreeTypeText(CDataPaths paths) : m_paths(std::move(paths)) {}

CFreeTypeText::~CFreeTypeText() {
    if (m_pFace != nullptr) {
        FT_Done_Face(m_pFace);
    }
    if (m_pLibrary != nullptr) {
        FT_Done_FreeType(m_pLibrary);
    }
}

bool CFreeTypeText::OpenFace() {
    if (m_bTried) {
        return m_pFace != nullptr;
    }
    m_bTried = true;
    const std::string list = m_paths.DataFile(kFontList);
    std::ifstream in(list, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (FT_Init_FreeType(&m_pLibrary) != 0) {
        m_pLibrary = nullptr;
        m_paths.ReportUnusable(list);
        return false;
    }
    for (const FontFileEntry& entry : ParseFontFileList(text, m_paths.DataFolder())) {
        if (FT_New_Face(m_pLibrary, entry.path.c_str(), entry.index, &m_pFace) == 0) {
            if (FT_IS_SCALABLE(m_pFace)) {
                m_strFacePath = entry.path + " " + std::to_string(entry.index);
                return true;
            }
            FT_Done_Face(m_pFace);
        }
        m_pFace = nullptr;
    }
    m_paths.ReportUnusable(list);
    return false;
}

std::string CFreeTypeText::FacePath() {
    OpenFace();
    return m_strFacePath;
}

bool CFreeTypeText::Size(const CanvasFont& font) {
    if (m_bSized && font == m_sizedFont) {
        return true;
    }
    if (!OpenFace()) {
        return false;
    }
    const int height = font.height == 0 ? kDefaultHeight : std::abs(font.height);
    const auto cellAt = [this](int em) {
        FT_Set_Pixel_Sizes(m_pFace, 0, static_cast<FT_UInt>(em));
        const FT_Size_Metrics& metrics = m_pFace->size->metrics;
        m_nAscent = static_cast<int>(Round26(metrics.ascender));
        m_nDescent = static_cast<int>(Round26(-metrics.descender));
        return m_nAscent + m_nDescent;
    };
    int em = height;
    const int cell = cellAt(em);
    if (font.height > 0 && cell > height) {
        // The em shrinks so that ascent + descent fits the requested cell.
        em =
            std::max(1, static_cast<int>(std::lround(static_cast<double>(height) * height / cell)));
        cellAt(em);
    }
    m_nEm = em;
    m_bBold = font.weight >= kBoldWeight && (m_pFace->style_flags & FT_STYLE_FLAG_BOLD) == 0;
    m_nEscapement = font.escapement;
    m_sizedFont = font;
    m_bSized = true;
    return true;
}

const CFreeTypeText::Glyph* CFreeTypeText::GlyphOf(unsigned index) {
    const GlyphKey key{m_nEm, m_bBold, m_nEscapement, index};
    if (const auto found = m_glyphs.find(key); found != m_glyphs.end()) {
        return &found->second;
    }
    // Outlines without hinting: the byte code of common CJK faces spoils
    // small sizes (their fontconfig settings turn it off too).
    const FT_Int32 flags = FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;
    if (m_nEscapement != 0) {
        const double angle = m_nEscapement * kTenthDegreeToRadian;
        FT_Matrix turn{static_cast<FT_Fixed>(std::lround(std::cos(angle) * 65536.0)),
                       static_cast<FT_Fixed>(std::lround(-std::sin(angle) * 65536.0)),
                       static_cast<FT_Fixed>(std::lround(std::sin(angle) * 65536.0)),
                       static_cast<FT_Fixed>(std::lround(std::cos(angle) * 65536.0))};
        FT_Set_Transform(m_pFace, &turn, nullptr);
    }
    const bool loaded = FT_Load_Glyph(m_pFace, index, flags) == 0;
    FT_Set_Transform(m_pFace, nullptr, nullptr);
    FT_GlyphSlot slot = m_pFace->glyph;
    if (!loaded) {
        return nullptr;
    }
    if (m_bBold && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        // As Qt makes a face bold: the outline widened, the advance kept.
        const FT_Pos strength =
            FT_MulFix(m_pFace->units_per_EM, m_pFace->size->metrics.y_scale) / kEmboldenShare;
        FT_Outline_EmboldenXY(&slot->outline, strength, strength);
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) {
        return nullptr;
    }
    Glyph glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.advanceX = slot->advance.x;
    glyph.advanceY = -slot->advance.y;
    glyph.on.resize(static_cast<std::size_t>(glyph.width) * glyph.rows);
    for (int row = 0; row < glyph.rows; ++row) {
        const unsigned char* line = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        for (int column = 0; column < glyph.width; ++column) {
            const bool on = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                ? (line[column / 8] >> (7 - column % 8)) & 1
                                : line[column] >= 0x80;
            glyph.on[static_cast<std::size_t>(row) * glyph.width + column] = on ? 1 : 0;
        }
    }
    return &m_glyphs.emplace(key, std::move(glyph)).first->second;
}

CanvasSize CFreeTypeText::Extent(const CanvasFont& font, const std::string& utf8) {
    CanvasFont level = font;
    level.escapement = 0;
    if (!Size(level)) {
        return CanvasSize{};
    }
    long width = 0;
    for (char32_t point : CodePoints(utf8)) {
        if (const Glyph* glyph = GlyphOf(FT_Get_Char_Index(m_pFace, point))) {
            width += glyph->advanceX;
        }
    }
    return CanvasSize{static_cast<int>(Round26(width)), m_nAscent + m_nDescent};
}

void CFreeTypeText::Draw(const DevicePixels& picture, int x, int y, const CanvasFont& font,
                         std::uint32_t colour, bool opaque, std::uint32_t background,
                         const std::string& utf8) {
    if (opaque && font.escapement == 0) {
        const CanvasSize cell = Extent(font, utf8);
        for (int row = std::max(y, 0); row < std::min(y + cell.cy, picture.height); ++row) {
            std::uint32_t* line = picture.Row(row);
            std::fill(line + std::clamp(x, 0, picture.width),
                      line + std::clamp(x + cell.cx, 0, picture.width), background);
        }
    }
    if (!Size(font)) {
        return;
    }
    // The baseline starts one ascent below the corner, turned with the text.
    const double angle = m_nEscapement * kTenthDegreeToRadian;
    double penX = x + m_nAscent * std::sin(angle);
    double penY = y + m_nAscent * std::cos(angle);
    for (char32_t point : CodePoints(utf8)) {
        const Glyph* glyph = GlyphOf(FT_Get_Char_Index(m_pFace, point));
        if (glyph == nullptr) {
            continue;
        }
        const int originX = static_cast<int>(std::lround(penX)) + glyph->left;
        const int originY = static_cast<int>(std::lround(penY)) - glyph->top;
        for (int row = 0; row < glyph->rows; ++row) {
            const int py = originY + row;
            if (py < 0 || py >= picture.height) {
                continue;
            }
            std::uint32_t* line = picture.Row(py);
            const std::uint8_t* on =
                glyph->on.data() + static_cast<std::size_t>(row) * glyph->width;
            for (int column = 0; column < glyph->width; ++column) {
                const int px = originX + column;
                if (on[column] != 0 && px >= 0 && px < picture.width) {
                    line[px] = colour;
                }
            }
        }
        penX += glyph->advanceX / 64.0;
        penY += glyph->advanceY / 64.0;
    }
}
