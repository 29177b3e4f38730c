# Runs form-driver on a scenario and compares its output with the expected
# output, or checks that a bad script is refused with status 2.
#   -DDRIVER=... -DSCRIPT=... [-DEXPECTED=...] [-DEXPECT_STATUS=2] [-DLAUNCHER=node]
execute_process(COMMAND ${LAUNCHER} "${DRIVER}" INPUT_FILE "${SCRIPT}" OUTPUT_VARIABLE out ERROR_VARIABLE err
                RESULT_VARIABLE status)
if(DEFINED EXPECT_STATUS)
    if(NOT status EQUAL EXPECT_STATUS OR err STREQUAL "")
        message(FATAL_ERROR "expected status ${EXPECT_STATUS} and a message, got ${status}: ${err}")
    endif()
    return()
endif()
if(NOT status EQUAL 0)
    message(FATAL_ERROR "form-driver failed (${status}): ${err}")
endif()
file(READ "${EXPECTED}" expected)
if(NOT out STREQUAL expected)
    # Into the build folder (ctest's working directory), never the sources.
    get_filename_component(name "${SCRIPT}" NAME)
    set(actual "${CMAKE_CURRENT_BINARY_DIR}/${name}.actual")
    file(WRITE "${actual}" "${out}")
    message(FATAL_ERROR "output differs from ${EXPECTED}; see ${actual}")
endif()
