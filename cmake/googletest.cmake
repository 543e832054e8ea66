# GoogleTest for the tests: an installed package first (vcpkg, MSYS2, a
# Linux distribution's libgtest-dev), otherwise built from the sources that
# Debian's googletest package puts in /usr/src/googletest (this is how the
# mingw-w64 cross build gets it). Configure with -DSETUPTOOL_BUILD_TESTS=OFF
# to build without tests.
set(SETUPTOOL_GOOGLETEST_SOURCE /usr/src/googletest
    CACHE PATH "GoogleTest sources, used when no installed GoogleTest is found")

find_package(GTest QUIET)
if(NOT TARGET GTest::gtest)
  if(NOT EXISTS ${SETUPTOOL_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR
      "GoogleTest was found neither installed nor in ${SETUPTOOL_GOOGLETEST_SOURCE}. "
      "Install it (vcpkg install gtest, or the system's package), point "
      "SETUPTOOL_GOOGLETEST_SOURCE at its sources, or configure with "
      "-DSETUPTOOL_BUILD_TESTS=OFF.")
  endif()
  # Same C runtime as the program under MSVC; nothing installed.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${SETUPTOOL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
