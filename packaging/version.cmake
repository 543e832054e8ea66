# The version of SetupTool, written here and nowhere else. The version box,
# the executable's version resource and the installer all take it from
# these variables, through the generated header setuptool_version.h.
set(SETUPTOOL_VERSION 1.1.0.1)
set(SETUPTOOL_PRODUCT_NAME "TL-VK38 Setup Software")
set(SETUPTOOL_FILE_DESCRIPTION "Setup tool for TL-VK38 remote operation panels")
set(SETUPTOOL_EXECUTABLE_NAME "SetupTool.exe")

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
