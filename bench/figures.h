// One run's figures: what each measure fills in, and what the reports show.
#pragma once

#include <windows.h>

#include "bench/options.h"

#include <string>
#include <vector>

// The programs measured side by side, in the order they take turns.
enum SubjectIndex { kProgram, kReference, kReferenceWithSound, kSubjects };

// Times from input or start to the changed pixels, one a sample.
struct LaunchSamples {
  std::vector<double> startup, firstPress, pressWhilePlaying, pressAfterQuiet, release;
};

struct Memory {
  double workingSet = 0, privateBytes = 0;
};

// CPU time idle and over many press cycles; memory after start, after a
// thousand presses, halfway through the cycles and after them.
struct UseFigures {
  double idleCpuMs = -1, cyclesCpuMs = -1;
  Memory afterStart, afterThousandPresses, halfway, afterCycles;
};

struct SubjectFigures {
  LaunchSamples launches;
  UseFigures use;
};

struct StormFigures {
  int posted = 0, throughInput = 0;
  double postedSeconds = 0, inputSeconds = 0;
  int answers = 0, unanswered = 0;
  double slowestAnswerMs = 0;
  long gdiBefore = -1, gdiAfter = -1;
  double memoryBefore = 0, memoryAfter = 0;
  bool pushedAfter = false, raisedAfterNineReleases = false, runningAfterNineReleases = false;
  DWORD exitCode = STILL_ACTIVE;
};

// Over all rounds of copies started at once.
struct CopiesFigures {
  int started = 0, shown = 0, endedWithZero = 0;
  std::vector<double> toWindowMs;
  std::string failures;  // what went wrong, copy by copy
};

struct ExecutableSize {
  std::string path;
  double file = 0, resources = 0;
};

struct Figures {
  Options options;
  SubjectFigures subjects[kSubjects];
  StormFigures storm;
  CopiesFigures copies;
  std::vector<ExecutableSize> executables;
};
