# rubble_library(<name> [DEPS <targets>...])
# One static library per subsystem folder: every .cpp file in the folder and its subfolders.
function(rubble_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()  # the folder's first code has not arrived yet
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# rubble_tests(<folder> DEPS <targets>... [XVFB])
# One test executable per folder under tests/: every .cpp file in it. XVFB runs it under a private
# X server with Mesa held to OpenGL 2.1.
function(rubble_tests folder)
  cmake_parse_arguments(ARG "XVFB" "" "DEPS" ${ARGN})
  string(REPLACE "/" "_" name "${folder}")
  set(name "${name}_tests")
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} rubble_test_support GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE RUBBLE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  set(command $<TARGET_FILE:${name}>)
  if(ARG_XVFB)
    set(command ${CMAKE_SOURCE_DIR}/scripts/with-xvfb.sh ${command})
  endif()
  add_test(NAME ${name} COMMAND ${command})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${RUBBLE_TEST_ENVIRONMENT}"
    TIMEOUT 600)
endfunction()
