# Runs form-driver on a scenario under strace and fails on any file or
# network access beyond what the dynamic loader does to start the program.
execute_process(COMMAND "${STRACE}" -f -qq -e trace=file,network -o "${LOG}" "${DRIVER}"
                INPUT_FILE "${SCRIPT}" OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "form-driver under strace failed: ${status}")
endif()
file(STRINGS "${LOG}" calls)
set(seen 0)
foreach(call IN LISTS calls)
    if(call MATCHES "execve\\(" OR call MATCHES "^[0-9]+ +\\+\\+\\+ exited")
        continue()
    endif()
    # The loader looks for its preload list and cache and opens the shared
    # libraries; nothing else may touch the file system or the network.
    if(call MATCHES "\"/etc/ld\\.so\\.(preload|cache)\"" OR call MATCHES "\"[^\"]*/lib[^\"]*\\.so[.0-9]*\""
       OR call MATCHES "newfstatat\\([0-9]+, \"\", ")
        math(EXPR seen "${seen} + 1")
        continue()
    endif()
    message(FATAL_ERROR "unexpected system call: ${call}")
endforeach()
if(seen EQUAL 0)
    message(FATAL_ERROR "strace recorded nothing; the check would pass vacuously")
endif()
