# Compiles through ccache when it is installed (scripts/setup installs it),
# so that a rebuild after a small change, a second preset or a second
# checkout of the same sources takes cached objects. Paths below the source
# folder are hashed relative to it, so two checkouts share their objects.
# SETUPTOOL_COMPILER_CACHE=OFF compiles without it.
option(SETUPTOOL_COMPILER_CACHE "Compile through ccache when it is installed" ON)
if(SETUPTOOL_COMPILER_CACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  find_program(SETUPTOOL_CCACHE ccache)
  if(SETUPTOOL_CCACHE)
    set(CMAKE_CXX_COMPILER_LAUNCHER
        "${CMAKE_COMMAND};-E;env;CCACHE_BASEDIR=${CMAKE_SOURCE_DIR};CCACHE_NOHASHDIR=1;${SETUPTOOL_CCACHE}")
    set(CMAKE_C_COMPILER_LAUNCHER "${CMAKE_CXX_COMPILER_LAUNCHER}")
    message(STATUS "Compiler cache: ${SETUPTOOL_CCACHE}")
  endif()
endif()
