# SPDX-License-Identifier: MIT
# Run by ctest before the tests start: asks the QtTest program for its test functions and adds one test for
# each, so that a failure names the behaviour that broke. Given TEST_PROGRAM, TEST_PREFIX and TEST_ENVIRONMENT.
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND "${TEST_PROGRAM}" -functions
    OUTPUT_VARIABLE listing RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${TEST_PROGRAM} -functions failed (${status}): ${errors}")
endif()
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*\\(\\)" functions "${listing}")
foreach(function IN LISTS functions)
    string(REPLACE "()" "" function "${function}")
    add_test("${TEST_PREFIX}.${function}" "${TEST_PROGRAM}" "${function}")
    set_tests_properties("${TEST_PREFIX}.${function}" PROPERTIES ENVIRONMENT "${TEST_ENVIRONMENT}")
endforeach()
