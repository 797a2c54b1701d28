#include "resources/generator/artwork.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

struct Rgb {
  double r, g, b;
};

Rgb rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

constexpr double kCentre = kButtonSize / 2.0;
constexpr double kRadius = kButtonSize / 2.0;
constexpr double kRimWidth = 15.0;

// The word across the middle: its ink fills exactly this box (pixel edges),
// with a faint edge one pixel outside it.
constexpr double kWordLeft = 71, kWordTop = 108, kWordRight = 176, kWordBottom = 132;
const char kWord[] = "\xD0\xA2\xD0\xA3\xD0\x9C\xD0\x9A";  // "ТУМК" in UTF-8

// A pixel belongs to the disc when the circle covers more than this share
// of it: 12,168 corner pixels stay outside.
constexpr double kDiscCoverage = 0.54;

void setSource(cairo_t* cr, Rgb colour, double alpha = 1.0) {
  cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
}

void addStop(cairo_pattern_t* pattern, double offset, Rgb colour) {
  cairo_pattern_add_color_stop_rgb(pattern, offset, colour.r, colour.g, colour.b);
}

// The rim: lit from the upper left when raised; the light and dark sides
// swap when pushed in.
void drawRim(cairo_t* cr, ButtonLook look) {
  const Rgb light = rgb(255, 109, 105), middle = rgb(196, 48, 46), dark = rgb(34, 6, 6);
  const bool raised = look == ButtonLook::Raised;
  cairo_pattern_t* rim = cairo_pattern_create_linear(0, 0, kButtonSize, kButtonSize);
  addStop(rim, 0.15, raised ? light : dark);
  addStop(rim, 0.5, middle);
  addStop(rim, 0.85, raised ? dark : light);
  cairo_set_source(cr, rim);
  cairo_arc(cr, kCentre, kCentre, kRadius, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(rim);
}

// The face: lighter at the top, darker at the bottom.
void drawFace(cairo_t* cr) {
  cairo_pattern_t* face = cairo_pattern_create_linear(0, kRimWidth, 0, kButtonSize - kRimWidth);
  addStop(face, 0.0, rgb(249, 81, 77));
  addStop(face, 0.5, rgb(230, 62, 60));
  addStop(face, 1.0, rgb(211, 44, 44));
  cairo_set_source(cr, face);
  cairo_arc(cr, kCentre, kCentre, kRadius - kRimWidth, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
}

// The word's outline, scaled and moved so its ink fills the word box
// shifted by (dx, dy).
void wordPath(cairo_t* cr, cairo_font_face_t* font, double dx, double dy) {
  cairo_save(cr);
  cairo_set_font_face(cr, font);
  cairo_set_font_size(cr, 100);
  cairo_text_extents_t ink;
  cairo_text_extents(cr, kWord, &ink);
  const double sx = (kWordRight - kWordLeft) / ink.width;
  const double sy = (kWordBottom - kWordTop) / ink.height;
  cairo_translate(cr, kWordLeft + dx, kWordTop + dy);
  cairo_scale(cr, sx, sy);
  cairo_move_to(cr, -ink.x_bearing, -ink.y_bearing);
  cairo_text_path(cr, kWord);
  cairo_restore(cr);
}

void drawWord(cairo_t* cr, cairo_font_face_t* font, ButtonLook look) {
  const Rgb pink = rgb(246, 166, 166);
  const double shift = look == ButtonLook::Pushed ? 1.0 : 0.0;
  wordPath(cr, font, shift, shift);
  // The soft edge first: a faint band one pixel outside the letters.
  setSource(cr, pink, 0.35);
  cairo_set_line_width(cr, 2.0);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr);
  setSource(cr, pink);
  cairo_fill(cr);
}

// The share of pixel (x, y) that the disc covers, sampled finely; only
// pixels the circle's edge crosses are sampled.
double discCoverage(int x, int y) {
  const double nx = std::fmax(std::fabs(x + 0.5 - kCentre) - 0.5, 0.0);
  const double ny = std::fmax(std::fabs(y + 0.5 - kCentre) - 0.5, 0.0);
  if (std::hypot(nx, ny) >= kRadius) return 0.0;
  const double fx = std::fabs(x + 0.5 - kCentre) + 0.5, fy = std::fabs(y + 0.5 - kCentre) + 0.5;
  if (std::hypot(fx, fy) <= kRadius) return 1.0;
  constexpr int kSamples = 64;
  int inside = 0;
  for (int j = 0; j < kSamples; ++j) {
    for (int i = 0; i < kSamples; ++i) {
      const double px = x + (i + 0.5) / kSamples - kCentre, py = y + (j + 0.5) / kSamples - kCentre;
      inside += px * px + py * py <= kRadius * kRadius;
    }
  }
  return inside / double(kSamples * kSamples);
}

// Copies cairo's opaque drawing (native-endian premultiplied ARGB, which is
// B, G, R, A in memory on little-endian machines) and sets the disc mask.
Image takeButton(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  Image image(kButtonSize, kButtonSize);
  for (int y = 0; y < kButtonSize; ++y) {
    for (int x = 0; x < kButtonSize; ++x) {
      const auto argb = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
      std::uint8_t* out = image.pixel(x, y);
      out[0] = static_cast<std::uint8_t>(argb);
      out[1] = static_cast<std::uint8_t>(argb >> 8);
      out[2] = static_cast<std::uint8_t>(argb >> 16);
      out[3] = discCoverage(x, y) > kDiscCoverage ? 255 : 0;
    }
  }
  return image;
}

}  // namespace

