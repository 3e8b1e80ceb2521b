#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace picprog {

// A location caption of the engine: "F:123/2048" (FLASH) or "E:5/128"
// (EEPROM), the location being worked on and the last one of the loop.
struct LocationCaption {
    char memory = 'F';
    int64_t current = 0;
    int64_t last = 0;
};

// Reads a location caption; nullopt for any other status text ("CONF1:",
// "Begin program all.", a result caption).
std::optional<LocationCaption> parse_location_caption(std::string_view caption);

// Cells of the bar between its brackets.
inline constexpr int kProgressBarCells = 30;

// The one-line progress display for a status text: a bar filled in
// proportion to current/last followed by the caption itself, such as
// "[#######.......................]  23% F:480/2048". Texts that are not
// location captions show as they are.
std::string progress_line(std::string_view caption);

// What makes two progress lines look different to a person: the caption
// kind, the filled cells and the whole percent. Redrawing only when it
// changes keeps a terminal from being flooded by one frame per location.
std::string progress_key(std::string_view caption);

}  // namespace picprog
