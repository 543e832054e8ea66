# vk38's man page and shell completions, written at build time by the vk38
# just built (vk38 --generate FORMAT, from the same command line --help
# describes) into the build folder's share/, laid out as they are
# installed, and added to the Debian package. Only where the build can run
# what it builds: a cross build (the Windows one) has no vk38 to run here,
# and its installer does without them.
if(CMAKE_CROSSCOMPILING)
  return()
endif()
find_program(SETUPTOOL_GZIP gzip REQUIRED)

set(vk38_share ${CMAKE_BINARY_DIR}/share)
set(vk38_man_page ${vk38_share}/man/man1/vk38.1)
set(vk38_man_page_gz ${CMAKE_BINARY_DIR}/packaging/vk38/vk38.1.gz)
set(vk38_bash_completion ${vk38_share}/bash-completion/completions/vk38)
set(vk38_zsh_completion ${vk38_share}/zsh/vendor-completions/_vk38)
set(vk38_powershell_completion ${vk38_share}/vk38/vk38_completion.ps1)

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
    COMMENT "Writing vk38's ${format} reference (vk38 --generate ${format})"
    VERBATIM)
endfunction()

vk38_generate(man ${vk38_man_page} ${vk38_man_page_gz})
vk38_generate(bash ${vk38_bash_completion})
vk38_generate(zsh ${vk38_zsh_completion})
vk38_generate(powershell ${vk38_powershell_completion})
add_custom_target(vk38_reference ALL
  DEPENDS ${vk38_man_page} ${vk38_man_page_gz} ${vk38_bash_completion} ${vk38_zsh_completion}
          ${vk38_powershell_completion})

vk38_package_file(${vk38_man_page_gz} MAN1)
vk38_package_file(${vk38_bash_completion} BASH)
vk38_package_file(${vk38_zsh_completion} ZSH)
vk38_package_file(${vk38_powershell_completion} POWERSHELL)
