# Sources by full path: this file is also included from tests/dialogs when
# tests/workspace does not include it.
set(_values_test_dir ${CMAKE_SOURCE_DIR}/tests/workspace)
pavik_add_test(workspace_values_tests
  LIBS pavik_values pavik_values_qt Qt6::Gui
  SOURCES
    ${_values_test_dir}/value_panel_test.cpp
    ${_values_test_dir}/value_store_test.cpp
    ${_values_test_dir}/value_pages_test.cpp)
