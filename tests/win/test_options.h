// What the Windows-side tests are told on their command line, past
// GoogleTest's own flags.
#pragma once

#include <string>

struct TestOptions {
  int displayWidth = 0;    // --display=WIDTHxHEIGHT: the virtual display's size
  int displayHeight = 0;
  std::string program;     // --program=PATH: the executable under test
  std::string resources;   // --resources=DIR: the committed resource files
  std::string soundFile;   // --sound=PATH: where the session captures what plays
  std::string classProbe;  // --probe=PATH: the class probe DLL
};

const TestOptions& testOptions();
