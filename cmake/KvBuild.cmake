# Project-wide helpers: warnings, test executables.
include(GoogleTest)

function(kv_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    # GCC 12 reports false -Wrestrict overlaps inside std::string at -O3 (GCC bug 105329).
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
endfunction()

# kv_version_resource(target DESCRIPTION): the Windows file properties of an executable, with the
# project's version (four parts: 2.2.0.0) and the given description.
function(kv_version_resource target description)
    if(NOT WIN32)
        return()
    endif()
    set(KV_TARGET ${target})
    set(KV_FILE_DESCRIPTION "${description}")
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()

# kv_library(name SOURCES ... [LIBS ...]): a static library of the project.
function(kv_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    kv_warnings(${name})
endfunction()

# kv_gtest(name SOURCES ... [LIBS ...] [PROPERTIES ...] [GUI]): a GoogleTest executable, each
# test a CTest case with the given test properties.
# GUI tests need a display; under Wine they get one from the test runner script. They share that
# display, so they run one at a time: focus and activation belong to the whole desktop.
function(kv_gtest name)
    cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    kv_warnings(${name})
    set(props ${ARG_PROPERTIES})
    if(ARG_GUI)
        set(props LABELS gui RESOURCE_LOCK display)
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 120
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        PROPERTIES TIMEOUT 300 ${props})
endfunction()
