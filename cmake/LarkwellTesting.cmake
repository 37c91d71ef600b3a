# Test machinery for both builds. Include it before any target is created:
# - every exe, DLL and host .so goes to ${CMAKE_BINARY_DIR}/bin, so test executables
#   find libcef (the engine stand-in) beside them;
# - GoogleTest (and GoogleMock) is built from Debian's sources with this build's compiler
#   and sanitizer flags;
# - on the Windows build ctest runs every .exe through scripts/wine-run.sh;
# - larkwell_add_tests() and larkwell_add_script_test() register tests.

enable_testing()

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
# Host: the run path of a test executable is $ORIGIN, not an absolute build path.
set(CMAKE_BUILD_RPATH_USE_ORIGIN ON)

# --- GoogleTest ------------------------------------------------------------------------

set(LARKWELL_GOOGLETEST_DIR /usr/src/googletest CACHE PATH
    "GoogleTest sources (Debian package googletest)")
if(NOT EXISTS ${LARKWELL_GOOGLETEST_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${LARKWELL_GOOGLETEST_DIR}: "
                      "run scripts/install-deps.sh")
endif()
# Normal variables override the subproject's option() defaults; its subdirectories ask
# for an old CMake, hence the policy default.
set(CMAKE_POLICY_DEFAULT_CMP0077 NEW)
set(BUILD_GMOCK ON)
set(INSTALL_GTEST OFF)
# Threads stay on: on Windows gtest uses Win32 threads, on the host pthreads.
set(gtest_disable_pthreads OFF)
# EXCLUDE_FROM_ALL: gmock is compiled only when a test links it.
# SYSTEM: gtest's headers do not trip our warnings.
add_subdirectory(${LARKWELL_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# --- How tests run ---------------------------------------------------------------------

if(CMAKE_CROSSCOMPILING AND WIN32)
  if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    cmake_path(SET CMAKE_CROSSCOMPILING_EMULATOR NORMALIZE
               ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
  endif()
  set(LARKWELL_TEST_PLATFORM wine CACHE INTERNAL "How scripts/run-tests.sh runs this tree")
  # The Wine that runs this tree's programs: 32-bit for the product, 64-bit for the tree built
  # for machines that refuse 32-bit programs. Scripts that get only the tree read it from the cache.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(LARKWELL_WINE_ARCH win32 CACHE INTERNAL "The Wine architecture of this tree's programs")
  else()
    set(LARKWELL_WINE_ARCH win64 CACHE INTERNAL "The Wine architecture of this tree's programs")
  endif()
  set(_larkwell_test_environment LARKWELL_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix
                                 LARKWELL_WINE_SESSION=${CMAKE_BINARY_DIR}/wine-session.env
                                 LARKWELL_WINE_ARCH=${LARKWELL_WINE_ARCH})
  # The Wine session (an X server when there is no display, the prefix, one persistent
  # wineserver) is a fixture every test of the tree requires: ctest starts it before the first
  # test and stops it after the last, so plain ctest runs the tree anywhere.
  cmake_path(SET _larkwell_scripts NORMALIZE ${CMAKE_CURRENT_LIST_DIR}/../scripts)
  add_test(NAME wine_session_start
           COMMAND ${_larkwell_scripts}/wine-session-fixture.sh start ${CMAKE_BINARY_DIR})
  add_test(NAME wine_session_stop
           COMMAND ${_larkwell_scripts}/wine-session-fixture.sh stop ${CMAKE_BINARY_DIR})
  set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine_session LABELS fixture
                                                     SKIP_REGULAR_EXPRESSION "SKIP:")
  set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine_session LABELS fixture)
  # Script tests join the session through this launcher; programs through the emulator.
  set(_larkwell_script_launcher ${_larkwell_scripts}/wine-session-run.sh)
else()
  set(LARKWELL_TEST_PLATFORM native CACHE INTERNAL "How scripts/run-tests.sh runs this tree")
  # Each sanitizer reads only its own variable; a finding always fails the test.
  set(_larkwell_test_environment
    ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1)
endif()

# Seconds before ctest kills a hung test executable.
set(LARKWELL_TEST_TIMEOUT 300 CACHE STRING "Default timeout of one test executable")

# Parses the arguments of the calling test function into arg_* (LABELS, WORKING_DIRECTORY
# and TIMEOUT besides its own), stops on a malformed call, and returns from the caller when
# the test does not belong in this build: the ThreadSanitizer build
# (LARKWELL_CONCURRENCY_TESTS_ONLY) keeps only tests labelled 'concurrency'.
# A macro, so that return() leaves the calling function.
macro(_larkwell_parse_test_arguments required flags lists)
  cmake_parse_arguments(PARSE_ARGV 1 arg "${flags}" "WORKING_DIRECTORY;TIMEOUT" "LABELS;${lists}")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "${CMAKE_CURRENT_FUNCTION}(${name}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT arg_${required})
    message(FATAL_ERROR "${CMAKE_CURRENT_FUNCTION}(${name}): ${required} is required")
  endif()
  if(LARKWELL_CONCURRENCY_TESTS_ONLY AND NOT "concurrency" IN_LIST arg_LABELS)
    return()
  endif()
endmacro()

# Registers <command...> as ctest test <name> with the properties every Larkwell test has.
# Tests labelled 'gui' make windows on the one X display: they never run in parallel.
function(_larkwell_register_test name labels working_directory timeout)
  if(NOT working_directory)
    set(working_directory ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  if(NOT timeout)
    set(timeout ${LARKWELL_TEST_TIMEOUT})
  endif()
  add_test(NAME ${name} COMMAND ${ARGN} WORKING_DIRECTORY ${working_directory})
  set_tests_properties(${name} PROPERTIES
    LABELS "${labels}"
    TIMEOUT ${timeout}
    ENVIRONMENT "${_larkwell_test_environment}")
  if("gui" IN_LIST labels)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK larkwell_display)
  endif()
  if(LARKWELL_TEST_PLATFORM STREQUAL "wine" AND NOT _larkwell_without_wine)
    # A machine that cannot run Wine says why once (the session fixture); then every test that
    # needs it says "SKIP:" and exits 77, and is counted as skipped, not passed.
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_session SKIP_RETURN_CODE 77
                                            SKIP_REGULAR_EXPRESSION "SKIP:")
  endif()
endfunction()

# larkwell_add_tests(<name>
#                    SOURCES <files...>
#                    [LIBRARIES <libraries...>]
#                    [LABELS <labels...>]
#                    [WORKING_DIRECTORY <dir>]
#                    [TIMEOUT <seconds>]
#                    [GTEST_MAIN])
# Builds the GoogleTest executable <name> and registers it as one ctest test.
# GoogleTest's own main() is linked only with GTEST_MAIN; otherwise a source must
# provide main() (tests/support does, with the global test environment).
function(larkwell_add_tests name)
  _larkwell_parse_test_arguments(SOURCES GTEST_MAIN "SOURCES;LIBRARIES")
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} GTest::gtest)
  if(arg_GTEST_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  larkwell_warnings(${name})
  if(NOT WIN32)
    # Also covers libraries the test only dlopen()s, as the binding does with libcef.so.
    set_target_properties(${name} PROPERTIES BUILD_RPATH "$ORIGIN")
  endif()

  _larkwell_register_test(${name} "${arg_LABELS}" "${arg_WORKING_DIRECTORY}" "${arg_TIMEOUT}"
                          ${name})
endfunction()

# larkwell_add_script_test(<name>
#                          COMMAND <program> [<args>...]
#                          [LABELS <labels...>]
#                          [WORKING_DIRECTORY <dir>]
#                          [TIMEOUT <seconds>]
#                          [NO_WINE])
# Registers a test that runs a command (usually a script in the source tree). In the Windows
# tree it runs in the Wine session, unless NO_WINE says that it runs no Windows program (it
# only reads the built files, say).
function(larkwell_add_script_test name)
  _larkwell_parse_test_arguments(COMMAND NO_WINE COMMAND)
  set(_larkwell_without_wine ${arg_NO_WINE})
  # A command that is a program of this build runs through the emulator, which joins the session
  # itself; any other joins it through the launcher.
  list(GET arg_COMMAND 0 program)
  if(TARGET ${program} OR arg_NO_WINE)
    set(launcher "")
  else()
    set(launcher ${_larkwell_script_launcher})
  endif()
  _larkwell_register_test(${name} "${arg_LABELS}" "${arg_WORKING_DIRECTORY}" "${arg_TIMEOUT}"
                          ${launcher} ${arg_COMMAND})
endfunction()
