# The version of SetupTool, written here and nowhere else. The version box,
# the executable's version resource and the installer all take it from
# these variables, through the generated header setuptool_version.h.
set(SETUPTOOL_VERSION 1.1.0.1)
set(SETUPTOOL_VERSION_DIR ${CMAKE_CURRENT_LIST_DIR})
set(SETUPTOOL_PRODUCT_NAME "TL-VK38 Setup Software")
set(SETUPTOOL_FILE_DESCRIPTION "Setup tool for TL-VK38 remote operation panels")
set(SETUPTOOL_EXECUTABLE_NAME "SetupTool.exe")
# The day this version was released: the date of the man pages, the first
# entry of packaging/changelog and the time stamps of what the package
# build writes.
set(SETUPTOOL_RELEASE_DATE 2026-12-10)

# Who makes the packages and where to read about them: the Debian package's
# Maintainer and Homepage, the installer's Manufacturer and the links of
# its entry in the list of installed programs. The project's own values; a
# distributor sets its own (cmake -DSETUPTOOL_MAINTAINER_NAME=...).
set(SETUPTOOL_MAINTAINER_NAME "The TL-VK38 Setup Software developers"
    CACHE STRING "Who makes the packages: the package's Maintainer, the installer's Manufacturer")
set(SETUPTOOL_MAINTAINER_EMAIL "developers@tl-vk38.example.org"
    CACHE STRING "The address of the maintainer of the packages")
set(SETUPTOOL_HOMEPAGE "https://tl-vk38.example.org/setup-software/"
    CACHE STRING "The project's home page: the package's Homepage, the installer's about link")
set(SETUPTOOL_HELP_URL "https://tl-vk38.example.org/setup-software/user-guide"
    CACHE STRING "Where users find help: the installer's help link")
set(SETUPTOOL_DEB_SECTION net CACHE STRING "The Debian package's Section")
# The copyright holder, as LICENSE names it.
set(SETUPTOOL_COPYRIGHT_HOLDER "The TL-VK38 Setup Software developers")

# setuptool_version: an interface library whose include directory holds the
# generated header; the resource script and any code that shows the version
# link it.
function(setuptool_generate_version_header)
  string(REPLACE "." "," numbers "${SETUPTOOL_VERSION}")
  set(SETUPTOOL_VERSION_NUMBERS "${numbers}")
  set(dir "${CMAKE_BINARY_DIR}/generated")
  configure_file("${CMAKE_CURRENT_FUNCTION_LIST_DIR}/setuptool_version.h.in"
                 "${dir}/setuptool_version.h" @ONLY)
  add_library(setuptool_version INTERFACE)
  target_include_directories(setuptool_version INTERFACE "${dir}")
endfunction()

# setuptool_version_resource(TARGET DESCRIPTION): on Windows, gives the
# program TARGET a version resource with this version, as SetupTool.exe has
# (Explorer's Details tab, the installer's file versions): vk38.exe,
# panel-sim.exe.
function(setuptool_version_resource target description)
  if(NOT WIN32)
    return()
  endif()
  set(PROGRAM_INTERNAL_NAME ${target})
  set(PROGRAM_FILE_NAME ${target}.exe)
  set(PROGRAM_DESCRIPTION "${description}")
  set(script "${CMAKE_BINARY_DIR}/generated/${target}_version.rc")
  configure_file("${SETUPTOOL_VERSION_DIR}/program_version.rc.in" "${script}" @ONLY)
  target_sources(${target} PRIVATE "${script}")
  target_include_directories(${target} PRIVATE
    $<TARGET_PROPERTY:setuptool_version,INTERFACE_INCLUDE_DIRECTORIES>)
endfunction()
