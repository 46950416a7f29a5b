# A Debian package of the installed files: `make package` (cpack --preset deb).
# Its dependencies come from the programs' shared libraries (dpkg-shlibdeps),
# so they name exactly the runtime packages the build linked against.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glyphverse)
set(CPACK_PACKAGE_VENDOR "glyphverse")
set(CPACK_PACKAGE_CONTACT "glyphverse maintainers <maintainers@glyphverse.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Lines of at most 80 characters, as Debian's tools show them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "A 600 x 600 window shows the coloured glyphs around the explorer: the\n"
  "galaxy's nebulae and stars, star systems and planet surfaces, all computed\n"
  "from their coordinates. Includes glyphverse-query, glyphverse-snapshot,\n"
  "glyphverse-atlas and glyphverse-hunt.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Its programs live in /usr/bin, where Debian's games section does not put them.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
find_program(GLYPHVERSE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(GLYPHVERSE_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  # Without dpkg-dev, name the libraries the full build links against.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libgcc-s1, libsdl2-2.0-0, libpng16-16, libsqlite3-0")
endif()
include(CPack)
