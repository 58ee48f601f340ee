# Registers one CTest test per GoogleTest suite of a test program: `<prefix><Suite>` runs the suite's
# tests in one process. Starting a test process under Wine costs up to a second, which a test per
# test case paid several hundred times. The suites are read from the sources, so names are stable.
# A test passes only when its run reaches GoogleTest's summary without a failure: a process that dies
# of a stack overflow under 64-bit Wine can still end with exit code 0.
function(tnwk_require_gtest_summary test)
    set_tests_properties(${test} PROPERTIES PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [0-9]+ test"
                                            FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
endfunction()

function(tnwk_add_suite_tests target prefix)
    cmake_parse_arguments(arg "" "" "SOURCES;PROPERTIES" ${ARGN})
    set(suites "")
    foreach(source IN LISTS arg_SOURCES)
        file(STRINGS ${source} lines REGEX "^(TEST|TEST_F|TEST_P)\\([A-Za-z0-9_]+,")
        foreach(line IN LISTS lines)
            string(REGEX REPLACE "^[A-Z_]+\\(([A-Za-z0-9_]+),.*" "\\1" suite "${line}")
            list(APPEND suites ${suite})
        endforeach()
    endforeach()
    list(REMOVE_DUPLICATES suites)
    foreach(suite IN LISTS suites)
        # A parameterised suite's tests are named Instance/Suite.Case/Param.
        add_test(NAME ${prefix}${suite} COMMAND ${target} --gtest_filter=${suite}.*:*/${suite}.*
                 WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
        tnwk_require_gtest_summary(${prefix}${suite})
        if(arg_PROPERTIES)
            set_tests_properties(${prefix}${suite} PROPERTIES ${arg_PROPERTIES})
        endif()
    endforeach()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${arg_SOURCES})
endfunction()
