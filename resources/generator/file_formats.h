// Writers of the exact byte layouts the executable carries: a 32-bit BMP
// (whose packed DIB the resource compiler stores), a one-image icon file and
// an 8-bit mono PCM RIFF WAVE with a "fact" chunk.
#pragma once

#include "resources/generator/image.h"

#include <cstdint>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// BITMAPFILEHEADER + BITMAPINFOHEADER (bottom-up, BI_RGB, 72 dpi) + pixels.
Bytes bmpFile(const Image& image);

// ICONDIR with one entry + the icon image: colour rows bottom-up with
// alpha, then the one-bit AND mask, set where the pixel is transparent.
Bytes iconFile(const Image& image);

// Unsigned 8-bit mono samples at the given rate.
Bytes waveFile(const std::vector<std::uint8_t>& samples, std::uint32_t sampleRate);

bool writeFile(const char* path, const Bytes& bytes);
