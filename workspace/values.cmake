# Value panels and write-back: the pure panel decision, the colour conversion and the
# store over the document (no Qt), and the category guide pages (Qt Core).
add_library(pavik_values STATIC
  value_panel.cpp
  value_store.cpp
)
target_link_libraries(pavik_values PUBLIC pavik_document pavik_vocabulary pavik_color_tables
                                           pavik_platform_core)

add_library(pavik_values_qt STATIC
  page_resources.cpp
  ${CMAKE_SOURCE_DIR}/resources/pages/pages.qrc
)
target_link_libraries(pavik_values_qt PUBLIC pavik_platform_core Qt6::Core)
