#pragma once

namespace glyphverse {

// Seconds of the platform's monotonic high-resolution clock, from a fixed
// origin: the counter times the reciprocal of its frequency.
double steadySeconds();

}  // namespace glyphverse
