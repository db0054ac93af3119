# Compiles one Qt Linguist file and fails when any of its strings is
# unfinished or untranslated: a shipped language is complete.
#   cmake -DLRELEASE=... -DTS=korva_de.ts -DQM=korva_de.qm -P lrelease.cmake
execute_process(COMMAND ${LRELEASE} ${TS} -qm ${QM} OUTPUT_VARIABLE out ERROR_VARIABLE err
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lrelease failed on ${TS}:\n${out}${err}")
endif()
if(out MATCHES "([1-9][0-9]*) unfinished" OR out MATCHES "Ignored ([1-9][0-9]*) untranslated")
  message(FATAL_ERROR "${TS} has strings left to translate:\n${out}")
endif()
