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

# app_gl_entries(<target> <sources>...)
# The window tests are one program, run as one CTest entry per test file under its own Xvfb
# (app_gl_<file>), each running the file's test suites by GoogleTest filter: every entry stays
# short, the entries run side by side under `ctest -j`, and a new file lands in an entry of its own
# with nothing to list. Each file is read when the build is configured and an edit of it configures
# again, so its entry follows the suites it holds. A file named in RUBBLE_WINDOW_TESTS_BY_CASE runs
# as one entry per case (app_gl_<file>.<case>), for files whose cases are each long; one named in
# RUBBLE_WINDOW_TEST_SCREENS as <file>=<screen> runs on a screen of that size.
function(app_gl_entries target)
  foreach(source IN LISTS ARGN)
    file(STRINGS ${source} test_lines REGEX "^TEST(_F|_P)?\\(")
    if(NOT test_lines)
      continue()
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    get_filename_component(stem ${source} NAME_WE)
    string(REGEX REPLACE "_test$" "" entry "app_gl_${stem}")
    set(environment "${RUBBLE_TEST_ENVIRONMENT}")
    foreach(screen IN LISTS RUBBLE_WINDOW_TEST_SCREENS)
      if(screen MATCHES "^${stem}=(.+)$")
        list(APPEND environment "RUBBLE_XVFB_SCREEN=${CMAKE_MATCH_1}")
      endif()
    endforeach()
    set(filters)
    foreach(line IN LISTS test_lines)
      string(REGEX MATCH "^TEST(_F|_P)?\\(([A-Za-z0-9_]+), *([A-Za-z0-9_]*)" found "${line}")
      set(suite ${CMAKE_MATCH_2})
      set(case ${CMAKE_MATCH_3})
      if(stem IN_LIST RUBBLE_WINDOW_TESTS_BY_CASE AND case)
        add_test(NAME ${entry}.${case}
                 COMMAND ${CMAKE_SOURCE_DIR}/scripts/with-xvfb.sh $<TARGET_FILE:${target}>
                         --gtest_filter=${suite}.${case}:*/${suite}.${case}/*)
        set_tests_properties(${entry}.${case} PROPERTIES TIMEOUT 600 ENVIRONMENT "${environment}")
      else()
        list(APPEND filters "${suite}.*" "*/${suite}.*")
      endif()
    endforeach()
    if(filters)
      list(REMOVE_DUPLICATES filters)
      list(JOIN filters ":" filter)
      add_test(NAME ${entry} COMMAND ${CMAKE_SOURCE_DIR}/scripts/with-xvfb.sh $<TARGET_FILE:${target}>
                                     --gtest_filter=${filter})
      set_tests_properties(${entry} PROPERTIES TIMEOUT 600 ENVIRONMENT "${environment}")
    endif()
  endforeach()
endfunction()
