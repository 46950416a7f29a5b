# The universe is bit-exact only where every double operation rounds to IEEE
# binary64 as it happens. gen/float_evaluation.h states that rule for the
# compiler; here the same header is compiled once at configure time, so that a
# build for x87 arithmetic (32-bit x86 by default) switches to SSE2 arithmetic,
# and a target that cannot compute plain doubles stops now with a clear reason
# instead of building a different universe.

set(GLYPHVERSE_FP_PROBE "#include \"gen/float_evaluation.h\"\nint main() { return 0; }\n")

function(glyphverse_fp_probe result_var output_var)
  try_compile(compiled
    SOURCE_FROM_CONTENT fp_probe.cpp "${GLYPHVERSE_FP_PROBE}"
    CMAKE_FLAGS "-DINCLUDE_DIRECTORIES=${PROJECT_SOURCE_DIR}"
    COMPILE_DEFINITIONS ${ARGN}
    CXX_STANDARD 20
    CXX_STANDARD_REQUIRED ON
    OUTPUT_VARIABLE output)
  set(${result_var} ${compiled} PARENT_SCOPE)
  set(${output_var} "${output}" PARENT_SCOPE)
endfunction()

# Adds to options_target the flags the generators need for exact doubles.
function(glyphverse_require_ieee_double options_target)
  glyphverse_fp_probe(plain plain_output)
  if(plain)
    message(STATUS "Floating-point evaluation: IEEE double")
    return()
  endif()
  set(sse2_flags -msse2 -mfpmath=sse)
  glyphverse_fp_probe(with_sse2 unused ${sse2_flags})
  if(with_sse2)
    list(JOIN sse2_flags " " shown)
    message(STATUS "Floating-point evaluation: x87 by default, SSE2 selected (${shown})")
    target_compile_options(${options_target} INTERFACE ${sse2_flags})
    return()
  endif()
  string(REGEX MATCHALL "[^\n]*error:[^\n]*" errors "${plain_output}")
  list(JOIN errors "\n  " errors)
  message(FATAL_ERROR
    "With this compiler, target and flags the generators would not compute "
    "plain IEEE doubles (see below), so the build would generate a different "
    "universe. On 32-bit x86 use a compiler that accepts -msse2 -mfpmath=sse; "
    "drop -ffast-math and similar flags; or build for another target (x86-64 "
    "and aarch64 are checked).\n  ${errors}")
endfunction()
