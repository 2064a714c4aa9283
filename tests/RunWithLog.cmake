# Runs a Qt Test program under the emulator with its log in a file, then prints the log, so
# that CTest shows it: what Qt Test writes to standard output is lost under Wine.
execute_process(COMMAND ${EMULATOR} ${PROGRAM} -o ${LOG},txt RESULT_VARIABLE status)
if(EXISTS ${LOG})
    execute_process(COMMAND ${CMAKE_COMMAND} -E cat ${LOG})
endif()
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ended with ${status}")
endif()
