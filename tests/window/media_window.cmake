# A canvas composed from BMP files with every kind of cell blit, shown in the real window.
include(${CMAKE_CURRENT_LIST_DIR}/support/window_tests.cmake)
valdrim_window_test(media_window SOURCES ${CMAKE_CURRENT_LIST_DIR}/media_window.cpp LIBS media)
