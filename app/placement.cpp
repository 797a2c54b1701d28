#include "app/placement.h"

ButtonPlacement PlaceButton(std::int32_t screenRight, std::int32_t screenBottom,
                            std::int32_t width, std::int32_t height) {
  return {(screenRight - width) / 2, (screenBottom - height) / 2, width, height};
}
