// Measures the button against two reference programs under the same
// conditions, taking turns, then the button alone under a storm of presses
// and as copies started at once; prints tables and writes JSON. Timings are
// read off the screen's pixels, not the programs' messages.
#include "bench/measures.h"
#include "bench/report.h"

#include <cstdio>

int main(int argc, char** argv) {
  // The C runtime buffers standard error unless it is a console: piped or
  // written to a file, the progress lines would come all at once at the end.
  std::setvbuf(stderr, nullptr, _IONBF, 0);
  Figures f;
  Options& o = f.options;
  if (!parseOptions(argc, argv, &o)) return 2;
  const POINT rim = {35, 35};  // lit when raised, dark when pushed
  const Subject program = {"program", o.program, rim, imagePixel(o.program, "BUTTON", rim),
                           imagePixel(o.program, "BUTTON_PUSHED", rim)};
  if (program.raised == CLR_INVALID || program.pushed == CLR_INVALID) {
    std::fprintf(stderr, "cannot read the images of %s\n", o.program.c_str());
    return 1;
  }
  // The references paint one colour raised and another pushed.
  const POINT middle = {kSize / 2, kSize / 2};
  const Subject reference = {"reference", o.reference, middle, RGB(230, 62, 60), RGB(60, 62, 230)};
  Subject referenceWithSound = reference;
  referenceWithSound.name = "reference with sound";
  referenceWithSound.path = o.referenceWithSound;
  const Subject subjects[kSubjects] = {program, reference, referenceWithSound};

  for (int i = 0; i < o.launches; ++i) {  // in turn, so all meet the same machine
    const double t = nowMs();
    for (int s = 0; s < kSubjects; ++s) measureLaunch(subjects[s], o, &f.subjects[s].launches);
    progress(t, "launch %d of %d, each subject", i + 1, o.launches);
  }
  for (int s = 0; s < kSubjects; ++s) measureUse(subjects[s], o, &f.subjects[s].use);
  f.storm = measureStorm(program, o);
  for (int round = 0; round < o.copyRounds; ++round) {
    const double t = nowMs();
    measureCopies(program, o, &f.copies);
    progress(t, "%d copies at once, round %d of %d", o.copies, round + 1, o.copyRounds);
  }
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
