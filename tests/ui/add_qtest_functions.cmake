# SPDX-License-Identifier: MIT
# Run by ctest before the tests start: asks the QtTest program for its test functions and adds one test for
# each, so that a failure names the behaviour that broke. Given TEST_PROGRAM, TEST_PREFIX, TEST_ENVIRONMENT and
# TEST_EMULATOR (wine for a Windows program, else empty), and for one TEST_CMAKE and TEST_LOGS.
foreach(variable IN LISTS TEST_ENVIRONMENT)
    string(REGEX MATCH "^([^=]+)=(.*)$" assignment "${variable}")
    set(ENV{${CMAKE_MATCH_1}} "${CMAKE_MATCH_2}")
endforeach()
execute_process(COMMAND ${TEST_EMULATOR} "${TEST_PROGRAM}" -functions
    OUTPUT_VARIABLE listing RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${TEST_PROGRAM} -functions failed (${status}): ${errors}")
endif()
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*\\(\\)" functions "${listing}")
foreach(function IN LISTS functions)
    string(REPLACE "()" "" function "${function}")
    if(TEST_EMULATOR)
        add_test("${TEST_PREFIX}.${function}" "${TEST_CMAKE}" "-DEMULATOR=${TEST_EMULATOR}"
            "-DPROGRAM=${TEST_PROGRAM}" "-DFUNCTION=${function}" "-DLOG=${TEST_LOGS}/${function}.txt"
            -P "${CMAKE_CURRENT_LIST_DIR}/run_qtest_under_wine.cmake")
    else()
        add_test("${TEST_PREFIX}.${function}" "${TEST_PROGRAM}" "${function}")
    endif()
    set_tests_properties("${TEST_PREFIX}.${function}" PROPERTIES ENVIRONMENT "${TEST_ENVIRONMENT}")
endforeach()
