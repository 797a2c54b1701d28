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
  const struct {
    const char* prefix;
    std::string* value;
  } paths[] = {{"--program=", &options.program},
               {"--probe=", &options.classProbe},
               {"--sound=", &options.soundFile},
               {"--resources=", &options.resources}};
  for (const auto& path : paths) {
    const size_t length = std::strlen(path.prefix);
    if (std::strncmp(arg, path.prefix, length) == 0) {
      *path.value = arg + length;
      return true;
    }
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
