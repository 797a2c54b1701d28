// libFuzzer target for the command-line tail scanner: whatever the line,
// the tail lies inside it, starts past any blank or tab, and scanning a
// quoted name in front of it gives the same tail back.
#include "platform/command_line.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {

void check(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);  // stops at a NUL
  const char* begin = line.c_str();
  const char* end = begin + std::strlen(begin);
  const char* tail = commandLineTail(begin);
  check(tail != nullptr);
  check(tail >= begin && tail <= end);
  check(*tail != ' ' && *tail != '\t');
  // Nothing but the name and blanks is skipped: a line made of a quoted name
  // and this tail scans to the same tail.
  const std::string again = "\"tumk.exe\" " + std::string(tail);
  check(std::strcmp(commandLineTail(again.c_str()), tail) == 0);
  return 0;
}
