#pragma once
// Pronounceable names for star systems, from a seed alone.

#include <string>

namespace glyphverse {

// Three to ten letters alternating vowels and consonants with at most two of
// a kind in a row, capitalised, and in half the cases " " and a number 1..999.
// Draws from a random source of its own: safe on any thread.
std::string generateName(double seed);

// The same name, computed from only the draws it uses (at most
// MAX_NAME_DRAWS) instead of a whole seeded source: for naming many systems.
std::string quickName(double seed);

// Two draws for the letter count, two for each of at most ten letters, one
// for the suffix choice and one for its number.
inline constexpr int MAX_NAME_DRAWS = 2 + 2 * 10 + 2;

}  // namespace glyphverse
