#include "cli/RenderArgs.h"

std::string ParseRenderArgs(const CliArgs& args, RenderArgs& options) {
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
        if (arg == "-o") {
            if (i + 1 >= args.size()) {
                return "missing value after " + arg;
            }
            options.output = args[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            return "unknown option '" + arg + "'";
        } else if (options.input.empty()) {
            options.input = arg;
        } else {
            return "more than one input file";
        }
    }
    if (options.input.empty()) {
        return "no input file";
    }
    if (options.output.empty()) {
        return "no output file (-o OUT)";
    }
    return std::string();
}
