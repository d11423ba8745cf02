#pragma once
// Text written into device pictures through FreeType, with one face for all
// text: the first usable file of the data folder's font list
// (fonts/FontFileList.h), opened when text is first drawn or measured, so a
// picture without text opens no font and nothing enumerates the installed
// fonts. Glyphs are drawn from their outlines, unhinted, without
// antialiasing; a font asked for at 700 or above is emboldened when the face
// is not bold itself, as Qt does.
//
// A canvas font's height is the cell height (ascent + descent) when
// positive, as on the original device, and the em size when negative.

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/DataPaths.h"
#include "platform/TextRaster.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

class CFreeTypeText : public CTextRaster {
public:
    // The list is read from paths' data folder; a list without a usable
    // file is reported through paths (once), and text is then not drawn.
    explicit CFreeTypeText(CDataPaths paths);
    ~CFreeTypeText() override;
    CFreeTypeText(const CFreeTypeText&) = delete;
    CFreeTypeText& operator=(const CFreeTypeText&) = delete;

    CanvasSize Extent(const CanvasFont& font, const std::string& utf8) override;
    void Draw(const DevicePixels& picture, int x, int y, const CanvasFont& font,
              std::uint32_t colour, bool opaque, std::uint32_t background,
              const std::string& utf8) override;

    // The file and face index in use, opening it if need be; empty when
    // there is none.
    std::string FacePath();

private:
    // A glyph as drawn: its pixels (one byte each, 0 or 1), where they lie
    // from the pen and how far the pen then moves (26.6, screen axes).
    struct Glyph {
        int left = 0;
        int top = 0;
        int width = 0;
        int rows = 0;
        long advanceX = 0;
        long advanceY = 0;
        std::vector<std::uint8_t> on;
    };
    using GlyphKey = std::tuple<int, bool, int, unsigned>;

    bool OpenFace();
    // Sets the face to the font's size; false without a face.
    bool Size(const CanvasFont& font);
    const Glyph* GlyphOf(unsigned index);

    CDataPaths m_paths;
    FT_LibraryRec_* m_pLibrary = nullptr;
    FT_FaceRec_* m_pFace = nullptr;
    bool m_bTried = false;
    std::string m_strFacePath;
    // The size set: em in pixels, emboldening and escapement, with the
    // cell's ascent and descent in pixels.
    CanvasFont m_sizedFont;
    bool m_bSized = false;
    int m_nEm = 0;
    bool m_bBold = false;
    int m_nEscapement = 0;
    int m_nAscent = 0;
    int m_nDescent = 0;
    std::map<GlyphKey, Glyph> m_glyphs;
};
