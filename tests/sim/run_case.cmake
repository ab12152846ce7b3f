# Runs one scripted case of quevor-sim and compares what it did with what the case expects.
#
#   cmake -DSIM=<quevor-sim> -DCASE=<case folder> -DWORK=<scratch folder> -P run_case.cmake
#
# A case folder holds:
#   script           the script, given on standard input
#   args             optional: the arguments, one a line, @WORK@ standing for the scratch
#                    folder (default: the scratch folder alone)
#   files/           optional: copied into the scratch folder first
#   expected-output  standard output, exactly
#   expected-status  optional: the exit status (default 0)
#   expected-stderr  optional: standard error, exactly
#   expected/        optional: files the scratch folder must then hold, byte for byte
cmake_minimum_required(VERSION 3.20)

foreach(var SIM CASE WORK)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
if(EXISTS "${CASE}/files")
    file(COPY "${CASE}/files/" DESTINATION "${WORK}")
endif()

set(args "${WORK}")
if(EXISTS "${CASE}/args")
    file(STRINGS "${CASE}/args" args)
    list(TRANSFORM args REPLACE "@WORK@" "${WORK}")
endif()

execute_process(
    COMMAND "${SIM}" ${args}
    INPUT_FILE "${CASE}/script"
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    RESULT_VARIABLE status
    TIMEOUT 60)

set(failed FALSE)
macro(mismatch what expected actual)
    message(SEND_ERROR "${what} differs.\n--- expected:\n${expected}\n--- actual:\n${actual}")
    set(failed TRUE)
endmacro()

set(expected_status 0)
if(EXISTS "${CASE}/expected-status")
    file(STRINGS "${CASE}/expected-status" expected_status LIMIT_COUNT 1)
endif()
if(NOT "${status}" STREQUAL "${expected_status}")
    mismatch("Exit status" "${expected_status}" "${status}\n(stderr: ${errors})")
endif()

file(READ "${CASE}/expected-output" expected_output)
if(NOT output STREQUAL expected_output)
    mismatch("Standard output" "${expected_output}" "${output}")
endif()

if(EXISTS "${CASE}/expected-stderr")
    file(READ "${CASE}/expected-stderr" expected_errors)
    if(NOT errors STREQUAL expected_errors)
        mismatch("Standard error" "${expected_errors}" "${errors}")
    endif()
endif()

if(EXISTS "${CASE}/expected")
    file(GLOB_RECURSE expected_files RELATIVE "${CASE}/expected" "${CASE}/expected/*")
    foreach(name ${expected_files})
        if(NOT EXISTS "${WORK}/${name}")
            message(SEND_ERROR "${name} is missing")
            set(failed TRUE)
            continue()
        endif()
        execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
                                "${CASE}/expected/${name}" "${WORK}/${name}"
                        RESULT_VARIABLE different)
        if(different)
            file(READ "${CASE}/expected/${name}" want HEX)
            file(READ "${WORK}/${name}" got HEX)
            mismatch("${name}" "${want}" "${got}")
        endif()
    endforeach()
endif()

if(failed)
    message(FATAL_ERROR "case ${CASE} failed")
endif()
