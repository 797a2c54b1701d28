// The executable's load configuration, which the linker finds by this
// symbol's name. It is here for one field: from Windows 10 1607 on, the
// loader then takes the program's imports from the system folder alone, so
// a DLL lying beside the program (WINMM is not a known DLL) never loads in
// place of the system's. Older systems ignore the field.
#include <windows.h>

#include <cstddef>

namespace {

constexpr IMAGE_LOAD_CONFIG_DIRECTORY loadConfig() {
  IMAGE_LOAD_CONFIG_DIRECTORY config = {};
#ifdef _WIN64
  config.Size = sizeof config;  // the structure as the first 64-bit loaders knew it
#else
  // x86 images declare 64 bytes for Windows XP and earlier; the field fits.
  config.Size = offsetof(IMAGE_LOAD_CONFIG_DIRECTORY32, SEHandlerTable);
#endif
  config.Reserved1 = LOAD_LIBRARY_SEARCH_SYSTEM32;  // DependentLoadFlags, by its older name
  return config;
}

}  // namespace

// constexpr: filled in by the compiler, since no start-up code runs before
// the loader reads it.
extern "C" const IMAGE_LOAD_CONFIG_DIRECTORY _load_config_used;
constexpr IMAGE_LOAD_CONFIG_DIRECTORY _load_config_used = loadConfig();
