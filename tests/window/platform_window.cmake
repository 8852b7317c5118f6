# The platform layer's own window test: the real window shows a blitted picture and the game's
# texts in both fonts at both window sizes, then a hover repaint that changes a few small areas,
# and the screen shows exactly the framebuffer each time.
include(${CMAKE_CURRENT_LIST_DIR}/support/window_tests.cmake)
valdrim_window_test(platform_window SOURCES ${CMAKE_CURRENT_LIST_DIR}/platform_window.cpp)
