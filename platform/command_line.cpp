#include "platform/command_line.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

const char* skipBlanks(const char* p) {
  while (isBlank(*p)) ++p;
  return p;
}

}  // namespace

const char* commandLineTail(const char* commandLine) {
  if (!commandLine) return nullptr;
  const char* p = skipBlanks(commandLine);
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p && !isBlank(*p)) ++p;
  }
  return skipBlanks(p);
}
