// The pictures compiled into the program, as PNG bytes.
#pragma once

#include <cstddef>

struct EmbeddedPicture {
  const unsigned char* png;
  std::size_t size;
  int width;
  int height;
};

namespace embedded {
extern const EmbeddedPicture background, maskmap, spritemap, flagpic, doorpic, pausedpic, measure, lettering;
}
