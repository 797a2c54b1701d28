#include "resources/generator/push_sound.h"

#include <cmath>

namespace {

// Loudness over time: a quick rise, a loud body, a fall to a low level by
// 200 ms, then a slow fade.
double envelope(double t) {
  if (t < 0.020) return std::pow(t / 0.020, 2.0);
  if (t < 0.080) return 1.0;
  if (t < 0.200) return std::exp(-3.0 * (t - 0.080) / 0.120);  // down to 5 %
  return 0.05 * std::exp(-(t - 0.200) / 0.060);
}

// A faint hiss that outlasts the thump.
double hissLevel(double t) { return t < 0.020 ? 0.0 : 0.025 * (1.0 - 0.5 * (t - 0.020) / 0.433); }

// Deterministic white noise in [-1, 1].
double noise(std::uint32_t& seed) {
  seed = seed * 1664525u + 1013904223u;
  return (seed >> 8) / double(1u << 23) - 1.0;
}

}  // namespace

std::vector<std::uint8_t> synthesisePushSound() {
  std::vector<std::uint8_t> samples(kSoundSamples);
  std::uint32_t seed = 0x7A3Bu;
  double phase = 0.0;
  for (std::size_t i = 0; i < kSoundSamples; ++i) {
    const double t = double(i) / kSoundRate;
    // The pitch falls from 180 Hz toward 90 Hz: a soft body giving way.
    const double frequency = 90.0 + 90.0 * std::exp(-t / 0.040);
    phase += 2.0 * M_PI * frequency / kSoundRate;
    const double tone = std::sin(phase) + 0.3 * std::sin(2.0 * phase);
    const double value = 0.75 * envelope(t) * tone + hissLevel(t) * noise(seed);
    const long level = std::lround(128.0 + 127.0 * value);
    samples[i] = static_cast<std::uint8_t>(level < 0 ? 0 : level > 255 ? 255 : level);
  }
  return samples;
}
