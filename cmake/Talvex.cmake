# The host program exports RadioSetEvent so that radio libraries can set
# events, the way a Windows library imports SetEvent.
function(talvex_export_radio_events target)
  target_link_libraries(${target} PRIVATE talvex_radioevents)
  target_link_options(${target} PRIVATE
    "LINKER:--undefined=RadioSetEvent"
    "LINKER:--export-dynamic-symbol=RadioSetEvent")
endfunction()

# Sources of one folder (not its subfolders: the platform pairs are chosen
# per platform in src/CMakeLists.txt). Files named Tfm* (forms) or Qt* (the
# Qt side of the platform layer) belong to the GUI library, main.cpp to the
# executable, every other .cpp to the core, which links no Qt.
function(talvex_split_sources folder core_out gui_out)
  file(GLOB all CONFIGURE_DEPENDS ${folder}/*.cpp)
  set(core "")
  set(gui "")
  foreach(f ${all})
    get_filename_component(n ${f} NAME)
    if(n STREQUAL "main.cpp")
    elseif(n MATCHES "^(Tfm|Qt)")
      list(APPEND gui ${f})
    else()
      list(APPEND core ${f})
    endif()
  endforeach()
  set(${core_out} ${core} PARENT_SCOPE)
  set(${gui_out} ${gui} PARENT_SCOPE)
endfunction()

# A radio library: a shared object named NAME.dll, laid into the program's
# Devices folder.
function(talvex_radio_library target filename)
  add_library(${target} SHARED ${ARGN})
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME ${filename} SUFFIX ".dll"
    LIBRARY_OUTPUT_DIRECTORY ${TALVEX_DEVICES_DIR}
    C_VISIBILITY_PRESET hidden CXX_VISIBILITY_PRESET hidden)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src/radiolib)
  add_dependencies(talvex_radios ${target})
endfunction()
