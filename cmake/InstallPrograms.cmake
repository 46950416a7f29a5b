# What `cmake --install` and the package put where: the programs in bin/, the
# desktop entry and icons under share/ (GNUInstallDirs). Each program takes one
# line in its folder's CMakeLists.txt: glyphverse_install_program(<target>).
# The target glyphverse_programs builds every installed program and nothing
# else, so that a package needs no tests or benchmarks built.
include(GNUInstallDirs)

add_custom_target(glyphverse_programs)

function(glyphverse_install_program target)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  add_dependencies(glyphverse_programs ${target})
endfunction()
