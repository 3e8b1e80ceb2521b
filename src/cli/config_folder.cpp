#include "cli/config_folder.h"

#include <cstdlib>

namespace picprog {
namespace {

constexpr auto kXdgConfigHome = "XDG_CONFIG_HOME";
constexpr auto kHome = "HOME";
constexpr auto kDefaultConfigSubfolder = ".config";
constexpr auto kRootFolder = "/";

}  // namespace

EnvironmentLookup process_environment() {
    return [](std::string_view name) -> std::optional<std::string> {
        const char* value = std::getenv(std::string(name).c_str());
        if (value == nullptr) {
            return std::nullopt;
        }
        return std::string(value);
    };
}

std::filesystem::path user_config_folder(const EnvironmentLookup& environment) {
    // The XDG rule: a relative XDG_CONFIG_HOME is ignored. Without HOME the
    // desktop toolkit falls back to the root folder; so does this.
    const std::optional<std::string> xdg = environment(kXdgConfigHome);
    std::filesystem::path base;
    if (xdg && !xdg->empty() && std::filesystem::path(*xdg).is_absolute()) {
        base = *xdg;
    } else {
        const std::optional<std::string> home = environment(kHome);
        base = std::filesystem::path(home && !home->empty() ? *home : kRootFolder) /
               kDefaultConfigSubfolder;
    }
    return base / kConfigFolderName;
}

std::filesystem::path settings_file(const EnvironmentLookup& environment) {
    return user_config_folder(environment) / kSettingsFileName;
}

}  // namespace picprog
