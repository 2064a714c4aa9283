# Runs a Qt Test program under the emulator with its log in a file, then prints the log, so
# that CTest shows it: what Qt Test writes to standard output is lost under Wine. The
# program's own streams go to files too: console helpers that Wine leaves behind after a
# killed child would otherwise hold a pipe open, and this script would wait for them.
execute_process(COMMAND ${EMULATOR} ${PROGRAM} -o ${LOG},txt
                INPUT_FILE /dev/null OUTPUT_FILE ${LOG}.out ERROR_FILE ${LOG}.err
                RESULT_VARIABLE status)
foreach(file ${LOG} ${LOG}.out ${LOG}.err)
    if(EXISTS ${file})
        execute_process(COMMAND ${CMAKE_COMMAND} -E cat ${file})
    endif()
endforeach()
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ended with ${status}")
endif()
