# vk38's Debian package, made by CPack in a Linux build folder (`cpack`, or
# the build's `package` target): vk38_<version>_<architecture>.deb with vk38
# and panel-sim in /usr/bin, vk38's man page and shell completions, and the
# README's vk38 section as the package's documentation. Its dependencies come from dpkg-shlibdeps (dpkg-dev), which
# reads the libraries the programs link. The version is the program's
# (packaging/version.cmake). The native tests make it and check it
# (vk38_deb_package, vk38_deb); a Release build makes the one to ship.
include(GNUInstallDirs)

install(TARGETS vk38 panel-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The documentation: README.md's vk38 section, cut out at build time.
set(vk38_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/vk38)
set(vk38_readme ${CMAKE_BINARY_DIR}/packaging/vk38/README.md)
set(vk38_heading "## vk38, the command-line companion")
add_custom_command(
  OUTPUT ${vk38_readme}
  COMMAND ${CMAKE_COMMAND} -DREADME=${PROJECT_SOURCE_DIR}/README.md
          -DHEADING=${vk38_heading} -DOUTPUT=${vk38_readme}
          -P ${CMAKE_CURRENT_LIST_DIR}/readme_section.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/README.md ${CMAKE_CURRENT_LIST_DIR}/readme_section.cmake
  COMMENT "Taking vk38's section out of README.md"
  VERBATIM)
add_custom_target(vk38_readme ALL DEPENDS ${vk38_readme})
install(FILES ${vk38_readme} DESTINATION ${vk38_doc_dir})

# vk38_package_file(FILE KIND): FILE joins the package where Debian looks
# for its KIND: MAN1 (the man page, vk38.1.gz), or BASH, ZSH, FISH (a
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

# The man page and the completions, from the vk38 just built.
include(${CMAKE_CURRENT_LIST_DIR}/vk38_reference.cmake)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vk38)
set(CPACK_PACKAGE_VERSION ${SETUPTOOL_VERSION})
set(CPACK_PACKAGE_VENDOR ${SETUPTOOL_PRODUCT_NAME})
set(CPACK_PACKAGE_CONTACT "${SETUPTOOL_PRODUCT_NAME} developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "command line for TL-VK38 remote operation panels")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "vk38 reads and writes the camera tables, setup files, logs, credentials"
  "and firmware of many TL-VK38 panels at once over TCP. panel-sim"
  "simulates panels, to rehearse without hardware.")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
