# vk38's Debian package, made by CPack in a Linux build folder:
# vk38_<version>_<architecture>.deb with vk38 and panel-sim in /usr/bin,
# their man pages, vk38's shell completions, and in /usr/share/doc/vk38 the
# README's vk38 section, the copyright file and the changelog. Its
# dependencies come from dpkg-shlibdeps (dpkg-dev), which reads the
# libraries the programs link. The version is the program's
# (packaging/version.cmake), and so are the Maintainer, Section and
# Homepage, which a distributor may set. The package to ship comes from the
# hardened release build of the package preset (scripts/package), which
# also checks it (vk38_deb_package, vk38_deb: its contents and lintian).
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/debian_copyright.cmake)
find_program(SETUPTOOL_GZIP gzip REQUIRED)

install(TARGETS vk38 panel-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The documentation, compressed as Debian keeps it: README.md's vk38
# section, cut out at build time, and the changelog; the copyright file as
# it is.
set(vk38_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/vk38)
set(vk38_packaging ${CMAKE_BINARY_DIR}/packaging/vk38)
set(vk38_readme ${vk38_packaging}/README.md)
set(vk38_heading "## vk38, the command-line companion")
set(vk38_changelog ${CMAKE_CURRENT_LIST_DIR}/changelog)
debian_check_changelog(${vk38_changelog})
debian_copyright(${PROJECT_SOURCE_DIR}/LICENSE ${vk38_packaging}/copyright)
add_custom_command(
  OUTPUT ${vk38_readme} ${vk38_readme}.gz
  COMMAND ${CMAKE_COMMAND} -DREADME=${PROJECT_SOURCE_DIR}/README.md
          -DHEADING=${vk38_heading} -DOUTPUT=${vk38_readme}
          -P ${CMAKE_CURRENT_LIST_DIR}/readme_section.cmake
  COMMAND ${CMAKE_COMMAND} -DINPUT=${vk38_readme} -DOUTPUT=${vk38_readme}.gz
          -DGZIP=${SETUPTOOL_GZIP} -P ${CMAKE_CURRENT_LIST_DIR}/gzip.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/README.md ${CMAKE_CURRENT_LIST_DIR}/readme_section.cmake
          ${CMAKE_CURRENT_LIST_DIR}/gzip.cmake
  COMMENT "Taking vk38's section out of README.md"
  VERBATIM)
add_custom_command(
  OUTPUT ${vk38_packaging}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -DINPUT=${vk38_changelog} -DOUTPUT=${vk38_packaging}/changelog.gz
          -DGZIP=${SETUPTOOL_GZIP} -P ${CMAKE_CURRENT_LIST_DIR}/gzip.cmake
  DEPENDS ${vk38_changelog} ${CMAKE_CURRENT_LIST_DIR}/gzip.cmake
  COMMENT "Compressing the changelog"
  VERBATIM)
add_custom_target(vk38_readme ALL DEPENDS ${vk38_readme}.gz ${vk38_packaging}/changelog.gz)
install(FILES ${vk38_readme}.gz ${vk38_packaging}/changelog.gz ${vk38_packaging}/copyright
        DESTINATION ${vk38_doc_dir})

# vk38_package_file(FILE KIND): FILE joins the package where Debian looks
# for its KIND: MAN1 (a man page, compressed), or BASH, ZSH, FISH (a
# shell's completions for vk38), or POWERSHELL (the completer a PowerShell
# profile loads, in vk38's own share folder, for there is no common one).
function(vk38_package_file file kind)
  if(kind STREQUAL "MAN1")
    install(FILES ${file} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  elseif(kind STREQUAL "BASH")
    install(FILES ${file} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions
            RENAME vk38)
  elseif(kind STREQUAL "ZSH")
    install(FILES ${file} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/zsh/vendor-completions
            RENAME _vk38)
  elseif(kind STREQUAL "FISH")
    install(FILES ${file} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/fish/vendor_completions.d
            RENAME vk38.fish)
  elseif(kind STREQUAL "POWERSHELL")
    install(FILES ${file} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/vk38)
  else()
    message(FATAL_ERROR "vk38_package_file: no place for a file of kind ${kind}")
  endif()
endfunction()

# The man pages and the completions, from the programs just built.
include(${CMAKE_CURRENT_LIST_DIR}/vk38_reference.cmake)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vk38)
set(CPACK_PACKAGE_VERSION ${SETUPTOOL_VERSION})
set(CPACK_PACKAGE_VENDOR ${SETUPTOOL_MAINTAINER_NAME})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SETUPTOOL_MAINTAINER_NAME} <${SETUPTOOL_MAINTAINER_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "command line for TL-VK38 remote operation panels")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "vk38 reads and writes the camera tables, setup files, logs, credentials"
  "and firmware of many TL-VK38 panels at once over TCP. panel-sim"
  "simulates panels, to rehearse without hardware.")
set(CPACK_DEBIAN_PACKAGE_SECTION ${SETUPTOOL_DEB_SECTION})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${SETUPTOOL_HOMEPAGE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)

# The package preset makes the package and checks it: CPack makes it from
# this build, then vk38_deb.sh checks its fields and files, runs lintian
# and its programs.
if(SETUPTOOL_PACKAGE)
  # The package preset builds the programs and their documents alone, not
  # the rest of the program's libraries; CPack packs what that built.
  set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
  add_test(NAME vk38_deb_package
    COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  add_test(NAME vk38_deb
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/private-net ${PROJECT_SOURCE_DIR}/tests/cli/vk38_deb.sh
            ${CMAKE_BINARY_DIR} ${SETUPTOOL_VERSION})
  set_tests_properties(vk38_deb_package PROPERTIES FIXTURES_SETUP vk38_deb TIMEOUT 300)
  set_tests_properties(vk38_deb PROPERTIES FIXTURES_REQUIRED vk38_deb TIMEOUT 300)
endif()
