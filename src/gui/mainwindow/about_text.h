#pragma once

#include <string>

namespace picprog {

// The About box text: nine lines, each ended by CR LF - the product title,
// the author, the rights notice, an empty line, the warranty note, where
// to get the program, an empty line, where to send bug reports, and the
// address for them.
std::string about_text();

}  // namespace picprog
