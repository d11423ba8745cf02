#pragma once
// The catalogue folder: where the product files lie. It is read afresh for
// every listing and written only when the user chooses a new folder.

#include <string>

#include "platform/Settings.h"

constexpr char kFilesPathsSection[] = "FILES PATHS";
constexpr char kCatalogueFolderKey[] = "SEC ROOT";

// "D:\data\AWX" on Windows, ~/data/AWX elsewhere.
std::string DefaultCatalogueFolder();

// The profile's "FILES PATHS" / "SEC ROOT", or the default.
std::string ReadCatalogueFolder(const CSettings& settings);

void WriteCatalogueFolder(CSettings& settings, const std::string& folder);
