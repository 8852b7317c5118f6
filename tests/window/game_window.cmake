# The game's own window: the title, a real click on new game, the nation choice with a king's
# portrait and data, a real click on spectate and the switch into the thinking phase, each screen
# compared with the framebuffer.
include(${CMAKE_CURRENT_LIST_DIR}/support/window_tests.cmake)
valdrim_window_test(game_window
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/game_window.cpp
          ${CMAKE_SOURCE_DIR}/tests/support/game_folder.cpp
          ${CMAKE_SOURCE_DIR}/tests/support/headless_test.cpp
          ${CMAKE_SOURCE_DIR}/tests/support/midi_file.cpp
  LIBS core)
