#pragma once
// What passes between a program and the export module (kelvra-export): one
// plain C call, so that the two, each with its own copy of the core, share
// no C++ object. The module links GDAL; nothing else in kelvra does, so only
// an export pays for loading it.

extern "C" {

struct KelvraExportCall {
    int version;         // kExportCallVersion of the caller
    const char* format;  // "geotiff" or "netcdf"
    int inputCount;
    const char* const* inputs;  // product paths (one for a GeoTIFF)
    const char* output;
    int counts;  // GeoTIFF: the 8-bit counts instead of the calibrated values
    int cog;     // GeoTIFF: cloud-optimised (tiled, with overviews)
    // Filled by the module, each ended by a NUL within its size: why the
    // export failed, or what the user should know about a success.
    char* message;
    int messageSize;
};

// The module's one exported function: 0 when the file was written, 1 when not.
typedef int (*KelvraExportEntry)(KelvraExportCall* call);
}

// Raised whenever the call changes: a module of another version refuses it.
inline constexpr int kExportCallVersion = 1;
inline constexpr const char* kExportEntryName = "kelvra_export_run";
