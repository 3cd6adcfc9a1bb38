# Libraries the program loads at their first call (platform/delay_load.*).
# quillet_delay_loaded gives their headers to whoever includes them; with
# QUILLET_DELAY_LOAD the trampolines in libquillet_platform.so stand in for
# their functions, otherwise they are linked as usual.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64")
  set(_delay_default ON)
else()
  set(_delay_default OFF)
endif()
option(QUILLET_DELAY_LOAD "Load the output, printing and checking libraries at their first call" ${_delay_default})

pkg_check_modules(IMAGE_FORMATS REQUIRED IMPORTED_TARGET libpng libjpeg libtiff-4 libgif zlib)
find_package(Cups REQUIRED)
set(_delayed PkgConfig::CAIRO PkgConfig::IMAGE_FORMATS Cups::Cups ZXing::ZXing)

add_library(quillet_delay_loaded INTERFACE)
if(QUILLET_DELAY_LOAD)
  foreach(_t ${_delayed})
    target_include_directories(quillet_delay_loaded SYSTEM INTERFACE
                               $<TARGET_PROPERTY:${_t},INTERFACE_INCLUDE_DIRECTORIES>)
    target_compile_definitions(quillet_delay_loaded INTERFACE
                               $<TARGET_PROPERTY:${_t},INTERFACE_COMPILE_DEFINITIONS>)
  endforeach()
  # The table of libraries and functions, one line each, from the lists.
  file(GLOB _lists CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/delay_load/*.symbols)
  list(SORT _lists)
  set(_table "// Made by cmake/QuilletDelayLoad.cmake from platform/delay_load/*.symbols.\n")
  set(_library 0)
  set(_index 0)
  foreach(_list ${_lists})
    get_filename_component(_soname ${_list} NAME)
    string(REGEX REPLACE "\\.symbols$" "" _soname ${_soname})
    string(APPEND _table "DELAY_LOAD_LIBRARY(${_library}, \"${_soname}\")\n")
    file(STRINGS ${_list} _names REGEX "^[A-Za-z_][A-Za-z0-9_]*$")
    foreach(_name ${_names})
      string(APPEND _table "DELAY_LOAD_SYMBOL(${_index}, ${_library}, ${_name})\n")
      math(EXPR _index "${_index} + 1")
    endforeach()
    math(EXPR _library "${_library} + 1")
  endforeach()
  set(QUILLET_DELAY_LOAD_DIR ${CMAKE_BINARY_DIR}/delay_load)
  file(CONFIGURE OUTPUT ${QUILLET_DELAY_LOAD_DIR}/delay_load_table.inc CONTENT "${_table}")
else()
  target_link_libraries(quillet_delay_loaded INTERFACE ${_delayed})
endif()
