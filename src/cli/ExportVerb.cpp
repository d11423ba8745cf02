// kelvra-cli export: a product as a GeoTIFF or a loop as a NetCDF file,
// through the export module (export/ExportModule.h), which only this verb
// loads.

#include <cstdio>

#include "cli/CliVerbs.h"
#include "export/ExportModule.h"

namespace {

constexpr const char* kVerb = "export";

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The format the output's extension names; false for any other.
bool FormatOf(const std::string& output, ExportRequest::Format& format) {
    if (EndsWith(output, ".tif") || EndsWith(output, ".tiff")) {
        format = ExportRequest::Format::kGeoTiff;
        return true;
    }
    if (EndsWith(output, ".nc")) {
        format = ExportRequest::Format::kNetCdf;
        return true;
    }
    return false;
}

// The request of the arguments, or an empty message-bearing failure.
bool ParseExport(const CliArgs& args, ExportRequest& request, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) {
            request.output = args[++i];
        } else if (args[i] == "--counts") {
            request.counts = true;
        } else if (args[i] == "--cog") {
            request.cog = true;
        } else if (!args[i].empty() && args[i][0] == '-') {
            error = "unknown option '" + args[i] + "'";
            return false;
        } else {
            request.inputs.push_back(args[i]);
        }
    }
    if (request.inputs.empty() || request.output.empty()) {
        error = "export takes FILE... and -o OUT";
    } else if (!FormatOf(request.output, request.format)) {
        error = "OUT must end in .tif (GeoTIFF) or .nc (NetCDF)";
    } else if (request.format == ExportRequest::Format::kGeoTiff && request.inputs.size() != 1) {
        error = "a GeoTIFF holds one product; several go to a .nc file";
    } else if (request.format == ExportRequest::Format::kNetCdf &&
               (request.counts || request.cog)) {
        error = "--counts and --cog are for GeoTIFF output";
    }
    return error.empty();
}

}  // namespace

int RunExport(const CliArgs& args) {
    ExportRequest request;
    std::string error;
    if (!ParseExport(args, request, error)) {
        return UsageError(kVerb, error);
    }
    std::string message;
    const bool written = RunExportModule(request, message);
    if (!message.empty()) {
        std::fprintf(stderr, "kelvra-cli: %s\n", message.c_str());
    }
    return written ? kExitOk : kExitFailed;
}
