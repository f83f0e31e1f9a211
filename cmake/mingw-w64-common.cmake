# What both Windows toolchains share: Debian's mingw-w64 for
# CMAKE_SYSTEM_PROCESSOR (set by the including file), static executables, and
# CTest running them through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(TOOLCHAIN_PREFIX ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

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

# No libstdc++-6.dll, libgcc_s_*.dll or libwinpthread-1.dll at run time.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# add_test(NAME x COMMAND target) and gtest_discover_tests run the .exe
# through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
