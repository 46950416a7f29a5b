# 32-bit x86 with the build machine's compiler (-m32; g++-12-multilib). Its
# default arithmetic is x87, so the configure step selects SSE2 arithmetic.
# gcc-multilib links the kernel's asm headers into /usr/include; it conflicts
# with Debian's cross compilers, so the headers are found here without it.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(CMAKE_CXX_FLAGS_INIT "-m32 -idirafter /usr/include/x86_64-linux-gnu")
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/i386-linux-gnu/pkgconfig:/usr/share/pkgconfig)
