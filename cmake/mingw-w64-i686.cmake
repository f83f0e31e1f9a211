# Cross-compiling for 32-bit Windows with Debian's mingw-w64 (package
# g++-mingw-w64-i686). The 32-bit build is the one that is shipped: it runs on
# 32-bit and 64-bit Windows alike. Executables are linked statically, so they
# need no runtime DLLs, and CTest runs them through Wine (32-bit Wine: the
# i386 package wine32).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)

# The -posix variants: GoogleTest needs std::mutex, which the default win32
# thread model lacks.
set(CMAKE_C_COMPILER   ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No libstdc++-6.dll, libgcc_s_dw2-1.dll or libwinpthread-1.dll at run time.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# add_test(NAME x COMMAND target) and gtest_discover_tests run the .exe
# through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
