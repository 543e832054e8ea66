# cmake -DINPUT=FILE -DOUTPUT=FILE.gz -DGZIP=gzip -P gzip.cmake
# Writes OUTPUT as gzip -9 makes it of INPUT, without a name or time in its
# header (so that the same text makes the same file, as Debian wants of
# its compressed documentation). A failure leaves no file behind.
execute_process(
  COMMAND ${GZIP} -9 -n -c ${INPUT}
  OUTPUT_FILE ${OUTPUT}.part
  RESULT_VARIABLE gzip_result)
if(NOT gzip_result EQUAL 0)
  file(REMOVE ${OUTPUT}.part)
  message(FATAL_ERROR "${GZIP} could not compress ${INPUT} (${gzip_result})")
endif()
file(RENAME ${OUTPUT}.part ${OUTPUT})
