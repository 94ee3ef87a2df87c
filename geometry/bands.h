// The stage's three horizontal bands, each with its numbered edges: the player's
// X where its box meets a vertical face of the level. Floor, ceiling, hazard and
// wall rules all name stretches of X by these numbers.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <span>

namespace geometry {

enum class Band { Top, Middle, Bottom };

// Top band above y 168, middle band up to y 360, bottom band from 360 on.
inline Band BandOf(float y) {
  if (y < 168.0f) return Band::Top;
  if (y < 360.0f) return Band::Middle;
  return Band::Bottom;
}

// Edge n of a band, or 0 for a number the band does not have.
float Edge(Band band, std::int16_t n);

inline constexpr std::int16_t kOpen = -1;  // a segment end with no edge: no bound there
inline constexpr float kNoThreshold = std::numeric_limits<float>::infinity();

// A level that may depend on Y: `upper` for y up to `t1`, then `middle` up to
// `t2`, then `lower`. Written {440, 515, 633} it reads "440, or 633 below 515".
struct Level {
  float upper;
  float t1 = kNoThreshold;
  float middle = 0;
  float t2 = kNoThreshold;
  float lower = 0;

  float At(float y) const {
    if (y <= t1) return upper;
    if (y <= t2) return middle;
    return lower;
  }
};

// A row of a floor or ceiling table: the X in (edge `from`, edge `to`] has this
// level. An X exactly on an edge belongs to the row on its left.
struct Row {
  std::int16_t from;
  std::int16_t to;
  Level level;
};

// The level of the row whose segment holds x, or `otherwise` where none does.
float LevelAt(Band band, std::span<const Row> rows, float x, float y, float otherwise);

}  // namespace geometry
