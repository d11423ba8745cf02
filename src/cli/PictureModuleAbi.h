#pragma once
// What passes between kelvra-cli and its picture module: one plain C call,
// so that the two, each with its own copy of the core, share no C++ object.

extern "C" {

struct KelvraPictureCall {
    int version;       // kPictureCallVersion of the caller
    const char* verb;  // "render", "animate", "trend" or "thumbnail"
    int argc;
    const char* const* argv;  // the verb's arguments, already checked by kelvra-cli
};

// The module's one exported function: runs the verb and returns its exit status.
typedef int (*KelvraPictureEntry)(const KelvraPictureCall* call);
}

// Raised whenever the call changes: a module of another version refuses it.
inline constexpr int kPictureCallVersion = 1;
inline constexpr const char* kPictureEntryName = "kelvra_cli_pictures_run";
