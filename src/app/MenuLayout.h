#pragma once
// The menu bar as one table: every menu, item text (UTF-8, with the "&X"
// mnemonics) and command id, in order. The menu builder and the tests read
// the same table.

#include <string>
#include <vector>

struct MenuEntry {
    enum class Kind { kItem, kSeparator, kPopup, kRecentFiles };
    Kind kind = Kind::kItem;
    std::string text;
    int id = 0;
    std::vector<MenuEntry> children;  // for kPopup
};

// The top-level popups of the main frame's menu bar.
const std::vector<MenuEntry>& MainMenuLayout();

// A key the frame binds to a command, in Qt's portable text ("Ctrl+O"); the
// command's menu item shows the first key bound to it. A key of the view
// acts only while the picture has the focus, so the arrows and Space keep
// their meaning in the side bar's lists and buttons.
struct MenuAccelerator {
    const char* keys;
    int id;
    bool inView = false;
};

// The frame's accelerators.
const std::vector<MenuAccelerator>& MainAccelerators();
