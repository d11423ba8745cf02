#pragma once
// The view's palette state: which palette file is chosen, whether palettes are
// on, and which of the nine "云图调色" items was chosen last. Choosing the
// checked item again switches palettes off; choosing another switches them on.

#include <functional>
#include <optional>
#include <string>

#include "platform/DataPaths.h"

constexpr int kIdPaletteGray1 = 32845;   // "黑白－1"
constexpr int kIdPaletteCustom = 32853;  // "自定义调色板"
constexpr int kPaletteCustomIndex = 8;

class CPaletteChoice {
public:
    // Asks the user for a palette file ("请选择调色板文件"), starting in the
    // given folder; nothing when the user cancels.
    using FileChooser = std::function<std::optional<std::string>(const std::string& startFolder)>;

    struct UpdateState {
        bool enabled = true;
        bool checked = false;
    };

    explicit CPaletteChoice(CDataPaths paths);

    // Handler for the range 32845-32853; other ids are ignored. The chooser is
    // consulted only for the custom item while palettes are on.
    void OnPaletteCommand(int id, const FileChooser& chooser);
    UpdateState OnUpdatePaletteCommand(int id) const;

    // The file of a prepared item (index 0-7), or "" for any other index.
    std::string PreparedFile(int index) const;

    std::string m_strPalette;
    int m_bPaletteOn = 0;
    int m_nPalette = -1;

private:
    CDataPaths m_paths;
};
