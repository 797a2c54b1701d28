// Synthesises the push sound: a short low "tumk".
#pragma once

#include <cstdint>
#include <vector>

constexpr std::uint32_t kSoundRate = 22050;
constexpr std::size_t kSoundSamples = 9984;  // 0.453 s

// Unsigned 8-bit samples, 128 being silence.
std::vector<std::uint8_t> synthesisePushSound();
