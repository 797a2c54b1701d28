#include "resources/generator/file_formats.h"

#include <cstdio>

namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void put16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(Bytes& out, std::uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

void putTag(Bytes& out, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

void putInfoHeader(Bytes& out, int width, int height, std::uint32_t imageSize,
                   std::int32_t pixelsPerMetre) {
  put32(out, kInfoHeaderSize);
  put32(out, static_cast<std::uint32_t>(width));
  put32(out, static_cast<std::uint32_t>(height));
  put16(out, 1);   // planes
  put16(out, 32);  // bits per pixel
  put32(out, 0);   // BI_RGB
  put32(out, imageSize);
  put32(out, static_cast<std::uint32_t>(pixelsPerMetre));
  put32(out, static_cast<std::uint32_t>(pixelsPerMetre));
  put32(out, 0);  // colours used
  put32(out, 0);  // colours important
}

void putRowsBottomUp(Bytes& out, const Image& image) {
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
  for (int y = image.height - 1; y >= 0; --y) {
    const std::uint8_t* row = image.pixel(0, y);
    out.insert(out.end(), row, row + rowBytes);
  }
}

}  // namespace

Bytes bmpFile(const Image& image) {
  const auto imageSize = static_cast<std::uint32_t>(image.bgra.size());
  constexpr std::uint32_t kFileHeaderSize = 14;
  Bytes out;
  out.reserve(kFileHeaderSize + kInfoHeaderSize + imageSize);
  out.push_back('B');
  out.push_back('M');
  put32(out, kFileHeaderSize + kInfoHeaderSize + imageSize);
  put32(out, 0);  // reserved
  put32(out, kFileHeaderSize + kInfoHeaderSize);
  putInfoHeader(out, image.width, image.height, imageSize, kPixelsPerMetre);
  putRowsBottomUp(out, image);
  return out;
}

Bytes iconFile(const Image& image) {
  // The mask's rows are padded to whole 32-bit words.
  const int maskRowBytes = ((image.width + 31) / 32) * 4;
  const auto imageBytes = static_cast<std::uint32_t>(
      kInfoHeaderSize + image.bgra.size() + static_cast<std::size_t>(maskRowBytes) * image.height);
  constexpr std::uint32_t kDirectorySize = 6 + 16;

  Bytes out;
  put16(out, 0);  // reserved
  put16(out, 1);  // type: icon
  put16(out, 1);  // one image
  out.push_back(static_cast<std::uint8_t>(image.width));
  out.push_back(static_cast<std::uint8_t>(image.height));
  out.push_back(0);  // no palette
  out.push_back(0);  // reserved
  put16(out, 1);     // planes
  put16(out, 32);    // bits per pixel
  put32(out, imageBytes);
  put32(out, kDirectorySize);

  // Colour and mask stacked: the header gives twice the height; the image
  // size and resolution fields stay 0, as icons have them.
  putInfoHeader(out, image.width, image.height * 2, 0, 0);
  putRowsBottomUp(out, image);
  for (int y = image.height - 1; y >= 0; --y) {
    Bytes row(static_cast<std::size_t>(maskRowBytes), 0);
    for (int x = 0; x < image.width; ++x) {
      if (image.pixel(x, y)[3] < 128) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

Bytes waveFile(const std::vector<std::uint8_t>& samples, std::uint32_t sampleRate) {
  const auto count = static_cast<std::uint32_t>(samples.size());
  constexpr std::uint32_t kFormatSize = 18;
  constexpr std::uint32_t kFactSize = 4;
  const std::uint32_t riffSize = 4 + (8 + kFormatSize) + (8 + kFactSize) + (8 + count + (count & 1));

  Bytes out;
  putTag(out, "RIFF");
  put32(out, riffSize);
  putTag(out, "WAVE");
  putTag(out, "fmt ");
  put32(out, kFormatSize);
  put16(out, 1);  // PCM
  put16(out, 1);  // mono
  put32(out, sampleRate);
  put32(out, sampleRate);  // bytes per second: one byte a sample
  put16(out, 1);           // block align
  put16(out, 8);           // bits per sample
  put16(out, 0);           // no extra format bytes
  putTag(out, "fact");
  put32(out, kFactSize);
  put32(out, count);
  putTag(out, "data");
  put32(out, count);
  out.insert(out.end(), samples.begin(), samples.end());
  if (count & 1) out.push_back(0);  // chunks are word-aligned
  return out;
}

bool writeFile(const char* path, const Bytes& bytes) {
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}
