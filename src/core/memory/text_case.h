#pragma once

#include <string>
#include <string_view>

namespace picprog {

// Case conversion of the ASCII letters only: the files are 8-bit text in an
// unknown code page, so bytes above 7Fh are left as they are.
std::string to_lower_ascii(std::string_view text);
std::string to_upper_ascii(std::string_view text);

}  // namespace picprog
