// libFuzzer target for the command-line tail scanner: whatever the line,
// the tail lies inside it, starts past any blank or tab, and scanning a
// quoted name in front of it gives the same tail back.
#include "platform/command_line.h"

#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);  // stops at a NUL
  const char* begin = line.c_str();
  const char* tail = commandLineTail(begin);
  const std::string again = "\"tumk.exe\" " + std::string(tail ? tail : "");
  if (!tail || tail < begin || tail > begin + std::strlen(begin) || *tail == ' ' || *tail == '\t' ||
      std::strcmp(commandLineTail(again.c_str()), tail) != 0) {
    __builtin_trap();
  }
  return 0;
}
