#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/hexfile/hex_reader.h"

namespace picprog {

// Texts the HEX file commands show. Line breaks inside messages are CR LF,
// as the message box expects.

inline constexpr std::string_view kHexNotLoadedStatus = "HEX file not loaded!";
inline constexpr std::string_view kHexSavedStatus = "HEX file saved.";
inline constexpr std::string_view kHexNotSavedStatus = "HEX file not saved!";

// The text after "Line number N" for an error; empty for HexError::None.
std::string_view hex_error_text(HexError error);

// The error box text for a refused file: the header line, then
// "Line number " with result.line and the error's text.
std::string hex_error_message(const HexParseResult& result);

// The warning box text for data outside the model's memory. With more than
// 24 addresses only the first 16, "..., " and the last 8 are listed; the
// count still gives them all. Precondition: the list is not empty.
std::string out_of_range_warning(const std::vector<int64_t>& addresses);

// words_loaded / 1024 in its shortest decimal form, without a leading zero
// before the point, cut to 4 characters: 1536 gives "1.5", 512 ".5",
// 1000 ".976", 0 "0".
std::string kiloword_text(int32_t words_loaded);

// "Operation completed. Total N (K) program words loaded."
std::string loaded_status_text(int32_t words_loaded);

// The loaded-file caption: the path itself, or "... " and its last 70
// characters when it is longer than 70 (characters, not bytes, of UTF-8).
std::string hex_path_label(std::string_view path);

// The question asked before an existing file is replaced.
std::string overwrite_question(std::string_view path);

// Error box texts for a file the system refused to read or write; `reason`
// is the system's own words.
std::string hex_read_failure_message(std::string_view path, std::string_view reason);
std::string hex_write_failure_message(std::string_view path, std::string_view reason);

}  // namespace picprog
