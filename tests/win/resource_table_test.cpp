// Opens the built program as a data file and checks its whole resource
// directory through the Win32 resource and version functions.
#include "tests/win/program.h"
#include "tests/win/test_options.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string idText(LPCSTR id) {
  return IS_INTRESOURCE(id) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(id)) : id;
}

struct Entry {
  std::string type, name;
  WORD language;
  DWORD size;
  bool operator==(const Entry& o) const {
    return type == o.type && name == o.name && language == o.language && size == o.size;
  }
};

std::ostream& operator<<(std::ostream& out, const Entry& e) {
  return out << e.type << " " << e.name << " lang " << e.language << " " << e.size << " bytes";
}

struct Module {
  HMODULE handle = nullptr;
  std::vector<Entry> entries;  // in the directory's order
};

BOOL CALLBACK addLanguage(HMODULE module, LPCSTR type, LPCSTR name, WORD language, LONG_PTR out) {
  HRSRC found = FindResourceExA(module, type, name, language);
  reinterpret_cast<Module*>(out)->entries.push_back(
      {idText(type), idText(name), language, found ? SizeofResource(module, found) : 0});
  return TRUE;
}

BOOL CALLBACK addName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR out) {
  return EnumResourceLanguagesA(module, type, name, addLanguage, out);
}

BOOL CALLBACK addType(HMODULE module, LPSTR type, LONG_PTR out) {
  return EnumResourceNamesA(module, type, addName, out);
}

std::vector<unsigned char> resourceBytes(HMODULE module, LPCSTR type, LPCSTR name) {
  HRSRC found = FindResourceA(module, name, type);
  if (!found) return {};
  const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
  return std::vector<unsigned char>(data, data + SizeofResource(module, found));
}

// A file's bytes past its first `skip`.
std::vector<unsigned char> fileBytes(const std::string& path, size_t skip = 0) {
  const auto bytes = readFileBytes(path);
  if (bytes.size() < skip) return {};
  return std::vector<unsigned char>(bytes.begin() + static_cast<long>(skip), bytes.end());
}

// One node of a VS_VERSIONINFO tree: a key, its value and its children.
struct VersionNode {
  std::wstring key;
  const unsigned char* value;
  WORD valueLength;  // in words for text, in bytes for binary values
  std::vector<VersionNode> children;
};

size_t align4(size_t n) { return (n + 3) & ~size_t(3); }

VersionNode parseVersionNode(const unsigned char* base, size_t offset) {
  WORD length, valueLength;
  std::memcpy(&length, base + offset, 2);
  std::memcpy(&valueLength, base + offset + 2, 2);
  const auto* key = reinterpret_cast<const wchar_t*>(base + offset + 6);
  VersionNode node{key, nullptr, valueLength, {}};
  size_t at = align4(offset + 6 + (node.key.size() + 1) * 2);
  node.value = base + at;
  WORD type;
  std::memcpy(&type, base + offset + 4, 2);
  at = align4(at + valueLength * (type == 1 ? 2u : 1u));
  while (at < offset + length) {
    node.children.push_back(parseVersionNode(base, at));
    WORD childLength;
    std::memcpy(&childLength, base + at, 2);
    at = align4(at + childLength);
  }
  return node;
}

class ProgramResources : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_.handle = LoadLibraryExA(testOptions().program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module_.handle) EnumResourceTypesA(module_.handle, addType, reinterpret_cast<LONG_PTR>(&module_));
  }
  static void TearDownTestSuite() {
    if (module_.handle) FreeLibrary(module_.handle);
  }
  void SetUp() override {
    ASSERT_NE(module_.handle, nullptr) << "cannot open " << testOptions().program;
  }
  static Module module_;
};

Module ProgramResources::module_;

}  // namespace

TEST_F(ProgramResources, DirectoryHoldsExactlyTheResourceSet) {
  // The version information's size depends on the two free strings.
  const Entry* version = nullptr;
  for (const Entry& e : module_.entries) {
    if (e.type == "#16") version = &e;
  }
  ASSERT_NE(version, nullptr);
  const std::vector<Entry> expected = {
      {"WAVE", "PUSH_SOUND", 1033, 10042},
      {"#2", "BUTTON", 1033, 226616},
      {"#2", "BUTTON_PUSHED", 1033, 226616},
      {"#3", "#1", 1033, 4264},
      {"#3", "#2", 1033, 4264},
      {"#14", "A", 1033, 20},  // first group: the file's own icon
      {"#14", "TUMK_ICON", 1033, 20},
      {"#16", "#1", 1033, version->size},
  };
  EXPECT_EQ(module_.entries, expected);
}

TEST_F(ProgramResources, CarriesTheCommittedPicturesSoundAndIcon) {
  const std::string dir = testOptions().resources + "/";
  ASSERT_FALSE(testOptions().resources.empty()) << "run with --resources=DIR";
  HMODULE m = module_.handle;
  // A bitmap resource is the BMP file without its 14-byte file header; an
  // icon image is the icon file past its 22-byte directory.
  EXPECT_EQ(resourceBytes(m, RT_BITMAP, "BUTTON"), fileBytes(dir + "button.bmp", 14));
  EXPECT_EQ(resourceBytes(m, RT_BITMAP, "BUTTON_PUSHED"), fileBytes(dir + "button_pushed.bmp", 14));
  EXPECT_EQ(resourceBytes(m, "WAVE", "PUSH_SOUND"), fileBytes(dir + "push.wav"));
  const auto image1 = resourceBytes(m, RT_ICON, MAKEINTRESOURCEA(1));
  EXPECT_EQ(image1, fileBytes(dir + "tumk.ico", 22));
  EXPECT_EQ(resourceBytes(m, RT_ICON, MAKEINTRESOURCEA(2)), image1);
}

