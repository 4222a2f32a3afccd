# GoogleTest from Debian's sources, built in every tree so the same tests run natively and under Wine.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# Every unit test program carries the label "unit", which the x86_64 tree leaves to the i686 one
# where that runs (scripts/windows-tests); the x86_64 tree runs the rest, the integration tests,
# where a pointer's width shows. A test has one label: the generated script that hands labels to
# each discovered case would split a list of them.

# varrow_add_test(NAME SOURCES... [INTEGRATION] [LABEL label] [LIBS libs...] [PROPERTIES name value...])
# One GoogleTest executable, a test per case; its cases are discovered when ctest runs, so that
# discovery under Wine happens inside the prefix that scripts/wine-ctest prepares. INTEGRATION
# marks a program that drives the registered DLL or varrow.exe; LABEL replaces "unit" (as
# "unit-gui", say, so that "unit" still matches). PROPERTIES go to every test (for example
# FIXTURES_REQUIRED, for tests that need a registered component).
function(varrow_add_test name)
  cmake_parse_arguments(ARG "INTEGRATION" "LABEL" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock_main)
  if(NOT ARG_LABEL AND NOT ARG_INTEGRATION)
    set(ARG_LABEL unit)
  endif()
  if(ARG_LABEL)
    list(APPEND ARG_PROPERTIES LABELS ${ARG_LABEL})
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       WORKING_DIRECTORY ${CMAKE_BINARY_DIR} PROPERTIES ${ARG_PROPERTIES})
endfunction()