Image drawButton(ButtonLook look, const char* fontPath) {
  FT_Library library;
  FT_Face face;
  if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, fontPath, 0, &face) != 0) {
    std::fprintf(stderr, "cannot load font %s\n", fontPath);
    std::exit(1);
  }
  cairo_font_face_t* font = cairo_ft_font_face_create_for_ft_face(face, 0);

  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kButtonSize, kButtonSize);
  cairo_t* cr = cairo_create(surface);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);

  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  drawRim(cr, look);
  drawFace(cr);
  drawWord(cr, font, look);
  Image image = takeButton(surface);

  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  cairo_font_face_destroy(font);
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return image;
}

Image drawIcon(const Image& raisedButton) {
  // Paint the button, clipped to its disc, scaled onto a transparent icon.
  cairo_surface_t* source = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kButtonSize, kButtonSize);
  cairo_surface_flush(source);
  unsigned char* data = cairo_image_surface_get_data(source);
  const int sourceStride = cairo_image_surface_get_stride(source);
  for (int y = 0; y < kButtonSize; ++y) {
    for (int x = 0; x < kButtonSize; ++x) {
      const std::uint8_t* in = raisedButton.pixel(x, y);
      *reinterpret_cast<std::uint32_t*>(data + y * sourceStride + x * 4) =
          0xFF000000u | std::uint32_t(in[2]) << 16 | std::uint32_t(in[1]) << 8 | in[0];
    }
  }
  cairo_surface_mark_dirty(source);

  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kIconSize, kIconSize);
  cairo_t* cr = cairo_create(surface);
  const double scale = double(kIconSize) / kButtonSize;
  cairo_arc(cr, kIconSize / 2.0, kIconSize / 2.0, kIconSize / 2.0, 0, 2 * M_PI);
  cairo_clip(cr);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, source, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
  cairo_paint(cr);
  cairo_surface_flush(surface);

  // Undo cairo's premultiplication: icons carry straight alpha.
  const unsigned char* pixels = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  Image icon(kIconSize, kIconSize);
  for (int y = 0; y < kIconSize; ++y) {
    for (int x = 0; x < kIconSize; ++x) {
      const auto argb = *reinterpret_cast<const std::uint32_t*>(pixels + y * stride + x * 4);
      const std::uint32_t alpha = argb >> 24;
      std::uint8_t* out = icon.pixel(x, y);
      for (int channel = 0; channel < 3; ++channel) {
        const std::uint32_t value = (argb >> (8 * channel)) & 0xFF;
        out[channel] = alpha ? static_cast<std::uint8_t>((value * 255 + alpha / 2) / alpha) : 0;
      }
      out[3] = static_cast<std::uint8_t>(alpha);
    }
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  cairo_surface_destroy(source);
  return icon;
}
