#include "input/linux/SdlLibrary.h"

#include <dlfcn.h>

namespace ravel {
namespace {

// Once loaded, SDL stays for the rest of the run.
const SdlLibrary* Load() {
    void* handle = ::dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        return nullptr;
    }
    static SdlLibrary library;
#define RAVEL_SDL_LOAD(name)                                                                \
    library.name = reinterpret_cast<decltype(library.name)>(::dlsym(handle, "SDL_" #name)); \
    if (library.name == nullptr) {                                                          \
        return nullptr;                                                                     \
    }
    RAVEL_SDL_FUNCTIONS(RAVEL_SDL_LOAD)
#undef RAVEL_SDL_LOAD
    return &library;
}

}  // namespace

const SdlLibrary* LoadSdl() {
    static const SdlLibrary* const library = Load();
    return library;
}

}  // namespace ravel
