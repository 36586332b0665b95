# The Wine tests: the x64 program and its test build, driven from a test
# driver in a Wine virtual desktop.  ./build makes what they run.
set(WINE_TEST_DIR ${CMAKE_SOURCE_DIR}/tests/wine)
set(WINE_RUN_DIR ${CMAKE_BINARY_DIR}/wine-run)
set(X64_BUILD_DIR ${CMAKE_SOURCE_DIR}/.build/x86_64)

add_test(NAME wine.start COMMAND ${WINE_TEST_DIR}/wine_start.sh ${WINE_RUN_DIR})
add_test(NAME wine.stop COMMAND ${WINE_TEST_DIR}/wine_stop.sh ${WINE_RUN_DIR})
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)

set(WINE_CASES
  window close two_copies fatal_window
  link forged_command label_notify quiet_failures heap_refusal desktop_missing drive_root
  heap_steady label_paint
  dbcs_paths long_paths start_ways existing_link message_storm many_clicks repaints writes_nothing_else)
foreach(case IN LISTS WINE_CASES)
  add_test(NAME wine.${case} COMMAND ${WINE_TEST_DIR}/run_case.sh ${WINE_RUN_DIR} ${case} ${X64_BUILD_DIR})
  set_tests_properties(wine.${case} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine TIMEOUT 300
                       FAIL_REGULAR_EXPRESSION "FAIL - ")
endforeach()