TEST_F(ProgramResources, IconGroupsPointAtTheirOwnImage) {
  for (auto [group, image] : {std::pair<const char*, int>{"A", 2}, {"TUMK_ICON", 1}}) {
    const auto bytes = resourceBytes(module_.handle, RT_GROUP_ICON, group);
    ASSERT_EQ(bytes.size(), 20u) << group;
    const std::vector<unsigned char> expected = {
        0, 0, 1, 0, 1, 0,                      // reserved, type icon, one entry
        32, 32, 0, 0, 1, 0, 32, 0,             // 32 x 32, no palette, 1 plane, 32 bits
        0xA8, 0x10, 0, 0,                      // 4264 bytes
        static_cast<unsigned char>(image), 0,  // image identifier
    };
    EXPECT_EQ(bytes, expected) << group;
  }
}

TEST_F(ProgramResources, VersionInformation) {
  const auto bytes = resourceBytes(module_.handle, RT_VERSION, MAKEINTRESOURCEA(1));
  ASSERT_GT(bytes.size(), 92u);
  const VersionNode root = parseVersionNode(bytes.data(), 0);
  EXPECT_EQ(root.key, L"VS_VERSION_INFO");
  ASSERT_EQ(root.valueLength, sizeof(VS_FIXEDFILEINFO));
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, root.value, sizeof fixed);
  EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed.dwFileVersionMS, 0x00000001u);
  EXPECT_EQ(fixed.dwFileVersionLS, 0x00010001u);
  EXPECT_EQ(fixed.dwProductVersionMS, 0x00000001u);
  EXPECT_EQ(fixed.dwProductVersionLS, 0x00010001u);
  EXPECT_EQ(fixed.dwFileFlagsMask, 0u);
  EXPECT_EQ(fixed.dwFileFlags, 0u);
  EXPECT_EQ(fixed.dwFileOS, 0u);
  EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed.dwFileSubtype, 0u);
  EXPECT_EQ(fixed.dwFileDateMS, 0u);
  EXPECT_EQ(fixed.dwFileDateLS, 0u);

  ASSERT_EQ(root.children.size(), 2u);
  const VersionNode& strings = root.children[0];
  EXPECT_EQ(strings.key, L"StringFileInfo");
  ASSERT_EQ(strings.children.size(), 1u);
  const VersionNode& table = strings.children[0];
  EXPECT_EQ(table.key, L"040904E4");
  const std::vector<std::wstring> keys = {
      L"CompanyName",     L"FileVersion",      L"FileDescription",
      L"InternalName",    L"LegalCopyright",   L"LegalTrademarks",
      L"OriginalFilename", L"ProductName",     L"ProductVersion"};
  std::vector<std::wstring> seen;
  for (const VersionNode& s : table.children) seen.push_back(s.key);
  EXPECT_EQ(seen, keys);

  const VersionNode& translations = root.children[1];
  EXPECT_EQ(translations.key, L"VarFileInfo");
  ASSERT_EQ(translations.children.size(), 1u);
  EXPECT_EQ(translations.children[0].key, L"Translation");
  ASSERT_EQ(translations.children[0].valueLength, 4);
  const unsigned char pair[4] = {0x09, 0x04, 0xE4, 0x04};
  EXPECT_EQ(std::memcmp(translations.children[0].value, pair, 4), 0);
}

TEST_F(ProgramResources, VersionStringsThroughTheVersionApi) {
  const std::string& path = testOptions().program;
  std::wstring widePath(path.begin(), path.end());
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(widePath.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<unsigned char> data(size);
  ASSERT_TRUE(GetFileVersionInfoW(widePath.c_str(), 0, size, data.data()));
  auto lookUp = [&](const wchar_t* key) -> std::wstring {
    std::wstring query = std::wstring(L"\\StringFileInfo\\040904E4\\") + key;
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) {
      return L"<missing>";
    }
    return length ? std::wstring(value) : std::wstring();
  };
  EXPECT_EQ(lookUp(L"FileDescription"),
            L"\u0422\u0423\u041C\u041A (\u043A\u043D\u043E\u043F\u043A\u0430 \u0432 "
            L"\u0441\u0435\u0440\u0435\u0434\u0438\u043D\u0435 \u044D\u043A\u0440\u0430\u043D\u0430).");
  EXPECT_EQ(lookUp(L"ProductName"), L"\u0422\u0423\u041C\u041A");
  for (const wchar_t* empty :
       {L"FileVersion", L"InternalName", L"LegalTrademarks", L"OriginalFilename", L"ProductVersion"}) {
    EXPECT_EQ(lookUp(empty), L"") << "key " << std::string(empty, empty + wcslen(empty));
  }
  EXPECT_FALSE(lookUp(L"CompanyName").empty());
  EXPECT_FALSE(lookUp(L"LegalCopyright").empty());
}
