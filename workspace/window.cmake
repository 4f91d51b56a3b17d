# Main window widgets (target pavik_workspace). The headless document lives in CMakeLists.txt.
add_library(pavik_workspace STATIC
  frm_main.cpp
)
target_link_libraries(pavik_workspace PUBLIC pavik_platform_qt Qt6::Widgets)
