#pragma once
// The noise channels of the cell generators: each is one turbulence with its
// start size, written here once. Per-cell and batched generation both read
// these, so a channel changes in one place.

#include <bit>
#include <cstdint>

#include "world/geometry.h"

namespace glyphverse {

struct NoiseChannel {
  int startSize;  // cells of the largest octave, a power of two
  // Whether the channel reads coordinates brought into the world first. Where
  // it does not, every octave period is a multiple of 256, so the noise wraps
  // with the world all the same.
  bool wrapsCoordinates = true;

  // Octave k has size 2^k: the channel's octaves are startOctave() down to 0.
  constexpr int startOctave() const { return std::bit_width(static_cast<unsigned>(startSize)) - 1; }
};

// Galaxy and planet channels repeat with the world.
inline constexpr double WORLD_PERIOD = static_cast<double>(WORLD_SIZE);

inline constexpr NoiseChannel NEBULA_RED{16};
inline constexpr NoiseChannel NEBULA_GREEN{32};
inline constexpr NoiseChannel NEBULA_BLUE{64};
inline constexpr NoiseChannel STAR_PRESENCE{4, false};
inline constexpr NoiseChannel STAR_BRIGHTNESS{8, false};
inline constexpr NoiseChannel TERRAIN_FIRST{16};
inline constexpr NoiseChannel TERRAIN_SECOND{8};
inline constexpr NoiseChannel TERRAIN_THIRD{32};
// Repeats with the system's own period instead.
inline constexpr NoiseChannel SYSTEM_LEVEL_CHANNEL{64};

// Octaves 0 to 6: enough for the largest start size, 64.
inline constexpr int OCTAVE_COUNT = 7;

constexpr bool fitsOctaves(NoiseChannel channel) {
  return std::has_single_bit(static_cast<unsigned>(channel.startSize)) &&
         channel.startOctave() < OCTAVE_COUNT;
}
static_assert(fitsOctaves(NEBULA_RED) && fitsOctaves(NEBULA_GREEN) && fitsOctaves(NEBULA_BLUE) &&
              fitsOctaves(STAR_PRESENCE) && fitsOctaves(STAR_BRIGHTNESS) &&
              fitsOctaves(TERRAIN_FIRST) && fitsOctaves(TERRAIN_SECOND) &&
              fitsOctaves(TERRAIN_THIRD) && fitsOctaves(SYSTEM_LEVEL_CHANNEL));

}  // namespace glyphverse
