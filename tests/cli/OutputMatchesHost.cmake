# Runs the same command with the program built for this machine and with the cross-built one
# (through its emulator) and fails unless both print the same bytes and exit alike.
separate_arguments(arguments UNIX_COMMAND "${ARGUMENTS}")
execute_process(COMMAND "${HOST_PROGRAM}" ${arguments}
                OUTPUT_VARIABLE hostOut ERROR_VARIABLE hostErr RESULT_VARIABLE hostStatus)
execute_process(COMMAND "${EMULATOR}" "${TARGET_PROGRAM}" ${arguments}
                OUTPUT_VARIABLE targetOut ERROR_VARIABLE targetErr RESULT_VARIABLE targetStatus)
if(NOT hostStatus STREQUAL targetStatus)
    message(FATAL_ERROR "exit status ${hostStatus} here, ${targetStatus} cross-built\n${targetErr}")
endif()
if(NOT hostOut STREQUAL targetOut)
    file(WRITE "${OUTPUT}.host" "${hostOut}")
    file(WRITE "${OUTPUT}.target" "${targetOut}")
    message(FATAL_ERROR "the outputs differ: ${OUTPUT}.host ${OUTPUT}.target")
endif()
if(NOT hostErr STREQUAL targetErr)
    message(FATAL_ERROR "the messages differ:\n${hostErr}\n---\n${targetErr}")
endif()
string(LENGTH "${hostOut}" length)
message(STATUS "same output (${length} characters), exit status ${hostStatus}")
