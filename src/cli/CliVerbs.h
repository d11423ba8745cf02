#pragma once
// The verbs of kelvra-cli. Each takes the arguments after the verb and returns
// the process exit status: 0 success, 1 failure of the job, 2 bad arguments.

#include <string>
#include <vector>

using CliArgs = std::vector<std::string>;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Prints "kelvra-cli: MESSAGE" and the usage line of the verb to stderr; returns 2.
int UsageError(const std::string& verb, const std::string& message);

int RunInfo(const CliArgs& args);
int RunExtent(const CliArgs& args);
int RunLocate(const CliArgs& args);
int RunSynth(const CliArgs& args);
// Loads IN and saves it as OUT, both by extension.
int RunConvert(const CliArgs& args);
// Loads IN, applies the image operations in order and saves the result as OUT.
int RunEnhance(const CliArgs& args);
// Composes the picture of a file as the desktop view does and saves it (in
// the picture module).
int RunRender(const CliArgs& args);
// The pictures of several products, in observation-time order, as an
// animated GIF or numbered PNG files (in the picture module).
int RunAnimate(const CliArgs& args);
// A product's picture as the view first shows it, scaled for a file
// manager's thumbnail and saved as PNG (in the picture module).
int RunThumbnail(const CliArgs& args);
// The largest thumbnail side accepted, beyond any file manager's request.
constexpr int kMaxThumbnailSize = 4096;
int RunIsotherms(const CliArgs& args);
// The file list's rows of a catalogue folder, tab-separated, in time order.
int RunList(const CliArgs& args);
// The precipitation estimate of a channel file's observation: rain pixels,
// or with --summary the pixels per legend class.
int RunPrecip(const CliArgs& args);
// A diamond NWP file: header summary, prepared grid or contour lines.
int RunNwp(const CliArgs& args);
// The cold-cloud cells of a product, or with --track their tracks through
// several products.
int RunCells(const CliArgs& args);
// Cloud-top cooling between two products: a picture and/or a summary.
int RunTrend(const CliArgs& args);
// Pixel count, area, minimum, mean and maximum value and the cold areas of a
// box of a product, or of the whole product.
int RunStats(const CliArgs& args);
// A point's value in each of several products, in observation-time order.
int RunSeries(const CliArgs& args);
// A product as a GeoTIFF or a loop as a NetCDF file (through the export module).
int RunExport(const CliArgs& args);
