#include "channels/RgbRecipeList.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <system_error>

#include "platform/DataPaths.h"

namespace {

constexpr const char* kRecipeExtension = ".rgb";

std::string UserRecipeFolder() {
#ifdef _WIN32
    const char* appData = std::getenv("APPDATA");
    return appData ? std::string(appData) + "\\kelvra\\rgb" : std::string();
#else
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::string base = config && *config ? std::string(config)
                             : home            ? std::string(home) + "/.config"
                                               : std::string();
    return base.empty() ? base : base + "/Local AppWizard-Generated Applications/rgb";
#endif
}

}  // namespace

std::vector<std::string> RgbRecipeFolders(const CDataPaths& paths) {
    std::vector<std::string> folders{paths.DataFile("rgb")};
    if (const std::string user = UserRecipeFolder(); !user.empty()) {
        folders.push_back(user);
    }
    return folders;
}

std::vector<RgbRecipeEntry> ListRgbRecipes(const std::vector<std::string>& folders) {
    std::map<std::string, std::string> paths;
    for (const std::string& folder : folders) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            const std::filesystem::path& path = entry.path();
            if (path.extension() == kRecipeExtension && entry.is_regular_file(error)) {
                paths[path.stem().string()] = path.string();
            }
        }
    }
    std::vector<RgbRecipeEntry> entries;
    for (const auto& [key, path] : paths) {
        RgbRecipeEntry entry;
        entry.key = key;
        entry.path = path;
        ReadRgbRecipeFile(path, entry.recipe, entry.problem);
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool ResolveRgbRecipe(const std::string& keyOrPath, const std::vector<std::string>& folders,
                      RgbRecipe& recipe, std::string& problem) {
    for (const RgbRecipeEntry& entry : ListRgbRecipes(folders)) {
        if (entry.key == keyOrPath) {
            problem = entry.problem;
            recipe = entry.recipe;
            return problem.empty();
        }
    }
    std::error_code error;
    if (std::filesystem::is_regular_file(keyOrPath, error)) {
        return ReadRgbRecipeFile(keyOrPath, recipe, problem);
    }
    problem = "没有名为 '" + keyOrPath + "' 的 RGB 配方";
    return false;
}
