#pragma once
// The state an update handler gives one command: enabled, check mark (with
// the radio form), and optionally a new item text. Menus, the side bar and
// tests read it back.

#include <optional>
#include <string>

struct CCmdUI {
    int m_nID = 0;
    bool enabled = true;
    bool checked = false;
    bool radio = false;
    std::optional<std::string> text;  // UTF-8; unset keeps the item's text

    void Enable(bool on = true) { enabled = on; }
    void SetCheck(bool on = true) { checked = on; }
    void SetRadio(bool on = true) {
        radio = true;
        checked = on;
    }
    void SetText(std::string newText) { text = std::move(newText); }
};
