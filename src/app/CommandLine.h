#pragma once
// The desktop program's command line: kelvra [--catalogue DIR]
// [--nwp-root DIR] [--quit-after MS] [FILE...]. The first FILE is opened at
// start-up in place of the empty document and the others after it, as the
// desktop entry passes every file chosen; the folders are the product
// catalogue and the NWP catalogue root for this run only; MS closes the main
// window that many milliseconds after start-up, for scripted runs.

#include <QStringList>
#include <optional>
#include <string>
#include <vector>

struct CommandLineOptions {
    std::vector<std::string> filesToOpen;  // in the order given
    bool help = false;                     // --help: the usage line, nothing else
    std::optional<std::string> catalogueFolder;
    std::optional<std::string> nwpRoot;
    std::optional<int> quitAfterMs;
};

constexpr char kCommandLineUsage[] =
    "usage: kelvra [--catalogue DIR] [--nwp-root DIR] [--quit-after MS] [FILE...]\n";

// Parses the arguments after the program name (Qt's own options already
// taken out); nothing when they do not follow the usage.
std::optional<CommandLineOptions> ParseCommandLine(const QStringList& arguments);
