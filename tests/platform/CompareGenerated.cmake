# Runs GENERATOR and fails when its output differs from the file EXPECTED in the tree.
execute_process(COMMAND "${GENERATOR}" OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${GENERATOR} failed: ${status}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUTPUT}" "${EXPECTED}" RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "${EXPECTED} is out of date: regenerate it with ${GENERATOR} > ${EXPECTED}")
endif()
