# Colour tables (no Qt) and the colour combo box.
add_library(pavik_color_tables STATIC
  color_tables.cpp
)
target_link_libraries(pavik_color_tables PUBLIC pavik_platform_core)

add_library(pavik_color_combo STATIC
  color_lookup_combo_box.cpp
)
target_link_libraries(pavik_color_combo PUBLIC pavik_color_tables pavik_vocabulary pavik_platform_qt Qt6::Widgets)
