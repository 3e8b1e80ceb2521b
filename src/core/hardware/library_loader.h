#pragma once

#include <memory>
#include <string>

namespace picprog {

// Loads a shared library and finds its functions; a seam so the InpOut
// back end's choices can be tested on any platform.
class LibraryLoader {
public:
    virtual ~LibraryLoader() = default;
    // True when the library could be loaded (it stays loaded until the
    // loader is destroyed).
    virtual bool load(const std::string& name) = 0;
    // The address of an exported function of the loaded library, or null.
    virtual void* symbol(const std::string& name) = 0;
};

// The platform's own loader (LoadLibrary on Windows); null elsewhere.
std::unique_ptr<LibraryLoader> make_platform_library_loader();

}  // namespace picprog
