#include "tests/win/test_options.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

TestOptions options;

bool parse(const char* arg) {
  if (std::strncmp(arg, "--display=", 10) == 0) {
    return std::sscanf(arg + 10, "%dx%d", &options.displayWidth, &options.displayHeight) == 2;
  }
  if (std::strncmp(arg, "--program=", 10) == 0) {
    options.program = arg + 10;
    return true;
  }
  if (std::strncmp(arg, "--probe=", 8) == 0) {
    options.classProbe = arg + 8;
    return true;
  }
  if (std::strncmp(arg, "--sound=", 8) == 0) {
    options.soundFile = arg + 8;
    return true;
  }
  if (std::strncmp(arg, "--resources=", 12) == 0) {
    options.resources = arg + 12;
    return true;
  }
  return false;
}

}  // namespace

const TestOptions& testOptions() { return options; }

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (!parse(argv[i])) {
      std::fprintf(stderr, "unknown argument: %s\n", argv[i]);
      return 2;
    }
  }
  return RUN_ALL_TESTS();
}
