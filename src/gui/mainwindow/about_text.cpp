#include "gui/mainwindow/about_text.h"

#include <array>
#include <string_view>

#include "core/engine/operation_view.h"

namespace picprog {

std::string about_text() {
    const std::array<std::string_view, 9> lines = {
        kProductTitle,
        "Written by the Quellmark Parallel Port PIC Programmer project.",
        "Copyright (C) the project's contributors. All rights reserved.",
        "",
        "This software is supplied as is in goodwill that it will "
        "successfully serve its purpose, but without any warranties.",
        "Available from the project's source repository.",
        "",
        "Send bug reports and suggestions to:",
        "the issue tracker of the project's source repository.",
    };
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace picprog
