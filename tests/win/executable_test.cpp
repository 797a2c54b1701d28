// The executable's own headers: what it imports, how it is linked, its size.
#include "tests/win/program.h"
#include "tests/win/test_options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>

namespace {

using Imports = std::map<std::string, std::set<std::string>>;

struct Image {
  std::vector<unsigned char> bytes;
  const IMAGE_NT_HEADERS* nt = nullptr;

  explicit Image(const std::string& path) : bytes(readFileBytes(path)) {
    if (bytes.size() < sizeof(IMAGE_DOS_HEADER)) return;
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
    if (dos->e_magic != IMAGE_DOS_SIGNATURE || size_t(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS) > bytes.size()) return;
    nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(bytes.data() + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE) nt = nullptr;
  }

  // The file bytes at a relative virtual address, or null outside every section.
  const unsigned char* at(DWORD rva) const {
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
      if (rva >= section->VirtualAddress && rva < section->VirtualAddress + section->SizeOfRawData) {
        const size_t offset = rva - section->VirtualAddress + section->PointerToRawData;
        return offset < bytes.size() ? bytes.data() + offset : nullptr;
      }
    }
    return nullptr;
  }

  Imports imports() const {
    Imports result;
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(dir.VirtualAddress));
    for (; d && d->Name; ++d) {
      std::string dll = reinterpret_cast<const char*>(at(d->Name));
      std::transform(dll.begin(), dll.end(), dll.begin(), ::toupper);
      auto& names = result[dll];
      const auto* thunk = reinterpret_cast<const IMAGE_THUNK_DATA*>(
          at(d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk));
      for (; thunk && thunk->u1.AddressOfData; ++thunk) {
        if (IMAGE_SNAP_BY_ORDINAL(thunk->u1.Ordinal)) {
          names.insert("#ordinal");
        } else {
          const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(
              at(static_cast<DWORD>(thunk->u1.AddressOfData)));
          names.insert(reinterpret_cast<const char*>(byName->Name));
        }
      }
    }
    return result;
  }
};

}  // namespace

TEST(Executable, ImportsOnlyTheOperationsItUsesFromTheFourSystemDlls) {
  const Image image(testOptions().program);
  ASSERT_NE(image.nt, nullptr) << "not a PE file: " << testOptions().program;
  const Imports expected = {
      {"KERNEL32.DLL", {"ExitProcess", "GetCommandLineA", "GetModuleHandleA", "GetStartupInfoA"}},
      {"USER32.DLL",
       {"BeginPaint", "CreateWindowExA", "DefWindowProcA", "DestroyWindow", "DispatchMessageA",
        "EndPaint", "GetClientRect", "GetDesktopWindow", "GetMessageA", "InvalidateRect",
        "LoadBitmapA", "LoadCursorA", "LoadIconA", "MoveWindow", "PostQuitMessage",
        "RegisterClassExA", "SetWindowRgn", "ShowWindow", "TranslateMessage"}},
      {"GDI32.DLL",
       {"BitBlt", "CreateCompatibleDC", "CreateEllipticRgn", "DeleteDC", "DeleteObject", "DPtoLP",
        "GetMapMode", "GetObjectA", "SelectObject", "SetMapMode"}},
      {"WINMM.DLL", {"PlaySoundA"}},
  };
  const Imports actual = image.imports();
  EXPECT_EQ(actual, expected);
}

TEST(Executable, IsAStrippedReproducibleGuiProgramWithAslrAndNx) {
  const Image image(testOptions().program);
  ASSERT_NE(image.nt, nullptr);
  const auto& file = image.nt->FileHeader;
  const auto& optional = image.nt->OptionalHeader;
  EXPECT_EQ(file.TimeDateStamp, 0u) << "a timestamp makes every build differ";
  EXPECT_EQ(file.PointerToSymbolTable, 0u) << "not stripped";
  EXPECT_EQ(file.NumberOfSymbols, 0u) << "not stripped";
  EXPECT_EQ(optional.DataDirectory[IMAGE_DIRECTORY_ENTRY_DEBUG].Size, 0u);
  EXPECT_EQ(optional.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
  EXPECT_TRUE(optional.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE);
  EXPECT_TRUE(optional.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_NX_COMPAT);
  EXPECT_NE(optional.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC].Size, 0u)
      << "relocations are what lets the loader move it";
  EXPECT_LT(image.bytes.size(), 480000u);
}
