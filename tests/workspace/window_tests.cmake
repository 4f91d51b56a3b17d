# The main window's tests (included from CMakeLists.txt).
pavik_add_test(window_tests
  LIBS pavik_workspace
  SOURCES
    window_support.cpp
    window_property_tree_test.cpp
    window_startup_test.cpp
    window_trees_test.cpp)
