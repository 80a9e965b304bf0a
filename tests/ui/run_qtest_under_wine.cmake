# SPDX-License-Identifier: MIT
# Runs one QtTest function of a Windows program under Wine and prints its log. QtTest's log does not reach a
# pipe under Wine, so it goes to a file. The program's own output goes to files too: Wine's desktop process,
# which the first window of a session starts and which outlives it, would otherwise hold a pipe of this run
# open for minutes. Given EMULATOR, PROGRAM, FUNCTION and LOG.
#   cmake -DEMULATOR=wine -DPROGRAM=form1_tests.exe -DFUNCTION=controls -DLOG=/tmp/x.txt -P run_qtest_under_wine.cmake
file(REMOVE "${LOG}")
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" ${FUNCTION} -o "Z:${LOG},txt" RESULT_VARIABLE status
    INPUT_FILE /dev/null OUTPUT_FILE "${LOG}.stdout" ERROR_FILE "${LOG}.stderr")
foreach(file IN ITEMS "${LOG}" "${LOG}.stdout" "${LOG}.stderr")
    if(EXISTS "${file}")
        file(READ "${file}" text)
        if(NOT text STREQUAL "")
            message("${text}")
        endif()
    endif()
endforeach()
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${FUNCTION} failed (${status})")
endif()
