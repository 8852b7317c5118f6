# Window tests: programs that open the real SDL window under their own Xvfb. Each test program
# calls window_test::Shot at the moments to check; run_window_test.sh takes a screenshot of the
# X window each time and requires the same pixels as the program's framebuffer.
include_guard(GLOBAL)

add_library(window_shot STATIC ${CMAKE_CURRENT_LIST_DIR}/window_shot.cpp)
target_link_libraries(window_shot PUBLIC platform_sdl)

# valdrim_window_test(<name> SOURCES files... [LIBS libs...] [ARGS args...])
# Builds the program <name> from the sources, linked with the real window back end, and runs it
# under Xvfb; screenshots and framebuffers are kept in <build>/tests/window-shots/<name>/.
function(valdrim_window_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ARGS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} window_shot platform_sdl)
  add_test(NAME window.${name}
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/window/support/run_window_test.sh
                   ${CMAKE_BINARY_DIR}/tests/window-shots/${name} $<TARGET_FILE:${name}> ${ARG_ARGS})
  set_tests_properties(window.${name} PROPERTIES TIMEOUT 300)
endfunction()
