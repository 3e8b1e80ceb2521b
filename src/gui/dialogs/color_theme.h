#pragma once

#include <QColor>
#include <string>
#include <string_view>
#include <vector>

namespace picprog {

class SettingsStore;

// The fifteen colours of one theme. Which widget takes which colour:
// window_back - background of the main window, the message box and the
//     model and theme dialogs;
// caption_back / caption_text - the "Loaded HEX File" caption; caption_back
//     is also the input box's background;
// mark_back / mark_text - the configuration-word captions and the highlighted
//     option of the model and theme lists;
// model_caption_back / model_caption_text - the "Microcontroller Model" caption;
// field_back / field_text - value fields, the input box's entry field and the
//     options that are not highlighted;
// section_back / section_text - the memory section titles;
// name_back / name_text - the model name and the "Status" caption;
// info_back / info_text - the model information line and the message or
//     prompt text of both boxes.
struct ColorTheme {
    QColor window_back, caption_back, caption_text, mark_back, mark_text, model_caption_back,
        model_caption_text, field_back, field_text, section_back, section_text, name_back,
        name_text, info_back, info_text;
};

// One row of the built-in theme table.
struct NamedTheme {
    std::string_view name;
    ColorTheme colors;
};

// The 46 built-in themes in the order the theme dialog lists them (row by
// row, left column first). Built once on first use, never changed.
const std::vector<NamedTheme>& theme_table();

// The theme used when nothing (or an unknown name) is stored.
constexpr std::string_view kDefaultThemeName = "Original Lite";

// The row whose name equals `name` exactly (case-sensitive); the
// "Original Lite" row for any other name.
const NamedTheme& find_theme(std::string_view name);

// The program-wide theme record: the name last read from or written to the
// "Color Theme" setting, and the colours in use.
class ThemeState {
public:
    std::string current_theme_name;
    ColorTheme theme;
};

// Reads the "Color Theme" setting (storing "Original Lite" when missing) into
// state.current_theme_name and fills state.theme from the table. An unknown
// name keeps the stored text but gives the "Original Lite" colours; an empty
// name leaves state.theme unchanged.
void load_theme(ThemeState& state, SettingsStore& settings);

}  // namespace picprog
