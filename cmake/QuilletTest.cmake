# quillet_add_test(NAME src... LIBS lib...)
# One GoogleTest executable per concern; each is registered with CTest.
function(quillet_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} quillet_test_support GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # The libraries the program loads by name sit in the build folder; an
  # old-style RPATH lets dlopen find them from the test executables too.
  target_link_options(${name} PRIVATE -Wl,--disable-new-dtags,-rpath,${CMAKE_BINARY_DIR})
  foreach(_lib stripegen zorvex32)
    if(TARGET ${_lib})
      add_dependencies(${name} ${_lib})
    endif()
  endforeach()
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
                       PROPERTIES ENVIRONMENT "QUILLET_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()
