# The main window's tests (included from CMakeLists.txt).
find_package(Qt6 REQUIRED COMPONENTS Test)
pavik_add_test(window_tests
  LIBS pavik_workspace Qt6::Test pavik_test_qtapp
  SOURCES
    window_support.cpp
    window_property_tree_test.cpp
    window_control_bar_test.cpp
    window_startup_test.cpp
    window_trees_test.cpp
    window_values_test.cpp)

# One smoke test with the real embedded browser. WebEngine needs its sandbox off as root and
# trips ASan's new/delete check inside itself.
add_executable(window_smoke_tests window_support.cpp window_smoke_test.cpp)
target_link_libraries(window_smoke_tests PRIVATE pavik_workspace pavik_test_qtapp GTest::gtest GTest::gmock GTest::gtest_main)
add_test(NAME WindowSmoke.RealBrowserJumpsToAnchor COMMAND window_smoke_tests)
set_tests_properties(WindowSmoke.RealBrowserJumpsToAnchor PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;ASAN_OPTIONS=new_delete_type_mismatch=0:detect_leaks=0"
  LABELS webengine
  TIMEOUT 180)
