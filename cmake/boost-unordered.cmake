# Boost.Unordered (its flat hash tables) is header-only. Debian's
# libboost1.81-dev puts the headers in /usr/include/boost; the cross builds
# see them through a folder that holds only that link, so that no other
# header of the Linux system can reach a Windows build.
find_path(TVZ_BOOST_INCLUDE_DIR boost/unordered/unordered_flat_map.hpp
          PATHS /usr/include /usr/local/include
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT TVZ_BOOST_INCLUDE_DIR)
  message(FATAL_ERROR "Boost.Unordered 1.81 or later is needed (Debian: apt-get install libboost1.81-dev)")
endif()
set(TVZ_BOOST_LINK_DIR ${CMAKE_BINARY_DIR}/boost-headers)
if(NOT EXISTS ${TVZ_BOOST_LINK_DIR}/boost)
  file(MAKE_DIRECTORY ${TVZ_BOOST_LINK_DIR})
  file(CREATE_LINK ${TVZ_BOOST_INCLUDE_DIR}/boost ${TVZ_BOOST_LINK_DIR}/boost SYMBOLIC)
endif()
add_library(tvz_boost_unordered INTERFACE)
target_include_directories(tvz_boost_unordered SYSTEM INTERFACE ${TVZ_BOOST_LINK_DIR})
