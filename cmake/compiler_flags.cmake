# Warnings and sanitizers, each in the spelling of the compiler at hand.
# Strictly standard C++: no GNU extensions (CMAKE_CXX_EXTENSIONS is off) and
# pedantic warnings, so that the sources build with MSVC as they do here.
if(MSVC)
  add_compile_options(/W4 /utf-8 /permissive-)
elseif(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wpedantic)
endif()

if(SETUPTOOL_SANITIZE OR SETUPTOOL_FUZZ)
  if(MSVC)
    # MSVC has AddressSanitizer only.
    add_compile_options(/fsanitize=address)
  elseif(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang" AND NOT MINGW)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
  else()
    message(FATAL_ERROR "SETUPTOOL_SANITIZE: no sanitizers for ${CMAKE_CXX_COMPILER_ID} here")
  endif()
endif()

if(SETUPTOOL_TSAN)
  if(SETUPTOOL_SANITIZE OR SETUPTOOL_FUZZ)
    message(FATAL_ERROR "SETUPTOOL_TSAN does not combine with AddressSanitizer")
  elseif(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang" AND NOT MINGW)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
  else()
    message(FATAL_ERROR "SETUPTOOL_TSAN: no ThreadSanitizer for ${CMAKE_CXX_COMPILER_ID} here")
  endif()
endif()

if(SETUPTOOL_FUZZ)
  # Every portable source gives the fuzzer its coverage feedback.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(SETUPTOOL_PACKAGE)
  # What dpkg-buildflags gives a Debian package built with hardening=+all,
  # after the build type's own flags so that -O2 wins over Release's -O3.
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU" OR MINGW)
    message(FATAL_ERROR "SETUPTOOL_PACKAGE: the package is built with g++ on Linux")
  endif()
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options(-O2 -fstack-protector-strong -fstack-clash-protection -Wformat
                      -Werror=format-security)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|i.86")
    add_compile_options(-fcf-protection)
  endif()
  add_compile_definitions(_FORTIFY_SOURCE=2)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
