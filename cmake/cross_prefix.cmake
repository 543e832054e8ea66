# The prefix that the mingw-w64 cross build finds its libraries in, of the
# build's own: the header-only libraries' installs staged from Debian's
# packages (their headers and CMake config files, nothing else) and
# GoogleTest built for Windows from Debian's sources. The find root points
# here, so the cross compiler never sees the build machine's /usr/include.
set(SETUPTOOL_CROSS_PREFIX ${CMAKE_BINARY_DIR}/cross-prefix
    CACHE PATH "Prefix of the libraries for the cross build")
list(PREPEND CMAKE_FIND_ROOT_PATH ${SETUPTOOL_CROSS_PREFIX})

# setuptool_stage_debian_package(NAME DEBIAN_PACKAGE VCPKG_PORT): copies the
# headers (/usr/include/...) and CMake config files of an installed Debian
# package into the prefix, in the same places below it as below /usr (the
# configs find their headers relative to themselves), and points NAME_DIR
# at the staged config. Per-configuration import files (NAME-targets-none.cmake
# and the like) are left out: they name the build machine's compiled
# libraries, which the cross build never links.
function(setuptool_stage_debian_package name debian_package vcpkg_port)
  execute_process(COMMAND dpkg-query --listfiles ${debian_package}
                  OUTPUT_VARIABLE files RESULT_VARIABLE status ERROR_QUIET)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name} not found: the Debian package ${debian_package} "
                        "is not installed (scripts/setup installs it).")
  endif()
  string(REPLACE "\n" ";" files "${files}")
  set(config_dir "")
  foreach(file IN LISTS files)
    if(IS_DIRECTORY "${file}"
       OR file MATCHES "-(none|debug|release|relwithdebinfo|minsizerel)\\.cmake$")
      continue()
    endif()
    if(file MATCHES "^/usr/include/"
       OR file MATCHES "^/usr/(lib|share)/(.+/)?cmake/[^/]+/[^/]+\\.cmake$")
      string(REGEX REPLACE "^/usr/" "" relative "${file}")
      get_filename_component(destination "${SETUPTOOL_CROSS_PREFIX}/${relative}" DIRECTORY)
      file(MAKE_DIRECTORY "${destination}")
      file(COPY_FILE "${file}" "${SETUPTOOL_CROSS_PREFIX}/${relative}" ONLY_IF_DIFFERENT)
      if(file MATCHES "/(${name}Config|${name}-config)\\.cmake$")
        set(config_dir "${destination}")
      endif()
    endif()
  endforeach()
  if(NOT config_dir)
    string(TOLOWER "${name}" lower)
    message(FATAL_ERROR "${name} not found: ${debian_package} installs no "
                        "${name}Config.cmake or ${lower}-config.cmake.")
  endif()
  set(${name}_DIR "${config_dir}" CACHE PATH "Staged config of ${name}" FORCE)
endfunction()

# setuptool_build_googletest(): GoogleTest built for Windows with the cross
# toolchain from the sources of Debian's googletest package and installed in
# the prefix, once per build folder (again when the sources or the toolchain
# change). Only GoogleTest; the tests use no GoogleMock.
set(SETUPTOOL_GOOGLETEST_SOURCE /usr/src/googletest
    CACHE PATH "GoogleTest sources, built for the cross build")
function(setuptool_build_googletest)
  set(source ${SETUPTOOL_GOOGLETEST_SOURCE})
  if(NOT EXISTS ${source}/CMakeLists.txt)
    message(FATAL_ERROR "GTest not found: no GoogleTest sources in ${source} to "
                        "build for Windows. Install the Debian package googletest "
                        "(scripts/setup installs it) or set SETUPTOOL_GOOGLETEST_SOURCE.")
  endif()
  file(SHA256 ${source}/CMakeLists.txt source_hash)
  file(SHA256 ${CMAKE_TOOLCHAIN_FILE} toolchain_hash)
  set(stamp_text "${source} ${source_hash} ${toolchain_hash} ${CMAKE_BUILD_TYPE}")
  set(stamp ${SETUPTOOL_CROSS_PREFIX}/googletest.stamp)
  set(GTest_DIR ${SETUPTOOL_CROSS_PREFIX}/lib/cmake/GTest
      CACHE PATH "GoogleTest built for Windows" FORCE)
  if(EXISTS ${stamp})
    file(READ ${stamp} built_text)
    if(built_text STREQUAL stamp_text)
      return()
    endif()
  endif()

  message(STATUS "Building GoogleTest for Windows from ${source}")
  set(build ${CMAKE_BINARY_DIR}/googletest-build)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${source} -B ${build} -G ${CMAKE_GENERATOR}
            -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
            -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
            -DCMAKE_INSTALL_PREFIX=${SETUPTOOL_CROSS_PREFIX}
            -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON
    OUTPUT_QUIET RESULT_VARIABLE status)
  if(status EQUAL 0)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${build} --target install
                    OUTPUT_QUIET RESULT_VARIABLE status)
  endif()
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "GTest not found: building GoogleTest for Windows from "
                        "${source} failed (see the output above).")
  endif()
  file(WRITE ${stamp} "${stamp_text}")
endfunction()
