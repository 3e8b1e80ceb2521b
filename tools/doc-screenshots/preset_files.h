#pragma once

#include <string>
#include <string_view>

#include "gui/mainwindow/file_chooser.h"

namespace picprog::doc {

// File dialogs that answer at once with preset paths, so that the tour can
// open, save and record without a native dialog on the screen.
class PresetFiles : public FileChooser {
public:
    std::string open_file(QWidget* /*parent*/, std::string_view /*folder*/) override {
        return open_answer;
    }
    std::string save_file(QWidget* /*parent*/, std::string_view /*folder*/) override {
        return save_answer;
    }
    std::string trace_file(QWidget* /*parent*/, std::string_view /*folder*/) override {
        return trace_answer;
    }

    std::string open_answer;
    std::string save_answer;
    std::string trace_answer;
};

}  // namespace picprog::doc
