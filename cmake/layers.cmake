# setuptool_links_only(TARGET ALLOWED...): at the end of the configuration,
# fails it when TARGET links — directly or through any library it links —
# a library of this project that is not in ALLOWED. Imported targets (the
# thread library, the third-party libraries of cmake/dependencies.cmake) and
# plain system libraries are not checked.
# Together with the include/ folders of the lower layers, this makes "the
# simulator builds on protocol and platform only" a fact the build checks.

function(_setuptool_linked_targets target out)
  set(found)
  set(pending ${target})
  while(pending)
    list(POP_FRONT pending current)
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
      get_target_property(items ${current} ${property})
      if(NOT items)
        continue()
      endif()
      foreach(item IN LISTS items)
        # A static library's private links reach its users as $<LINK_ONLY:x>.
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
        if(TARGET ${item} AND NOT item IN_LIST found)
          list(APPEND found ${item})
          list(APPEND pending ${item})
        endif()
      endforeach()
    endforeach()
  endwhile()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(_setuptool_check_links target)
  _setuptool_linked_targets(${target} linked)
  foreach(library IN LISTS linked)
    get_target_property(imported ${library} IMPORTED)
    get_target_property(folder ${library} SOURCE_DIR)
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${folder}" NORMALIZE ours)
    if(NOT imported AND ours AND NOT library IN_LIST ARGN)
      string(JOIN ", " allowed ${ARGN})
      message(FATAL_ERROR "${target} links ${library}; it may build only on: ${allowed}")
    endif()
  endforeach()
endfunction()

function(setuptool_links_only target)
  cmake_language(EVAL CODE "
    cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]]
      CALL _setuptool_check_links [[${target}]] ${ARGN})")
endfunction()
