# The game's window with the generated pictures and tunes: the title with a lit button, the load
# menu over two saved games, the nation choice. The shots stay in
# <build>/tests/window-shots/assets_window/ to be judged (docs/screenshots/ keeps the best).
include(${CMAKE_CURRENT_LIST_DIR}/support/window_tests.cmake)
valdrim_window_test(assets_window
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/assets_window.cpp
          ${CMAKE_SOURCE_DIR}/tests/support/headless_test.cpp
  LIBS core assets)
add_dependencies(assets_window game_assets)
