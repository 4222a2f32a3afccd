# Fuzz targets. Each is a FuzzCheck (tests/support/fuzz_check.h) with a dictionary and a folder of
# saved inputs kept beside its code. Every tree replays the saved inputs as an ordinary test; a tree
# built with clang and VARROW_FUZZ also makes the libFuzzer program and runs it for
# VARROW_FUZZ_SECONDS as a test of its own (label "fuzz"), through scripts/fuzz-target.
option(VARROW_FUZZ "Build the libFuzzer programs (clang, -fsanitize=fuzzer-no-link in the flags)" OFF)
set(VARROW_FUZZ_SECONDS 25 CACHE STRING "How long each fuzz target runs in the test suite")

# varrow_add_fuzz_target(NAME CHECK source DICTIONARY file CORPUS folder [MINIMUM n] LIBS libs...)
function(varrow_add_fuzz_target name)
  cmake_parse_arguments(ARG "" "CHECK;DICTIONARY;CORPUS;MINIMUM" "LIBS" ${ARGN})
  if(NOT ARG_MINIMUM)
    set(ARG_MINIMUM 10)
  endif()
  varrow_add_test(${name}_corpus SOURCES ${ARG_CHECK} ${CMAKE_SOURCE_DIR}/tests/support/fuzz_corpus_test.cpp
                  LIBS ${ARG_LIBS} test_support)
  target_compile_definitions(${name}_corpus PRIVATE VARROW_FUZZ_CORPUS_DIR="${ARG_CORPUS}"
                             VARROW_FUZZ_CORPUS_MINIMUM=${ARG_MINIMUM})
  if(VARROW_FUZZ)
    add_executable(${name} ${ARG_CHECK} ${CMAKE_SOURCE_DIR}/tests/support/fuzz_main.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} test_support)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    add_test(NAME ${name}_run
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/fuzz-target $<TARGET_FILE:${name}> ${ARG_DICTIONARY} ${ARG_CORPUS}
                     ${VARROW_FUZZ_SECONDS})
    set_tests_properties(${name}_run PROPERTIES LABELS fuzz TIMEOUT 600)
  endif()
endfunction()
