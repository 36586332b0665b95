# The Windows program, its test build and the Wine test driver, cross-built with mingw-w64.
enable_language(RC)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(MANIFEST_ARCH amd64)
  set(DIST_ARCH x64)
else()
  set(MANIFEST_ARCH x86)
  set(DIST_ARCH x86)
endif()

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(resources/program.manifest.in ${GENERATED_DIR}/program.manifest @ONLY)
add_custom_command(
  OUTPUT ${GENERATED_DIR}/program.ico
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/resources/make_icon.py
          ${CMAKE_SOURCE_DIR}/resources/icon_design.txt ${GENERATED_DIR}/program.ico
  DEPENDS resources/make_icon.py resources/icon_design.txt
  COMMENT "Drawing the program icon")
set_source_files_properties(resources/program.rc PROPERTIES
  OBJECT_DEPENDS "${GENERATED_DIR}/program.ico;${GENERATED_DIR}/program.manifest;${CMAKE_SOURCE_DIR}/resources/version.h")

set(WINDOWS_SOURCES
  app/app_state.cpp
  app/lifecycle.cpp
  app/main.cpp
  app/main_window.cpp
  app/message_loop.cpp
  app/notice_label.cpp
  app/painting.cpp
  app/shortcut_button.cpp
  app/window_class.cpp
  shortcut/desktop_shortcut.cpp
  shortcut/shell_link_writer.cpp
  shortcut/text_heap.cpp)

set(WARNINGS -Wall -Wextra -Werror)
# Small and self-contained: no exceptions or RTTI, unused sections dropped,
# the runtime linked in, and no timestamp so that builds are reproducible.
set(SIZE_FLAGS -Os -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections
    -fno-asynchronous-unwind-tables)
set(LINK_FLAGS -static -s -Wl,--gc-sections -Wl,--no-insert-timestamp
    -Wl,--dynamicbase -Wl,--nxcompat)
if(DIST_ARCH STREQUAL x64)
  list(APPEND LINK_FLAGS -Wl,--high-entropy-va)
endif()
set(SYSTEM_LIBRARIES ole32 uuid user32 gdi32 kernel32)

function(add_windows_program name)
  add_executable(${name} WIN32 ${PLATFORM_FREE_SOURCES} ${WINDOWS_SOURCES} ${ARGN}
                 resources/program.rc)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/resources ${GENERATED_DIR})
  target_compile_options(${name} PRIVATE ${WARNINGS} $<$<COMPILE_LANGUAGE:CXX>:${SIZE_FLAGS}>)
  target_compile_definitions(${name} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
  target_link_options(${name} PRIVATE ${LINK_FLAGS})
  target_link_libraries(${name} PRIVATE ${SYSTEM_LIBRARIES})
endfunction()

# The shipped program.
add_windows_program(vrklink)
set(VRK_DIST_DIR ${CMAKE_SOURCE_DIR}/dist/${DIST_ARCH} CACHE PATH "Where the shipped program is written")
set_target_properties(vrklink PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VRK_DIST_DIR})

# The same sources with the fault switches and trace the Wine tests use.
add_windows_program(vrklink_seams app/test_seams.cpp)
target_compile_definitions(vrklink_seams PRIVATE VRK_TEST_SEAMS)

# The Wine test driver: a console program that runs and inspects the program.
if(DIST_ARCH STREQUAL x64)
  add_executable(wine_driver tests/wine/driver.cpp tests/wine/driver_cases.cpp tests/wine/driver_support.cpp
                 tests/wine/link_cases.cpp tests/wine/robustness_cases.cpp tests/wine/benchmark_case.cpp
                 app/painting.cpp)
  target_include_directories(wine_driver PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(wine_driver PRIVATE ${WARNINGS} -O1)
  target_compile_definitions(wine_driver PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
  target_link_options(wine_driver PRIVATE -static)
  target_link_libraries(wine_driver PRIVATE ole32 shell32 uuid user32 gdi32 kernel32 psapi)
endif()
