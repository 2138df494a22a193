# Warnings and sanitizers for every target of ours, from one interface target.
add_library(zunt_warnings INTERFACE)
target_compile_options(zunt_warnings INTERFACE
    -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    $<$<COMPILE_LANGUAGE:CXX>:-Wold-style-cast>
    $<$<BOOL:${ZUNT_WERROR}>:-Werror>)
target_compile_definitions(zunt_warnings INTERFACE QT_NO_CAST_TO_ASCII QT_NO_FOREACH)
if(ZUNT_SANITIZE)
    target_compile_options(zunt_warnings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(zunt_warnings INTERFACE -fsanitize=address,undefined)
endif()

# zunt_add_library(NAME SOURCES... LINKS ...): one static library per subsystem folder.
function(zunt_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS} PRIVATE zunt_warnings)
endfunction()

# zunt_add_test(SUBSYSTEM NAME [GUI] SOURCES... LINKS ...): a GoogleTest program named
# SUBSYSTEM.NAME in CTest, run offscreen with our data folder known at build time.
# GUI gives it a main() that creates a QApplication first.
function(zunt_add_test subsystem name)
    cmake_parse_arguments(ARG "GUI" "TIMEOUT" "SOURCES;LINKS;ENV" ${ARGN})
    set(target test_${subsystem}_${name})
    add_executable(${target} ${ARG_SOURCES})
    if(ARG_GUI)
        set(test_main zunt_guitestmain)
    else()
        set(test_main GTest::gtest_main)
    endif()
    target_link_libraries(${target} PRIVATE ${ARG_LINKS} zunt_testsupport ${test_main} GTest::gtest zunt_warnings)
    target_compile_definitions(${target} PRIVATE
        ZUNT_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
        ZUNT_BINARY_DIR="${CMAKE_BINARY_DIR}")
    add_test(NAME ${subsystem}.${name} COMMAND ${target})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    set(sanitizer_env "")
    if(ZUNT_SANITIZE)
        set(sanitizer_env "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp")
    endif()
    set_tests_properties(${subsystem}.${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=disk;LC_ALL=C.UTF-8;${sanitizer_env};${ARG_ENV}")
endfunction()

# zunt_add_tests(SUBSYSTEM [RECURSE] LINKS ...): every *Test.cpp of this folder (and its
# subfolders with RECURSE) as one GUI test program, SUBSYSTEM.<Name without "Test">.
function(zunt_add_tests subsystem)
    cmake_parse_arguments(ARG "RECURSE" "" "LINKS" ${ARGN})
    if(ARG_RECURSE)
        file(GLOB_RECURSE test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp)
    else()
        file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp)
    endif()
    foreach(test_source ${test_sources})
        get_filename_component(test_name ${test_source} NAME_WE)
        string(REGEX REPLACE "Test$" "" test_name ${test_name})
        zunt_add_test(${subsystem} ${test_name} GUI SOURCES ${test_source} LINKS ${ARG_LINKS})
    endforeach()
endfunction()
