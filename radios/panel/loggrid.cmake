# The logging grid a radio library attaches to its panel, and the panel
# library kit (PanelLibrary, PanelExports.h) that keeps each radio's panels
# and grid and gives a library its panel exports. The grid logs through
# the program's own contact library (talvex_contacts: TLogLine, TContactLog,
# TOperatorList), linked into the library, so a contact logged here and one
# logged in the program's window are the same line. It links nothing else
# of the program's.
add_library(radiopanel_loggrid STATIC
  ${CMAKE_CURRENT_LIST_DIR}/LogGrid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LogGridPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PanelLibrary.cpp)
target_include_directories(radiopanel_loggrid PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(radiopanel_loggrid PUBLIC radiopanel talvex_contacts Qt6::Widgets)
set_target_properties(radiopanel_loggrid PROPERTIES
  POSITION_INDEPENDENT_CODE ON AUTOMOC OFF
  C_VISIBILITY_PRESET hidden CXX_VISIBILITY_PRESET hidden)
