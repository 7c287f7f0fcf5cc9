# dvq3_library(NAME DIR SOURCES... LIBS ...): one library of a src/ folder.
function(dvq3_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# dvq3_test(NAME SOURCES... LIBS ... [WINDOWS] [ENVIRONMENT VAR=VALUE...]): one GoogleTest
# program; every case becomes a CTest test with a timeout, so a modal loop that never ends fails
# instead of hanging.
function(dvq3_test name)
    cmake_parse_arguments(ARG "WINDOWS" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    if(ARG_WINDOWS AND DVQ3_LOGIC_ONLY)
        return()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} dvq3_testsupport GTest::gtest)
    if(ARG_WINDOWS)
        target_link_libraries(${name} PRIVATE dvq3_testsupport_windows)
    else()
        target_link_libraries(${name} PRIVATE dvq3_testsupport_main)
    endif()
    if(ARG_ENVIRONMENT)
        gtest_discover_tests(${name} PROPERTIES TIMEOUT 60 ENVIRONMENT "${ARG_ENVIRONMENT}"
                             DISCOVERY_TIMEOUT 60)
    else()
        gtest_discover_tests(${name} PROPERTIES TIMEOUT 60 DISCOVERY_TIMEOUT 60)
    endif()
endfunction()
