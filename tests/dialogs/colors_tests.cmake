pavik_add_test(dialogs_color_tests
  LIBS pavik_color_combo
  SOURCES
    color_tables_test.cpp
    color_combo_test.cpp)

# The value-panel tests, when tests/workspace does not pull them in itself.
if(NOT TARGET workspace_values_tests)
  include(${CMAKE_SOURCE_DIR}/tests/workspace/values_tests.cmake)
endif()
