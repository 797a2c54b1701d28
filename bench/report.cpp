#include "bench/report.h"

#include "bench/harness.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

// Both views read the rows worked out below, so each figure is worked out
// once and named once.
namespace {

using Json = nlohmann::ordered_json;  // keeps the tables' order

const char* const kHeads[kSubjects] = {"program", "reference", "reference with sound"};
const char* const kKeys[kSubjects] = {"program", "reference", "reference_with_sound"};

const std::pair<const char*, std::vector<double> LaunchSamples::*> kTimings[] = {
    {"start-up to first frame, ms", &LaunchSamples::startup},
    {"first press to pixels, ms", &LaunchSamples::firstPress},
    {"press to pixels, last sound playing, ms", &LaunchSamples::pressWhilePlaying},
    {"press to pixels, last sound ended, ms", &LaunchSamples::pressAfterQuiet},
    {"release to pixels, ms", &LaunchSamples::release}};

struct Spread {
  size_t n;
  double median, p95;
};

struct Ratio {
  double median, p95;
};

// The references the program's timings are set against, and their keys.
const int kAgainst[2] = {kReference, kReferenceWithSound};
const char* const kRatioKeys[2] = {"ratio", "ratio_to_reference_with_sound"};

// A timing's spread for every subject, and the program's against each reference.
struct TimingRow {
  const char* name;
  Spread of[kSubjects];
  Ratio against[2];
};

std::vector<TimingRow> timingRows(const Figures& f) {
  auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
  std::vector<TimingRow> rows;
  for (const auto& [name, samples] : kTimings) {
    TimingRow row = {name, {}, {}};
    for (int s = 0; s < kSubjects; ++s) {
      const std::vector<double>& taken = f.subjects[s].launches.*samples;
      row.of[s] = {taken.size(), percentile(taken, 0.5), percentile(taken, 0.95)};
    }
    for (int r = 0; r < 2; ++r) {
      const Spread &program = row.of[kProgram], &reference = row.of[kAgainst[r]];
      row.against[r] = {ratio(program.median, reference.median), ratio(program.p95, reference.p95)};
    }
    rows.push_back(row);
  }
  return rows;
}

double rounded(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::round(value * scale) / scale;
}

// The memory figures, each read for every subject, growth worked out here.
struct MemoryRow {
  std::string name;
  double value[kSubjects];
};

std::vector<MemoryRow> memoryRows(const Figures& f) {
  const std::pair<const char*, double Memory::*> kinds[] = {{"working set", &Memory::workingSet},
                                                           {"private bytes", &Memory::privateBytes}};
  const struct {
    const char* what;
    Memory UseFigures::*at;
    Memory UseFigures::*since;  // growth from there to `at`, or none
  } readings[] = {{"after start", &UseFigures::afterStart, nullptr},
                  {"after 1,000 presses", &UseFigures::afterThousandPresses, nullptr},
                  {"halfway through the cycles", &UseFigures::halfway, nullptr},
                  {"after the cycles", &UseFigures::afterCycles, nullptr},
                  {"growth over the cycles", &UseFigures::afterCycles, &UseFigures::afterThousandPresses},
                  {"growth over the second half", &UseFigures::afterCycles, &UseFigures::halfway}};
  std::vector<MemoryRow> rows;
  for (const auto& reading : readings) {
    for (const auto& [kind, field] : kinds) {
      MemoryRow row = {std::string(kind) + " " + reading.what, {}};
      for (int s = 0; s < kSubjects; ++s) {
        const UseFigures& use = f.subjects[s].use;
        row.value[s] = (use.*reading.at).*field - (reading.since ? (use.*reading.since).*field : 0);
      }
      rows.push_back(row);
    }
  }
  return rows;
}

void printTimings(const Figures& f) {
  std::printf("| measure |");
  for (const char* head : kHeads) std::printf(" %s median | %s p95 |", head, head);
  for (int reference : kAgainst) {
    std::printf(" ratio to %s median | ratio to %s p95 |", kHeads[reference], kHeads[reference]);
  }
  std::printf("\n|---|");
  for (size_t column = 0; column < 2 * (kSubjects + std::size(kAgainst)); ++column) std::printf("---|");
  std::printf("\n");
  for (const TimingRow& row : timingRows(f)) {
    std::printf("| %s (n=%zu/%zu/%zu) |", row.name, row.of[0].n, row.of[1].n, row.of[2].n);
    for (const Spread& spread : row.of) std::printf(" %.1f | %.1f |", spread.median, spread.p95);
    for (const Ratio& ratio : row.against) std::printf(" %.2f | %.2f |", ratio.median, ratio.p95);
    std::printf("\n");
  }
}

void printUse(const Figures& f) {
  std::printf("\n| measure | %s | %s | %s |\n|---|---|---|---|\n", kHeads[0], kHeads[1], kHeads[2]);
  std::printf("| CPU while idle %d s, ms |", f.options.idleSeconds);
  for (const SubjectFigures& s : f.subjects) std::printf(" %.1f |", s.use.idleCpuMs);
  std::printf("\n| CPU over the %d cycles, ms |", f.options.cycles);
  for (const SubjectFigures& s : f.subjects) std::printf(" %.1f |", s.use.cyclesCpuMs);
  std::printf("\n");
  for (const MemoryRow& row : memoryRows(f)) {
    std::printf("| %s (%d cycles), bytes | %.0f | %.0f | %.0f |\n", row.name.c_str(), f.options.cycles,
                row.value[0], row.value[1], row.value[2]);
  }
}

void printStorm(const StormFigures& f) {
  auto yes = [](bool b) { return b ? "yes" : "no"; };
  std::printf("\n| storm of presses | figure |\n|---|---|\n");
  std::printf("| presses posted, handled in | %d, %.1f s |\n", f.posted, f.postedSeconds);
  std::printf("| presses through the input queue, handled in | %d, %.1f s |\n", f.throughInput, f.inputSeconds);
  std::printf("| answered while busy, slowest answer | %d of %d, %.0f ms |\n", f.answers, f.answers + f.unanswered,
              f.slowestAnswerMs);
  std::printf("| GDI objects before / after | %ld / %ld |\n", f.gdiBefore, f.gdiAfter);
  std::printf("| private bytes before / after | %.0f / %.0f |\n", f.memoryBefore, f.memoryAfter);
  std::printf("| pushed image after the storm; raised and running after nine releases | %s; %s, %s |\n",
              yes(f.pushedAfter), yes(f.raisedAfterNineReleases), yes(f.runningAfterNineReleases));
  std::printf("| exit code on close | %lu |\n", f.exitCode);
}

void printCopies(const Options& o, const CopiesFigures& f) {
  std::printf("\n| %d copies at once, %d rounds | figure |\n|---|---|\n", o.copies, o.copyRounds);
  std::printf("| started / showed a window / ended with 0 | %d / %d / %d |\n", f.started, f.shown, f.endedWithZero);
  std::printf("| start to window, median / slowest | %.0f / %.0f ms |\n", percentile(f.toWindowMs, 0.5),
              percentile(f.toWindowMs, 1.0));
  std::printf("| failures | %s |\n", f.failures.empty() ? "none" : f.failures.c_str());
}

void printSizes(const std::vector<ExecutableSize>& sizes) {
  std::printf("\n| executable | file bytes | resource bytes | code, headers and imports |\n|---|---|---|---|\n");
  for (const ExecutableSize& size : sizes) {
    std::printf("| %s | %.0f | %.0f | %.0f |\n", size.path.c_str(), size.file, size.resources,
                size.file - size.resources);
  }
}

Json timingsJson(const Figures& f) {
  Json timings;
  for (const TimingRow& row : timingRows(f)) {
    Json& entry = timings[row.name];
    for (int s = 0; s < kSubjects; ++s) {
      const Spread& spread = row.of[s];
      entry[kKeys[s]] = {{"n", spread.n}, {"median", rounded(spread.median, 2)}, {"p95", rounded(spread.p95, 2)}};
    }
    for (int r = 0; r < 2; ++r) {
      entry[kRatioKeys[r]] = {{"median", rounded(row.against[r].median, 3)}, {"p95", rounded(row.against[r].p95, 3)}};
    }
  }
  return timings;
}

Json useJson(const Figures& f, double UseFigures::*figure) {
  Json bySubject;
  for (int s = 0; s < kSubjects; ++s) bySubject[kKeys[s]] = rounded(f.subjects[s].use.*figure, 1);
  return bySubject;
}

Json memoryJson(const Figures& f) {
  Json memory = {{"cycles", f.options.cycles}};
  for (const MemoryRow& row : memoryRows(f)) {
    for (int s = 0; s < kSubjects; ++s) memory[row.name][kKeys[s]] = std::llround(row.value[s]);
  }
  return memory;
}

Json stormJson(const StormFigures& f) {
  return {{"posted", f.posted},
          {"posted_seconds", rounded(f.postedSeconds, 2)},
          {"through_input", f.throughInput},
          {"input_seconds", rounded(f.inputSeconds, 2)},
          {"answers", f.answers},
          {"unanswered", f.unanswered},
          {"slowest_answer_ms", rounded(f.slowestAnswerMs, 1)},
          {"gdi_before", f.gdiBefore},
          {"gdi_after", f.gdiAfter},
          {"private_bytes_before", std::llround(f.memoryBefore)},
          {"private_bytes_after", std::llround(f.memoryAfter)},
          {"pushed_after", f.pushedAfter},
          {"raised_after_nine_releases", f.raisedAfterNineReleases},
          {"running_after_nine_releases", f.runningAfterNineReleases},
          {"exit_code", f.exitCode}};
}

Json copiesJson(const Options& o, const CopiesFigures& f) {
  return {{"at_once", o.copies},
          {"rounds", o.copyRounds},
          {"started", f.started},
          {"shown", f.shown},
          {"ended_with_zero", f.endedWithZero},
          {"to_window_median_ms", rounded(percentile(f.toWindowMs, 0.5), 1)},
          {"to_window_slowest_ms", rounded(percentile(f.toWindowMs, 1.0), 1)},
          {"failures", f.failures}};
}

Json sizesJson(const std::vector<ExecutableSize>& sizes) {
  Json executables = Json::array();
  for (const ExecutableSize& size : sizes) {
    executables.push_back({{"path", size.path},
                           {"file", std::llround(size.file)},
                           {"resources", std::llround(size.resources)},
                           {"overhead", std::llround(size.file - size.resources)}});
  }
  return executables;
}

}  // namespace

void printTables(const Figures& f) {
  printTimings(f);
  printUse(f);
  printStorm(f.storm);
  printCopies(f.options, f.copies);
  printSizes(f.executables);
}

bool writeJson(const Figures& f, const std::string& path) {
  const Json json = {{"timings_ms", timingsJson(f)},
                     {"cpu_ms", {{"idle_seconds", f.options.idleSeconds},
                                 {"idle", useJson(f, &UseFigures::idleCpuMs)},
                                 {"over_the_cycles", useJson(f, &UseFigures::cyclesCpuMs)}}},
                     {"memory_bytes", memoryJson(f)},
                     {"storm", stormJson(f.storm)},
                     {"copies", copiesJson(f.options, f.copies)},
                     {"executables", sizesJson(f.executables)}};
  std::ofstream file(path);
  file << json.dump(2) << '\n';
  return bool(file);
}
