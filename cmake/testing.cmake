# GoogleTest from Debian's sources, built in every tree so the same tests run natively and under Wine.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# varrow_add_test(NAME SOURCES... [LIBS libs...] [LABELS labels...] [PROPERTIES name value...])
# One GoogleTest executable; its cases are discovered when ctest runs, so that discovery under Wine
# happens inside the prefix that scripts/wine-ctest prepares. PROPERTIES go to every case (for
# example FIXTURES_REQUIRED, for tests that need a registered component).
function(varrow_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock_main)
  set(props)
  if(ARG_LABELS OR ARG_PROPERTIES)
    set(props PROPERTIES ${ARG_PROPERTIES})
    if(ARG_LABELS)
      list(APPEND props LABELS "${ARG_LABELS}")
    endif()
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       WORKING_DIRECTORY ${CMAKE_BINARY_DIR} ${props})
endfunction()
