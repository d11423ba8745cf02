#include "image/PaletteChoice.h"

#include <array>
#include <utility>

namespace {

// Menu order of the eight prepared palettes.
constexpr std::array<const char*, 8> kPreparedFiles = {
    "gray1.lut",  "gray2.lut",  "gray3.lut",  "grayv.lut",
    "color1.lut", "color2.lut", "color3.lut", "colorv.lut",
};

}  // namespace

CPaletteChoice::CPaletteChoice(CDataPaths paths) : m_paths(std::move(paths)) {}

std::string CPaletteChoice::PreparedFile(int index) const {
    if (index < 0 || index >= static_cast<int>(kPreparedFiles.size())) {
        return {};
    }
    return m_paths.DataFile(kPreparedFiles[static_cast<std::size_t>(index)]);
}

void CPaletteChoice::OnPaletteCommand(int id, const FileChooser& chooser) {
    if (id < kIdPaletteGray1 || id > kIdPaletteCustom) {
        return;
    }
    const int k = id - kIdPaletteGray1;
    m_bPaletteOn = (k == m_nPalette) ? !m_bPaletteOn : 1;
    m_nPalette = k;
    if (!m_bPaletteOn) {
        return;
    }
    if (k != kPaletteCustomIndex) {
        m_strPalette = PreparedFile(k);
        return;
    }
    // A cancelled dialog keeps the previous file although the custom item is
    // now the checked one.
    if (chooser) {
        if (std::optional<std::string> chosen = chooser(m_paths.StartDirectory())) {
            m_strPalette = std::move(*chosen);
        }
    }
}

CPaletteChoice::UpdateState CPaletteChoice::OnUpdatePaletteCommand(int id) const {
    UpdateState state;
    state.checked = m_bPaletteOn == 1 && id - kIdPaletteGray1 == m_nPalette;
    return state;
}
