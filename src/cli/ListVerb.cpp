// kelvra-cli list: the rows the desktop file list shows for a catalogue
// folder (path, time, projection, centre, size; tab-separated, in
// observation-time order), from the same core listing. It draws nothing and
// needs no Qt.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "browse/CCatalogue.h"
#include "cli/CliVerbs.h"
#include "cli/StandardOutput.h"
#include "platform/Utf8Path.h"
#include "product/ObservationTime.h"

namespace {

constexpr char kVerb[] = "list";
constexpr std::size_t kTimeDigits = 12;  // YYYYMMDDHHMM

struct ListOptions {
    CatalogueQuery query;
    std::optional<std::size_t> latest;
};

struct ChannelName {
    const char* name;
    int code;
};
constexpr ChannelName kChannels[] = {{"IR1", 1}, {"IR2", 2}, {"WV", 3}, {"IR3", 4}, {"VIS", 5}};

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

bool ParseChannel(const std::string& text, int& code) {
    for (const ChannelName& channel : kChannels) {
        if (UpperAscii(text) == channel.name) {
            code = channel.code;
            return true;
        }
    }
    return false;
}

// YYYYMMDDHHMM, a valid UTC time, as minutes since the epoch.
bool ParseTime(const std::string& text, std::int64_t& minutes) {
    if (text.size() != kTimeDigits ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    const auto field = [&text](std::size_t at, std::size_t n) {
        return std::stoi(text.substr(at, n));
    };
    minutes = ObservationMinutes(field(0, 4), field(4, 2), field(6, 2), field(8, 2), field(10, 2));
    return minutes != kUnknownObservation;
}

bool ParseCount(const std::string& text, std::size_t& count) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    count = static_cast<std::size_t>(std::stoul(text));
    return count > 0;
}

// Fills options from the arguments; "" on success, else what was wrong.
std::string ParseListArgs(const CliArgs& args, ListOptions& options) {
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--recursive") {
            options.query.recursive = true;
            continue;
        }
        if (arg.rfind("--", 0) != 0) {
            positional.push_back(arg);
            continue;
        }
        if (i + 1 >= args.size()) {
            return arg + " needs a value";
        }
        const std::string& value = args[++i];
        std::int64_t minutes = 0;
        std::size_t count = 0;
        if (arg == "--code") {
            options.query.code = UpperAscii(value);
        } else if (arg == "--channel") {
            if (!ParseChannel(value, options.query.channel)) {
                return "--channel takes IR1, IR2, WV, IR3 or VIS";
            }
        } else if (arg == "--latest") {
            if (!ParseCount(value, count)) {
                return "--latest takes a positive count";
            }
            options.latest = count;
        } else if (arg == "--from" || arg == "--to") {
            if (!ParseTime(value, minutes)) {
                return arg + " takes a time YYYYMMDDHHMM";
            }
            (arg == "--from" ? options.query.from : options.query.to) = minutes;
        } else {
            return "unknown option '" + arg + "'";
        }
    }
    if (positional.size() != 1) {
        return "one FOLDER expected";
    }
    options.query.folder = positional.front();
    return "";
}

// Observation-time order; rows of one time (or none) keep the listing's order.
void SortByObservation(std::vector<CatalogueRow>& rows) {
    const auto minutes = [](const CatalogueRow& row) {
        const AwxSecondHeader& h = row.summary.second;
        return ObservationMinutes(h.year, h.month, h.day, h.hour, h.minute);
    };
    std::stable_sort(rows.begin(), rows.end(),
                     [&minutes](const auto& a, const auto& b) { return minutes(a) < minutes(b); });
}

// Writes the rows, stopping at the first line standard output refused; the
// run then fails as every text verb's does (FinishStandardOutput).
void PrintRows(const std::vector<CatalogueRow>& rows) {
    std::string line;
    for (const CatalogueRow& row : rows) {
        if (StandardOutputFailed()) {
            return;
        }
        const FileEntry entry = MakeFileEntry(row.path, row.summary);
        line = entry.path + '\t' + entry.timeText + '\t' + entry.projectionText + '\t' +
               entry.centreText + '\t' + entry.sizeText + '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
}

}  // namespace

int RunList(const CliArgs& args) {
    ListOptions options;
    const std::string problem = ParseListArgs(args, options);
    if (!problem.empty()) {
        return UsageError(kVerb, problem);
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(PathFromUtf8(options.query.folder), ec)) {
        std::fprintf(stderr, "kelvra-cli: not a folder that can be read: %s\n",
                     options.query.folder.c_str());
        return kExitFailed;
    }
    CCatalogue catalogue;
    std::vector<CatalogueRow> rows = options.latest
                                         ? catalogue.ListLatest(options.query, *options.latest).rows
                                         : catalogue.List(options.query).rows;
    SortByObservation(rows);
    PrintRows(rows);
    return kExitOk;
}
