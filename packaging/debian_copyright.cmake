# debian_copyright(LICENSE OUTPUT): the package's machine-readable copyright
# file (Debian's copyright-format 1.0) written from the project's LICENSE:
# its copyright line and its licence text, which Debian calls Expat (the
# MIT licence in its usual wording).
function(debian_copyright license output)
  file(READ ${license} text)
  string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" copyright_line "${text}")
  if(NOT copyright_line)
    message(FATAL_ERROR "${license} has no \"Copyright (c) ...\" line")
  endif()
  set(copyright "${CMAKE_MATCH_1}")
  string(FIND "${text}" "Permission is hereby granted" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "${license} is not the MIT licence the package says it is")
  endif()
  string(SUBSTRING "${text}" ${start} -1 terms)
  string(REGEX REPLACE "\n+$" "" terms "${terms}")
  # In a field's continuation lines an empty line is " .".
  string(REPLACE "\n\n" "\n.\n" terms "${terms}")
  string(REPLACE "\n" "\n " terms "${terms}")
  file(GENERATE OUTPUT ${output} CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: vk38
Upstream-Contact: ${SETUPTOOL_MAINTAINER_NAME} <${SETUPTOOL_MAINTAINER_EMAIL}>
Source: ${SETUPTOOL_HOMEPAGE}

Files: *
Copyright: ${copyright}
License: Expat
Comment: The MIT licence, as LICENSE at the top of the sources holds it.

License: Expat
 ${terms}
")
endfunction()

# debian_check_changelog(CHANGELOG): the changelog's first entry must be the
# version being built, dated by its release, or the package would say one
# thing and hold another.
function(debian_check_changelog changelog)
  file(STRINGS ${changelog} lines)
  list(GET lines 0 first)
  if(NOT first MATCHES "^vk38 \\(([^)]*)\\)" OR NOT CMAKE_MATCH_1 STREQUAL SETUPTOOL_VERSION)
    message(FATAL_ERROR "${changelog}: the first entry is not for ${SETUPTOOL_VERSION}: ${first}")
  endif()
  execute_process(COMMAND date -u -d ${SETUPTOOL_RELEASE_DATE} "+%a, %d %b %Y"
                  OUTPUT_VARIABLE day OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  foreach(line IN LISTS lines)
    if(line MATCHES "^ -- ")
      if(NOT line MATCHES "  ${day} ")
        message(FATAL_ERROR "${changelog}: the first entry is not dated ${day}: ${line}")
      endif()
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "${changelog}: the first entry has no trailer line")
endfunction()
