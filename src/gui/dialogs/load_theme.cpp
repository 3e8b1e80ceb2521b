#include "core/settings/settings_store.h"
#include "gui/dialogs/color_theme.h"

namespace picprog {

void load_theme(ThemeState& state, SettingsStore& settings) {
    state.current_theme_name = settings.get_setting(setting::kColorTheme, kDefaultThemeName);
    // The program never stores an empty name; one written by hand keeps the
    // colours already in use rather than guessing.
    if (state.current_theme_name.empty()) {
        return;
    }
    state.theme = find_theme(state.current_theme_name).colors;
}

}  // namespace picprog
