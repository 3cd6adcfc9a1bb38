# Layers are build targets whose dependencies run one way:
#   platform <- model <- encode, pdf417 (and the two libraries' interfaces)
#            <- render <- commands <- automation <- the program
# Each target sees only the headers of its own folder and of the layers it
# depends on: its include root holds nothing but a link to its own folder,
# and roots reach a target only through target_link_libraries. A lower layer
# that includes a higher one therefore fails to compile, and one that calls
# a higher one fails to link.

# quillet_layer_headers(TARGET FOLDER...): TARGET's include root exposes FOLDERs.
function(quillet_layer_headers name)
  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  foreach(folder ${ARGN})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    if(NOT EXISTS ${root}/${folder})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endif()
  endforeach()
  get_target_property(_type ${name} TYPE)
  if(_type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${name} INTERFACE ${root})
  else()
    target_include_directories(${name} PUBLIC ${root})
  endif()
endfunction()

# quillet_layer(TARGET DEPENDS layer...): a static library of the current
# folder's sources (tests excepted) on top of the given layers.
function(quillet_layer name)
  cmake_parse_arguments(L "" "" "DEPENDS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER _src EXCLUDE REGEX ".*_test\\.cpp$")
  add_library(${name} STATIC ${_src})
  file(RELATIVE_PATH _folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  quillet_layer_headers(${name} ${_folder})
  target_link_libraries(${name} PUBLIC ${L_DEPENDS})
endfunction()

# The tests of the current folder: one executable, linked with everything,
# since a test may set up state through any layer.
function(quillet_folder_tests)
  file(GLOB _tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(QUILLET_TESTS AND _tests)
    get_filename_component(_dir ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    quillet_add_test(${_dir}_tests SOURCES ${_tests} LIBS quillet_core)
  endif()
endfunction()
