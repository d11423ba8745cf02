#include "cli/AnimateArgs.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "cli/IntegerArg.h"
#include "image/GifWriter.h"
#include "platform/Utf8Path.h"

namespace {

constexpr int kMinDelayMs = 10;
constexpr int kMaxDelayMs = 10 * kMaxGifDelayCentiseconds;

bool HasGifExtension(const std::string& output) {
    std::string extension = Utf8FromPath(PathFromUtf8(output).extension());
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension == ".gif";
}

// The verb's own options; an empty string, or what is wrong.
std::string ParseLoopOption(const CliArgs& args, std::size_t& i, AnimateArgs& options) {
    const std::string& arg = args[i];
    if (i + 1 >= args.size()) {
        return "missing value after " + arg;
    }
    const std::string& value = args[++i];
    if (arg == "-o") {
        options.output = value;
    } else if (arg == "--delay" &&
               !ParseIntegerArg(value, kMinDelayMs, kMaxDelayMs, options.delayMs)) {
        return "bad delay '" + value + "' (milliseconds, " + std::to_string(kMinDelayMs) + "-" +
               std::to_string(kMaxDelayMs) + ")";
    } else if (arg == "--loop" && !ParseIntegerArg(value, 0, kMaxGifLoopCount, options.loopCount)) {
        return "bad loop count '" + value + "' (0 for ever, or 1-" +
               std::to_string(kMaxGifLoopCount) + " repeats)";
    }
    return std::string();
}

}  // namespace

bool IsFolderOutput(const std::string& output) {
    std::error_code ec;
    return output.back() == '/' || std::filesystem::is_directory(PathFromUtf8(output), ec);
}

std::string ParseAnimateArgs(const CliArgs& args, AnimateArgs& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string error;
        const OptionParse parsed = ParsePictureOption(args, i, options.picture, error);
        if (parsed == OptionParse::kBad) {
            return error;
        }
        if (parsed == OptionParse::kTaken) {
            continue;
        }
        const std::string& arg = args[i];
        if (arg == "-o" || arg == "--delay" || arg == "--loop") {
            if (std::string problem = ParseLoopOption(args, i, options); !problem.empty()) {
                return problem;
            }
        } else if (!arg.empty() && arg[0] == '-') {
            return "unknown option '" + arg + "'";
        } else {
            options.inputs.push_back(arg);
        }
    }
    if (options.inputs.empty()) {
        return "no input file";
    }
    if (options.output.empty()) {
        return "no output (-o OUT.gif or -o DIR/)";
    }
    if (!IsFolderOutput(options.output) && !HasGifExtension(options.output)) {
        return "the output must be a .gif file or a folder (ending in /)";
    }
    return std::string();
}
