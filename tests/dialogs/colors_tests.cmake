pavik_add_test(dialogs_color_tests
  LIBS pavik_color_combo pavik_test_qtapp
  SOURCES
    color_tables_test.cpp
    color_combo_test.cpp)

