#include "bench/measures.h"

ExecutableSize measureSize(const std::string& path) {
  ExecutableSize size = {path};
  WIN32_FILE_ATTRIBUTE_DATA attributes = {};
  if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes)) size.file = attributes.nFileSizeLow;
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return size;
  EnumResourceTypesA(
      module,
      [](HMODULE m, LPSTR type, LONG_PTR total) -> BOOL {
        return EnumResourceNamesA(
            m, type,
            [](HMODULE m2, LPCSTR t, LPSTR name, LONG_PTR sum) -> BOOL {
              if (HRSRC r = FindResourceA(m2, name, t)) *reinterpret_cast<double*>(sum) += SizeofResource(m2, r);
              return TRUE;
            },
            total);
      },
      reinterpret_cast<LONG_PTR>(&size.resources));
  FreeLibrary(module);
  return size;
}
