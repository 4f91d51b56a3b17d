# Main window widgets (target pavik_workspace). The headless document lives in CMakeLists.txt.
add_library(pavik_workspace STATIC
  control_bar.cpp
  frm_main.cpp
  image_list_main.cpp
  main_window_actions.cpp
  main_window_browser.cpp
  main_window_layout.cpp
  main_window_preview.cpp
  main_window_services.cpp
  main_window_settings.cpp
  main_window_status.cpp
  main_window_trees.cpp
  main_window_values.cpp
  property_tree.cpp
  ${CMAKE_SOURCE_DIR}/resources/pavik.qrc
)
target_link_libraries(pavik_workspace PUBLIC
  pavik_document pavik_values pavik_values_qt pavik_editor pavik_components pavik_dialogs pavik_vocabulary pavik_platform_qt
  Qt6::Widgets Qt6::WebEngineWidgets)
