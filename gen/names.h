#pragma once
// Pronounceable names for star systems, from a seed alone.

#include <string>

namespace glyphverse {

// Three to ten letters alternating vowels and consonants with at most two of
// a kind in a row, capitalised, and in half the cases " " and a number 1..999.
// Draws from a random source of its own: safe on any thread.
std::string generateName(double seed);

}  // namespace glyphverse
