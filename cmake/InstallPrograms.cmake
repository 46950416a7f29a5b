# What `cmake --install` and the package put where: the programs in bin/, the
# desktop entry and icons under share/ (GNUInstallDirs). Each program takes one
# line in its folder's CMakeLists.txt: glyphverse_install_program(<target>
# <what it does>). The target glyphverse_programs builds every installed
# program and nothing else, so that a package needs no tests or benchmarks
# built.
#
# Each program's manual page is made from its own --help and --version by
# Debian's help2man, so the two never disagree; a build without help2man (or
# one whose programs cannot run here) installs none.
include(GNUInstallDirs)

add_custom_target(glyphverse_programs)
find_program(GLYPHVERSE_HELP2MAN help2man)
find_program(GLYPHVERSE_GZIP gzip)

function(glyphverse_install_program target summary)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  add_dependencies(glyphverse_programs ${target})
  if(NOT GLYPHVERSE_HELP2MAN OR NOT GLYPHVERSE_GZIP OR CMAKE_CROSSCOMPILING)
    return()
  endif()
  set(page "${CMAKE_CURRENT_BINARY_DIR}/${target}.1.gz")
  # gzip -n: the same page gives the same bytes, whenever it was made.
  add_custom_command(OUTPUT "${page}"
    COMMAND sh -c "\"$1\" --no-info --section=1 --source=glyphverse --name=\"$2\" \"$3\" | \"$4\" -9n > \"$5\""
      sh "${GLYPHVERSE_HELP2MAN}" "${summary}" "$<TARGET_FILE:${target}>" "${GLYPHVERSE_GZIP}" "${page}"
    DEPENDS ${target}
    COMMENT "Manual page of ${target}"
    VERBATIM)
  add_custom_target(${target}_manual ALL DEPENDS "${page}")
  add_dependencies(glyphverse_programs ${target}_manual)
  install(FILES "${page}" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
