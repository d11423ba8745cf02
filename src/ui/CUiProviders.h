#pragma once
// The questions the commands ask the user, as replaceable functions: the
// application uses the real dialogs, tests answer them directly.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QDialog;

struct FileDialogRequest {
    std::string title;        // UTF-8; empty for the dialog's own
    std::string filter;       // "name|patterns|…||" form; empty for none
    std::string initialName;  // initial file name or path; "*.*" shows every file
    std::string directory;    // folder the dialog starts in; empty for the current one
};

struct CUiProviders {
    // The percent dialog with its window title and prompt; the value on OK.
    std::function<std::optional<int>(const std::string& title, const std::string& prompt)>
        askPercent;
    // Open and save file dialogs; the chosen path on OK. The save dialog asks
    // before overwriting.
    std::function<std::optional<std::string>(const FileDialogRequest&)> openFile;
    std::function<std::optional<std::string>(const FileDialogRequest&)> saveFile;
    // Shows a dialog modally; its result() tells how it ended.
    std::function<void(QDialog&)> showModal;
    // The colour chooser opened on a colour (0x00BBGGRR); the choice on OK.
    std::function<std::optional<std::uint32_t>(std::uint32_t initial)> chooseColour;
};
