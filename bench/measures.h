// The measures, a file each; they fill in the run's figures.
#pragma once

#include "bench/figures.h"
#include "bench/harness.h"

// One launch: start-up to the first frame, then nine clicks, to pixels.
void measureLaunch(const Subject& s, const Options& o, LaunchSamples* out);
// CPU time idle and over many presses, and memory along the way.
void measureUse(const Subject& s, const Options& o, UseFigures* out);
// A storm of presses with no release between them.
StormFigures measureStorm(const Subject& s, const Options& o);
// One round of copies started at once.
void measureCopies(const Subject& s, const Options& o, CopiesFigures* f);
// File size, and the bytes of its resources, of an executable.
ExecutableSize measureSize(const std::string& path);
