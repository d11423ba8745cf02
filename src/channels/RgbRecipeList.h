#pragma once
// The recipes a user can choose: the files "*.rgb" of the data folder's rgb
// folder, then of the user's own recipe folder, where a file of the same
// name replaces the shipped one.

#include <string>
#include <vector>

#include "channels/RgbRecipe.h"

class CDataPaths;

struct RgbRecipeEntry {
    std::string key;  // the file name without ".rgb": what render --rgb takes
    std::string path;
    RgbRecipe recipe;  // valid when problem is empty
    std::string problem;
};

// The data folder's rgb folder, then the user's recipe folder (rgb beside
// the profile: $XDG_CONFIG_HOME or ~/.config, "Local AppWizard-Generated
// Applications/rgb"; %APPDATA%\kelvra\rgb on Windows).
std::vector<std::string> RgbRecipeFolders(const CDataPaths& paths);

// The recipes of the folders by key, in key order; a later folder's file
// replaces an earlier one of the same key. Malformed files are listed with
// their problem.
std::vector<RgbRecipeEntry> ListRgbRecipes(const std::vector<std::string>& folders);

// A key of the list, or the path of a recipe file; false with problem when
// there is no such recipe or it is malformed.
bool ResolveRgbRecipe(const std::string& keyOrPath, const std::vector<std::string>& folders,
                      RgbRecipe& recipe, std::string& problem);
