# The man pages and vk38's shell completions, written at build time into the
# build folder's share/, laid out as they are installed, and added to the
# Debian package: vk38's by the vk38 just built (vk38 --generate FORMAT,
# from the same command line --help describes), panel-sim's by help2man
# from panel-sim --help. Only where the build can run what it builds: a
# cross build (the Windows one) has no vk38 to run here; its installer
# takes the PowerShell completer from the native build (packaging/CMakeLists.txt).
if(CMAKE_CROSSCOMPILING)
  return()
endif()
find_program(SETUPTOOL_GZIP gzip REQUIRED)

set(vk38_share ${CMAKE_BINARY_DIR}/share)
set(vk38_man_page ${vk38_share}/man/man1/vk38.1)
set(vk38_man_page_gz ${CMAKE_BINARY_DIR}/packaging/vk38/vk38.1.gz)
set(vk38_bash_completion ${vk38_share}/bash-completion/completions/vk38)
set(vk38_zsh_completion ${vk38_share}/zsh/vendor-completions/_vk38)
set(vk38_fish_completion ${vk38_share}/fish/vendor_completions.d/vk38.fish)
set(vk38_powershell_completion ${vk38_share}/vk38/vk38_completion.ps1)
set(panel_sim_man_page ${vk38_share}/man/man1/panel-sim.1)
set(panel_sim_man_page_gz ${CMAKE_BINARY_DIR}/packaging/vk38/panel-sim.1.gz)

# vk38_generate(FORMAT OUTPUT [COMPRESSED]): OUTPUT from vk38 --generate FORMAT.
function(vk38_generate format output)
  set(outputs ${output})
  set(arguments -DVK38=$<TARGET_FILE:vk38> -DFORMAT=${format} -DOUTPUT=${output})
  if(ARGC GREATER 2)
    list(APPEND outputs ${ARGV2})
    list(APPEND arguments -DCOMPRESSED=${ARGV2} -DGZIP=${SETUPTOOL_GZIP})
    get_filename_component(folder ${ARGV2} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
  endif()
  get_filename_component(folder ${output} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${CMAKE_COMMAND} ${arguments} -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/vk38_generate.cmake
    DEPENDS vk38 ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/vk38_generate.cmake
            ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/gzip.cmake
    COMMENT "Writing vk38's ${format} reference (vk38 --generate ${format})"
    VERBATIM)
endfunction()

vk38_generate(man ${vk38_man_page} ${vk38_man_page_gz})
vk38_generate(bash ${vk38_bash_completion})
vk38_generate(zsh ${vk38_zsh_completion})
vk38_generate(fish ${vk38_fish_completion})
vk38_generate(powershell ${vk38_powershell_completion})

# panel-sim's man page, dated by the release (help2man reads
# SOURCE_DATE_EPOCH), like vk38's.
find_program(SETUPTOOL_HELP2MAN help2man REQUIRED)
execute_process(COMMAND date -u -d ${SETUPTOOL_RELEASE_DATE} +%s
                OUTPUT_VARIABLE release_epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
add_custom_command(
  OUTPUT ${panel_sim_man_page} ${panel_sim_man_page_gz}
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:panel-sim>
          "-DNAME=simulate TL-VK38 remote operation panels" -DEPOCH=${release_epoch}
          -DHELP2MAN=${SETUPTOOL_HELP2MAN} -DOUTPUT=${panel_sim_man_page}
          -DCOMPRESSED=${panel_sim_man_page_gz} -DGZIP=${SETUPTOOL_GZIP}
          -P ${CMAKE_CURRENT_LIST_DIR}/help2man.cmake
  DEPENDS panel-sim ${CMAKE_CURRENT_LIST_DIR}/help2man.cmake ${CMAKE_CURRENT_LIST_DIR}/gzip.cmake
  COMMENT "Writing panel-sim's man page (help2man)"
  VERBATIM)

add_custom_target(vk38_reference ALL
  DEPENDS ${vk38_man_page} ${vk38_man_page_gz} ${vk38_bash_completion} ${vk38_zsh_completion}
          ${vk38_fish_completion} ${vk38_powershell_completion} ${panel_sim_man_page}
          ${panel_sim_man_page_gz})

vk38_package_file(${vk38_man_page_gz} MAN1)
vk38_package_file(${panel_sim_man_page_gz} MAN1)
vk38_package_file(${vk38_bash_completion} BASH)
vk38_package_file(${vk38_zsh_completion} ZSH)
vk38_package_file(${vk38_fish_completion} FISH)
vk38_package_file(${vk38_powershell_completion} POWERSHELL)
