# GoogleTest from Debian's sources, built in every tree so the same tests run natively and under Wine.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# What runs where 32-bit programs start only under emulation (qemu-user: about a minute each
# process start), kept as one label: the i686 tree runs only its tests labelled "emulated" there
# (scripts/wine-ctest), and `make test-x86` runs the rest. They are every unit test program, once
# and whole, and one check per boundary of the shipped width: registration and the VBScript
# client, Process through the real dialogs, ImportStatement from a plain C host, varrow.exe's
# upload files (tests/CMakeLists.txt). The programs that start further programs for each case
# (INTEGRATION) are left to `make test-x86` there.
option(VARROW_WHOLE_PROGRAM_TESTS "One test per unit test program rather than per case, where each process start costs a minute (emulated Wine)" OFF)

# varrow_add_test(NAME SOURCES... [INTEGRATION] [LIBS libs...] [LABELS labels...] [PROPERTIES name value...])
# One GoogleTest executable; its cases are discovered when ctest runs, so that discovery under Wine
# happens inside the prefix that scripts/wine-ctest prepares, or with VARROW_WHOLE_PROGRAM_TESTS a
# unit test program is one test (its cases in one process; an INTEGRATION program keeps a test per
# case, since each case drives the registered DLL or varrow.exe afresh). PROPERTIES go to every
# test (for example FIXTURES_REQUIRED, for tests that need a registered component).
function(varrow_add_test name)
  cmake_parse_arguments(ARG "INTEGRATION" "" "SOURCES;LIBS;LABELS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock_main)
  if(NOT ARG_INTEGRATION)
    list(APPEND ARG_LABELS emulated)
  endif()
  if(VARROW_WHOLE_PROGRAM_TESTS AND NOT ARG_INTEGRATION)
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES ${ARG_PROPERTIES} LABELS "${ARG_LABELS}")
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         WORKING_DIRECTORY ${CMAKE_BINARY_DIR} PROPERTIES ${ARG_PROPERTIES} LABELS "${ARG_LABELS}")
  endif()
endfunction()
