# Cross build for 64-bit ARM Linux with Debian's cross compiler
# (g++-aarch64-linux-gnu) and multiarch libraries (libpng-dev:arm64). The
# programs link statically, so qemu-aarch64 runs them without an ARM root.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# Find this target's libraries only, never the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# Static linking needs the static libraries (find_library prefers the .so).
foreach(library PNG:libpng ZLIB:libz)
  string(REPLACE ":" ";" library "${library}")
  list(GET library 0 package)
  list(GET library 1 file)
  if(EXISTS /usr/lib/aarch64-linux-gnu/${file}.a)
    set(${package}_LIBRARY_RELEASE /usr/lib/aarch64-linux-gnu/${file}.a CACHE FILEPATH "")
  endif()
endforeach()

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 CACHE STRING "Runs the target's programs here")
