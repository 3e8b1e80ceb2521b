#pragma once

#include <optional>
#include <string>

#include "core/devices/current_model.h"
#include "core/hardware/line_settings.h"
#include "core/settings/settings_store.h"
#include "gui/dialogs/prompter.h"

namespace picprog {

// "Change Parallel Port Number": asks for port 1, 2 or 3 (only when the
// address in use is one of the three; any other address is kept without
// asking), takes an exact "1", "2" or "3", answers anything else but the
// empty text with "Wrong entry!", and stores "Parallel Port Address" in
// every case. Returns the status line text for the address now in use,
// "Parallel port N ready", or nothing for an address other than the three,
// when the status line is to stay as it is. Writes nothing to the port.
std::optional<std::string> change_port_number(LineSettings& lines, SettingsStore& settings,
                                              Prompter& prompter);

// "Change Default Programming Time": asks for 1 to 30 ms and takes the
// leading number of the answer rounded to the nearest integer, halves to
// even (2.5 gives 2, 29.5 gives 30); anything outside 1 to 30 (30.4 too)
// is answered with "Wrong entry!". Lasts until the next model selection.
void change_programming_time(CurrentModel& model, Prompter& prompter);

// The text of "Parallel Port Pinout": TAB-separated columns, every line,
// the last one too, ending in CR LF.
std::string pinout_text();

// "Parallel Port Pinout": shows pinout_text() in an OK box.
void show_pinout(Prompter& prompter);

}  // namespace picprog
