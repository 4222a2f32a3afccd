# Reproducible binaries: one commit gives the same bytes in any folder and at any time, so that
# anyone can check a release against its source (make reproducible-check).

# The source date, which stands wherever a file would carry the time of its build: the builder's
# SOURCE_DATE_EPOCH, otherwise the time of the commit being built. string(TIMESTAMP) and CPack
# read it from the environment.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(VARROW_SOURCE_DATE $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                  OUTPUT_VARIABLE VARROW_SOURCE_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE git_status ERROR_QUIET)
  if(NOT git_status EQUAL 0)
    message(STATUS "Not a git checkout and no SOURCE_DATE_EPOCH: the source date is 1 January 1970")
    set(VARROW_SOURCE_DATE 0)
  endif()
endif()
if(NOT VARROW_SOURCE_DATE MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH must be seconds since 1970, not '${VARROW_SOURCE_DATE}'")
endif()
set(ENV{SOURCE_DATE_EPOCH} ${VARROW_SOURCE_DATE})

# No build folder in the binaries, neither in their debug information nor in __FILE__ (assertion
# texts): the checkout reads as /usr/src/varrow, which a debugger maps back to a developer's own
# (README.md, "Debug files").
set(VARROW_SOURCE_NAME /usr/src/varrow)
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=${VARROW_SOURCE_NAME})
if(WIN32)
  # A PE file carries its link time unless told not to; the build id in its debug directory
  # names the debug file that belongs to it.
  add_link_options(-Wl,--no-insert-timestamp -Wl,--build-id)
endif()
