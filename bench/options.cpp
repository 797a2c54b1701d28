#include "bench/options.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool option(const char* arg, const char* name, std::string* out) {
  const size_t n = std::strlen(name);
  if (std::strncmp(arg, name, n) != 0) return false;
  *out = arg + n;
  return true;
}

}  // namespace

bool parseOptions(int argc, char** argv, Options* o) {
  const struct {
    const char* name;
    std::string* value;
  } paths[] = {{"--program=", &o->program}, {"--reference=", &o->reference},
               {"--reference-with-sound=", &o->referenceWithSound}, {"--size32=", &o->program32},
               {"--json=", &o->json}};
  // Each count option with the least value it takes.
  const struct {
    const char* name;
    int* value;
    int least;
  } counts[] = {{"--launches=", &o->launches, 1}, {"--cycles=", &o->cycles, 1},
                {"--idle-seconds=", &o->idleSeconds, 1}, {"--quiet-ms=", &o->quietMs, 0},
                {"--storm=", &o->storm, 2}, {"--copies=", &o->copies, 1},
                {"--copy-rounds=", &o->copyRounds, 1}};
  for (int i = 1; i < argc; ++i) {
    bool known = false;
    for (const auto& path : paths) known = known || option(argv[i], path.name, path.value);
    for (const auto& count : counts) {
      std::string v;
      if (known || !option(argv[i], count.name, &v)) continue;
      *count.value = std::max(count.least, std::atoi(v.c_str()));
      known = true;
    }
    if (!known) {
      std::fprintf(stderr, "unknown argument: %s\n", argv[i]);
      return false;
    }
  }
  return true;
}
