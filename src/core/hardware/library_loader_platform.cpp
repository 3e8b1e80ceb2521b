#include "core/hardware/library_loader.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace picprog {

#ifdef _WIN32
namespace {

class WindowsLibraryLoader : public LibraryLoader {
public:
    ~WindowsLibraryLoader() override {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    bool load(const std::string& name) override {
        module_ = LoadLibraryA(name.c_str());
        return module_ != nullptr;
    }
    void* symbol(const std::string& name) override {
        if (module_ == nullptr) {
            return nullptr;
        }
        return reinterpret_cast<void*>(GetProcAddress(module_, name.c_str()));
    }

private:
    HMODULE module_ = nullptr;
};

}  // namespace

std::unique_ptr<LibraryLoader> make_platform_library_loader() {
    return std::make_unique<WindowsLibraryLoader>();
}
#else
std::unique_ptr<LibraryLoader> make_platform_library_loader() { return nullptr; }
#endif

}  // namespace picprog
