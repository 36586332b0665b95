# Native unit tests of the platform-free rules, with sanitizers, plus the Wine
# tests of the cross-built programs, all run by one CTest.
enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)

set(SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_executable(unit_tests
  tests/unit/fake_text_heap.cpp
  tests/unit/path_rules_test.cpp
  tests/unit/text_test.cpp
  tests/unit/window_rules_test.cpp
  ${PLATFORM_FREE_SOURCES})
target_include_directories(unit_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(unit_tests PRIVATE -Wall -Wextra -Werror -g ${SANITIZERS})
target_link_options(unit_tests PRIVATE ${SANITIZERS})
target_link_libraries(unit_tests PRIVATE GTest::gtest_main)
gtest_discover_tests(unit_tests)

# The shipped 32-bit program cannot run here; it and the 64-bit one are read statically.
foreach(arch x86 x64)
  add_test(NAME static.${arch}
           COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/static/check_program.py
                   ${CMAKE_SOURCE_DIR}/dist/${arch}/vrklink.exe ${arch})
  set_tests_properties(static.${arch} PROPERTIES FAIL_REGULAR_EXPRESSION "FAIL - ")
endforeach()

# A short, bounded fuzzing run of the platform-free rules (clang's libFuzzer).
add_test(NAME fuzz.short COMMAND ${CMAKE_SOURCE_DIR}/tests/fuzz/run_fuzz.sh 10 ${CMAKE_BINARY_DIR}/fuzz)
set_tests_properties(fuzz.short PROPERTIES TIMEOUT 300 FAIL_REGULAR_EXPRESSION "FAIL - ")


# Two builds of the same sources give the same program.
add_test(NAME reproducible.x86 COMMAND ${CMAKE_SOURCE_DIR}/tests/static/check_reproducible.sh
         ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/reproducible)
set_tests_properties(reproducible.x86 PROPERTIES TIMEOUT 300 FAIL_REGULAR_EXPRESSION "FAIL - ")

include(${CMAKE_SOURCE_DIR}/tests/wine/wine_tests.cmake)
