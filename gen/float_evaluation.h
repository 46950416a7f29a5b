#pragma once
// The generators are exact only when every double operation rounds to a
// 53-bit significand as it happens. x87 arithmetic keeps 64-bit intermediates,
// which breaks the ties-to-even trick and changes many other results: such a
// build would make another universe, so it must not compile. The build selects
// SSE2 arithmetic on 32-bit x86; this is the last guard for one that bypasses it.

#include <cfloat>
#include <limits>

static_assert(std::numeric_limits<double>::is_iec559 && std::numeric_limits<double>::digits == 53,
              "the generators need IEEE 754 binary64 doubles");

#ifndef FLT_EVAL_METHOD
#error "the compiler does not say how it evaluates floating-point expressions (FLT_EVAL_METHOD)"
#endif
static_assert(FLT_EVAL_METHOD == 0,
              "floating-point expressions must be evaluated in their own type; "
              "on 32-bit x86 build with -msse2 -mfpmath=sse");

#if defined(__i386__) && !defined(__SSE2_MATH__)
#error "32-bit x86 builds must use SSE2 arithmetic (-msse2 -mfpmath=sse), not x87"
#endif

#ifdef __FAST_MATH__
#error "the generators need exact IEEE arithmetic: build without -ffast-math"
#endif
