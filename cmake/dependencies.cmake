# The third-party libraries, each found through the CMake package config its
# own install provides (find_package in CONFIG mode), on every system:
#   Linux          Debian's -dev packages (scripts/setup installs them),
#   Windows hosts  vcpkg in manifest mode (vcpkg.json, the presets' toolchain),
#   mingw-w64 cross build on Linux  a prefix of the build's own
#                  (cmake/cross_prefix.cmake), so that the cross compiler
#                  never sees the build machine's /usr/include.
# A library that is not found stops the configuration with its name and the
# package that provides it.

# setuptool_find_config_package(NAME DEBIAN_PACKAGE VCPKG_PORT)
function(setuptool_find_config_package name debian_package vcpkg_port)
  find_package(${name} CONFIG QUIET)
  if(NOT ${name}_FOUND)
    string(TOLOWER "${name}" lower)
    message(FATAL_ERROR
      "${name} not found: no CMake package config for it (${name}Config.cmake "
      "or ${lower}-config.cmake). Install it: on Debian the "
      "package ${debian_package} (scripts/setup installs it), on Windows the "
      "vcpkg port ${vcpkg_port} (vcpkg.json names it; use a preset that "
      "takes vcpkg's toolchain); or set ${name}_DIR to the folder of its "
      "config file.")
  endif()
  message(STATUS "${name} ${${name}_VERSION}: ${${name}_CONFIG}")
endfunction()

# The libraries by name, Debian package and vcpkg port. vk38 uses CLI11, fmt
# and nlohmann/json as header-only libraries; GoogleTest is for the tests.
set(setuptool_header_libraries
  "CLI11 libcli11-dev cli11"
  "fmt libfmt-dev fmt"
  "nlohmann_json nlohmann-json3-dev nlohmann-json")
set(setuptool_test_library "GTest libgtest-dev gtest")
set(setuptool_wants_tests OFF)
if(SETUPTOOL_BUILD_TESTS AND NOT SETUPTOOL_FUZZ)
  set(setuptool_wants_tests ON)
endif()

if(CMAKE_CROSSCOMPILING AND NOT CMAKE_HOST_WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/cross_prefix.cmake)
  foreach(library IN LISTS setuptool_header_libraries)
    separate_arguments(library)
    setuptool_stage_debian_package(${library})
  endforeach()
  if(setuptool_wants_tests)
    setuptool_build_googletest()
  endif()
endif()

set(libraries ${setuptool_header_libraries})
if(setuptool_wants_tests)
  list(APPEND libraries "${setuptool_test_library}")
endif()
foreach(library IN LISTS libraries)
  separate_arguments(library)
  setuptool_find_config_package(${library})
endforeach()
