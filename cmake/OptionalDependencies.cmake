# SDL2 (the window and the explorer), libpng (the PNG tools) and SQLite (the
# bookmarks and the log) are optional,
# so that the universe library and the query tool build wherever a C++20
# compiler does, cross toolchains included. Each is AUTO (used when found),
# ON (required: configuring fails without it) or OFF (not built).

set(GLYPHVERSE_WINDOW AUTO CACHE STRING "SDL2 window backend and the explorer: AUTO, ON or OFF")
set(GLYPHVERSE_PNG AUTO CACHE STRING "PNG tools (snapshot) with libpng: AUTO, ON or OFF")
set_property(CACHE GLYPHVERSE_WINDOW PROPERTY STRINGS AUTO ON OFF)
set(GLYPHVERSE_SQLITE AUTO CACHE STRING "Bookmarks and the log in SQLite: AUTO, ON or OFF")
set_property(CACHE GLYPHVERSE_PNG PROPERTY STRINGS AUTO ON OFF)
set_property(CACHE GLYPHVERSE_SQLITE PROPERTY STRINGS AUTO ON OFF)

# Fails when a required dependency is missing; says what is built and why not.
function(glyphverse_report_dependency option target what package)
  set(setting "${${option}}")
  set(found FALSE)
  if(TARGET ${target})
    set(found TRUE)
  endif()
  if(setting STREQUAL "ON" AND NOT found)
    message(FATAL_ERROR "${what} need ${package}, which was not found: install it "
                        "(bash scripts/install-deps.sh run) or configure with -D${option}=OFF")
  endif()
  if(found)
    message(STATUS "${what}: built")
  elseif(setting STREQUAL "OFF")
    message(STATUS "${what}: skipped (${option}=OFF)")
  else()
    message(STATUS "${what}: skipped (${package} not found)")
  endif()
endfunction()

if(NOT GLYPHVERSE_WINDOW STREQUAL "OFF")
  find_package(PkgConfig)
  if(PkgConfig_FOUND)
    pkg_check_modules(SDL2 IMPORTED_TARGET sdl2)
  endif()
endif()
glyphverse_report_dependency(GLYPHVERSE_WINDOW PkgConfig::SDL2 "Window backend and explorer" "SDL2")

if(NOT GLYPHVERSE_PNG STREQUAL "OFF")
  find_package(PNG)
endif()
glyphverse_report_dependency(GLYPHVERSE_PNG PNG::PNG "PNG tools" "libpng")

if(NOT GLYPHVERSE_SQLITE STREQUAL "OFF")
  find_package(SQLite3)
endif()
glyphverse_report_dependency(GLYPHVERSE_SQLITE SQLite::SQLite3 "Bookmarks and the log" "SQLite")

# MPI lets glyphverse-hunt share a hunt between machines; without it the hunt
# runs as one process on every core of one machine.
set(GLYPHVERSE_MPI AUTO CACHE STRING "glyphverse-hunt across machines with MPI: AUTO, ON or OFF")
set_property(CACHE GLYPHVERSE_MPI PROPERTY STRINGS AUTO ON OFF)
if(NOT GLYPHVERSE_MPI STREQUAL "OFF" AND NOT EMSCRIPTEN)
  find_package(MPI COMPONENTS CXX QUIET)
endif()
glyphverse_report_dependency(GLYPHVERSE_MPI MPI::MPI_CXX "Hunts across machines" "MPI")
