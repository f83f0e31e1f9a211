# Cross-compiling for 32-bit Windows with Debian's mingw-w64 (package
# g++-mingw-w64-i686). The 32-bit build is the one that is shipped: it runs on
# 32-bit and 64-bit Windows alike (under Wine: the i386 package wine32).
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
