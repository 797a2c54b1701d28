// Measures the button against two reference programs under the same
// conditions, taking turns, then the button alone under a storm of presses
// and as copies started at once; prints tables and writes JSON. Timings are
// read off the screen's pixels, not the programs' messages.
#include "bench/measures.h"
#include "bench/report.h"

#include <cstdio>

int main(int argc, char** argv) {
  Figures f;
  Options& o = f.options;
  if (!parseOptions(argc, argv, &o)) return 2;
  const POINT rim = {35, 35};  // lit when raised, dark when pushed
  const Subject program = {o.program, rim, imagePixel(o.program, "BUTTON", rim),
                           imagePixel(o.program, "BUTTON_PUSHED", rim)};
  if (program.raised == CLR_INVALID || program.pushed == CLR_INVALID) {
    std::fprintf(stderr, "cannot read the images of %s\n", o.program.c_str());
    return 1;
  }
  // The references paint one colour raised and another pushed.
  const POINT middle = {kSize / 2, kSize / 2};
  const Subject reference = {o.reference, middle, RGB(230, 62, 60), RGB(60, 62, 230)};
  Subject referenceWithSound = reference;
  referenceWithSound.path = o.referenceWithSound;
  const Subject subjects[kSubjects] = {program, reference, referenceWithSound};

  for (int i = 0; i < o.launches; ++i) {  // in turn, so all meet the same machine
    for (int s = 0; s < kSubjects; ++s) measureLaunch(subjects[s], o, &f.subjects[s].launches);
    std::fprintf(stderr, "\rlaunch %d of %d", i + 1, o.launches);
  }
  std::fprintf(stderr, "\n");
  for (int s = 0; s < kSubjects; ++s) measureUse(subjects[s], o, &f.subjects[s].use);

  std::fprintf(stderr, "storm of %d presses\n", o.storm);
  f.storm = measureStorm(program, o);
  for (int round = 0; round < o.copyRounds; ++round) {
    measureCopies(program, o, &f.copies);
    std::fprintf(stderr, "\rcopies, round %d of %d", round + 1, o.copyRounds);
  }
  std::fprintf(stderr, "\n");
  for (const std::string& path : {o.program32, o.program}) {
    if (!path.empty()) f.executables.push_back(measureSize(path));
  }

  printTables(f);
  if (!o.json.empty() && !writeJson(f, o.json)) {
    std::fprintf(stderr, "cannot write %s\n", o.json.c_str());
    return 1;
  }
  return 0;
}
