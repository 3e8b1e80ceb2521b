#pragma once

#include <filesystem>
#include <string>

namespace picprog {

// Why a path that exists cannot be taken as a file: "it is a character
// device, not a regular file" and the like for devices, named pipes and
// sockets.
std::string not_regular_reason(std::filesystem::file_type type);

}  // namespace picprog
