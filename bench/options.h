// The benchmark's options:
//   bench_driver --program=PATH --reference=PATH --reference-with-sound=PATH
//                [--size32=PATH] [--launches=N] [--cycles=N] [--idle-seconds=N]
//                [--quiet-ms=N] [--storm=N] [--copies=N] [--copy-rounds=N]
//                [--json=PATH]
#pragma once

#include <string>

// The programs and the amounts a run takes.
struct Options {
  std::string program, reference, referenceWithSound, program32, json;
  int launches = 45, cycles = 10000, idleSeconds = 10;
  int quietMs = 600;  // longer than the push sound
  int storm = 100000, copies = 8, copyRounds = 5;
};

// False, having said why on standard error, for an argument it does not know.
bool parseOptions(int argc, char** argv, Options* o);
