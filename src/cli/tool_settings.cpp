#include "cli/tool_settings.h"

namespace picprog {

QString tool_settings_path(const EnvironmentLookup& environment) {
    return QString::fromStdString(settings_file(environment).string());
}

QtSettingsOptions tool_settings_options(const Console& console) {
    QtSettingsOptions options;
    options.hold_writes = true;
    options.warn = [&console](std::string_view text) {
        console.err << "Warning: " << text << "\n";
    };
    return options;
}

}  // namespace picprog
