# Runs VK38 --generate FORMAT and keeps what it printed in OUTPUT, and when
# COMPRESSED is given, a gzip copy of it there too (without a name or time
# in its header, so that the same page makes the same file). A failing run
# fails the build and leaves no file behind.
#   cmake -DVK38=... -DFORMAT=man -DOUTPUT=... [-DCOMPRESSED=... -DGZIP=...] -P vk38_generate.cmake
execute_process(
  COMMAND ${VK38} --generate ${FORMAT}
  OUTPUT_FILE ${OUTPUT}.part
  ERROR_VARIABLE errors
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE ${OUTPUT}.part)
  message(FATAL_ERROR "${VK38} --generate ${FORMAT} failed (${result}): ${errors}")
endif()
file(RENAME ${OUTPUT}.part ${OUTPUT})

if(COMPRESSED)
  set(INPUT ${OUTPUT})
  set(OUTPUT ${COMPRESSED})
  include(${CMAKE_CURRENT_LIST_DIR}/gzip.cmake)
endif()
