# SPDX-License-Identifier: MIT
# Runs one QtTest function of a Windows program under Wine and prints its log: there, QtTest's log does not
# reach a pipe, so it goes to a file first. Given EMULATOR, PROGRAM, FUNCTION (empty: -functions) and LOG.
#   cmake -DEMULATOR=wine -DPROGRAM=form1_tests.exe -DFUNCTION=controls -DLOG=/tmp/x.txt -P run_qtest_under_wine.cmake
file(REMOVE "${LOG}")
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" ${FUNCTION} -o "Z:${LOG},txt" RESULT_VARIABLE status)
if(EXISTS "${LOG}")
    file(READ "${LOG}" log)
    message("${log}")
endif()
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${FUNCTION} failed (${status})")
endif()
