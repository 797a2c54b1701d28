// Draws the button images and the icon, synthesises the push sound, and
// writes them in the formats the executable carries:
//   make_resources FONT.ttf RESOURCES_DIR [PREVIEW_DIR]
// With PREVIEW_DIR it also writes PNG previews of the pictures there.
#include "resources/generator/artwork.h"
#include "resources/generator/file_formats.h"
#include "resources/generator/push_sound.h"

#include <cairo.h>

#include <cstdio>
#include <string>

namespace {

bool write(const std::string& path, const Bytes& bytes) {
  if (writeFile(path.c_str(), bytes)) return true;
  std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return false;
}

// PNG of an image, enlarged by a whole factor so a small icon can be seen.
// The buttons' alpha is left out, as the screen leaves it out.
bool writePreview(const std::string& path, const Image& image, int zoom, bool withAlpha) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width * zoom, image.height * zoom);
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < image.height * zoom; ++y) {
    for (int x = 0; x < image.width * zoom; ++x) {
      const std::uint8_t* in = image.pixel(x / zoom, y / zoom);
      const std::uint32_t a = withAlpha ? in[3] : 255;
      *reinterpret_cast<std::uint32_t*>(data + y * stride + x * 4) =
          a << 24 | (in[2] * a / 255) << 16 | (in[1] * a / 255) << 8 | (in[0] * a / 255);
    }
  }
  cairo_surface_mark_dirty(surface);
  const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  if (!ok) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: %s FONT.ttf RESOURCES_DIR [PREVIEW_DIR]\n", argv[0]);
    return 2;
  }
  const char* font = argv[1];
  const std::string out = std::string(argv[2]) + "/";
  const Image raised = drawButton(ButtonLook::Raised, font);
  const Image pushed = drawButton(ButtonLook::Pushed, font);
  const Image icon = drawIcon(raised);

  bool ok = write(out + "button.bmp", bmpFile(raised)) &&
            write(out + "button_pushed.bmp", bmpFile(pushed)) &&
            write(out + "tumk.ico", iconFile(icon)) &&
            write(out + "push.wav", waveFile(synthesisePushSound(), kSoundRate));
  if (ok && argc == 4) {
    const std::string preview = std::string(argv[3]) + "/";
    ok = writePreview(preview + "button.png", raised, 1, false) &&
         writePreview(preview + "button_pushed.png", pushed, 1, false) &&
         writePreview(preview + "icon.png", icon, 4, true);
  }
  return ok ? 0 : 1;
}
