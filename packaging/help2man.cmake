# cmake -DPROGRAM=... -DNAME=TEXT -DEPOCH=SECONDS -DHELP2MAN=... -DOUTPUT=FILE.1
#       [-DCOMPRESSED=FILE.1.gz -DGZIP=gzip] -P help2man.cmake
# A program's man page made by help2man from its --help and --version,
# dated by EPOCH (the release date) rather than by the day of the build;
# and when COMPRESSED is given, a gzip copy of it there too. A failing run
# fails the build and leaves no file behind.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${EPOCH} LC_ALL=C.UTF-8
          ${HELP2MAN} --no-info --section 1 --name ${NAME} --output ${OUTPUT}.part ${PROGRAM}
  ERROR_VARIABLE errors
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE ${OUTPUT}.part)
  message(FATAL_ERROR "help2man could not describe ${PROGRAM} (${result}): ${errors}")
endif()
file(RENAME ${OUTPUT}.part ${OUTPUT})

if(COMPRESSED)
  set(INPUT ${OUTPUT})
  set(OUTPUT ${COMPRESSED})
  include(${CMAKE_CURRENT_LIST_DIR}/gzip.cmake)
endif()
