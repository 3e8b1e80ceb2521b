#include "gui/mainwindow/file_commands.h"

#include "core/hexfile/hex_load.h"
#include "core/hexfile/hex_save.h"

namespace picprog {
namespace {

// Folder separators a chosen path may hold: the platform file dialogs
// answer with forward slashes everywhere, native paths on Windows use a
// backslash.
#ifdef _WIN32
constexpr std::string_view kSeparators = "/\\";
#else
constexpr std::string_view kSeparators = "/";
#endif

// Splits the chosen path, remembers its folder and answers the full path;
// "" when the user cancelled.
std::string accept_choice(FileCommandContext& context, const std::string& chosen) {
    if (chosen.empty()) {
        return {};
    }
    const ChosenPath parts = split_chosen_path(chosen);
    context.last_path = parts.folder;
    context.settings.save_setting(setting::kLastPath, context.last_path);
    return context.last_path + parts.file_name;
}

}  // namespace

ChosenPath split_chosen_path(std::string_view path) {
    const size_t cut = path.find_last_of(kSeparators);
    if (cut == std::string_view::npos) {
        return {"", std::string(path)};
    }
    return {std::string(path.substr(0, cut + 1)), std::string(path.substr(cut + 1))};
}

void open_hex_file(FileCommandContext& context) {
    const std::string path =
        accept_choice(context, context.files.open_file(context.parent, context.last_path));
    if (path.empty()) {
        return;
    }
    Programmer& p = context.programmer;
    const LoadOutcome outcome = load_hex_file(path, p.model, p.image, context.view);
    context.set_label_hex(outcome.label_hex);
}

void save_buffer_as(FileCommandContext& context) {
    const std::string path =
        accept_choice(context, context.files.save_file(context.parent, context.last_path));
    if (path.empty()) {
        return;
    }
    Programmer& p = context.programmer;
    const SaveOutcome outcome = save_hex_file(path, p.image, p.model, context.view);
    if (outcome.status == SaveStatus::Saved) {
        context.set_label_hex(outcome.label_hex);
    }
}

}  // namespace picprog
