# Test support: GoogleTest for every configuration, and the two ways we register tests.
#
# Targets, the same names in every build tree:
#   GTest::gtest  GTest::gtest_main  GTest::gmock  GTest::gmock_main
#   benchmark::benchmark  benchmark::benchmark_main        (native trees only)
# Natively they come from Debian's packages; for Windows, GoogleTest is built into the
# tree from its sources (TQR_GOOGLETEST_SOURCE_DIR), as static libraries.
#
#   tqr_add_gtest(NAME <name> SOURCES <files...> [LIBS <libs...>]
#                 [WINE_ONLY | NATIVE_ONLY] [ARGS <args...>] [TIMEOUT <seconds>]
#                 [LABELS <labels...>] [ENVIRONMENT <VAR=value...>]
#                 [PROPERTIES <test property> <value> ...])
#     An executable <name> from SOURCES, with our warnings, linked to LIBS and
#     GTest::gtest_main, registered as the ctest test <name>.
#
#   tqr_add_program_test(NAME <name> COMMAND <target or program> [<args...>]
#                        [WINE_ONLY | NATIVE_ONLY] [WORKING_DIRECTORY <dir>]
#                        [TIMEOUT <seconds>] [LABELS <labels...>]
#                        [ENVIRONMENT <VAR=value...>] [PROPERTIES <property> <value> ...])
#     Runs a program we build (or any program) with arguments; passes when it exits 0
#     (change that with PROPERTIES WILL_FAIL TRUE or PASS_REGULAR_EXPRESSION ...).
#     Arguments may use generator expressions ($<TARGET_FILE:...>). An argument that
#     is itself one of the keywords above cannot be passed.
#
# Where the tests run:
#   native tree  built and run directly, label "native"
#   win64 tree   built and run through the emulator (scripts/wine-run), label "wine"
#   win32 tree   likewise, on Wine's 32-bit side, in prefixes of its own (build/wine32)
#   NATIVE_ONLY  skipped entirely in Windows trees; WINE_ONLY skipped in native trees.
# Each test runs in its own empty folder, <build>/testrun/<name>, and sees
# TQR_SOURCE_DIR and TQR_BINARY_DIR in its environment (under Wine as Windows paths,
# Z:\...). tqr_test_path() turns a configure-time path into that form for arguments.
#
# Default timeouts: 120 s native (sanitizers are slow), 300 s under Wine.

include_guard(GLOBAL)

# ctest reads tests of every folder whose CMakeLists runs after this point, tools/
# included, which the top CMakeLists adds before its own enable_testing().
enable_testing()

set(TQR_GOOGLETEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH
  "GoogleTest sources (Debian's googletest package); built into Windows trees")

function(_tqr_build_googletest)
  # Settings for GoogleTest's own option()s; they are scoped to this function.
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(BUILD_SHARED_LIBS OFF)
  add_subdirectory("${TQR_GOOGLETEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/_googletest"
    EXCLUDE_FROM_ALL)
  foreach(lib gtest gtest_main gmock gmock_main)
    # Its headers are someone else's code: our warnings must not fire inside them.
    get_target_property(dirs ${lib} INTERFACE_INCLUDE_DIRECTORIES)
    if(dirs)
      set_property(TARGET ${lib} APPEND PROPERTY INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${dirs})
    endif()
  endforeach()
endfunction()

if(WIN32 AND EXISTS "${TQR_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
  _tqr_build_googletest()
else()
  find_package(GTest REQUIRED)
endif()
foreach(lib gtest gtest_main gmock gmock_main)
  if(NOT TARGET GTest::${lib})
    message(FATAL_ERROR "GoogleTest gives no GTest::${lib} target here")
  endif()
endforeach()

if(NOT WIN32)
  find_package(benchmark REQUIRED)
endif()

# True when tests of this tree can run on this machine, directly or through the emulator.
if(NOT CMAKE_CROSSCOMPILING OR CMAKE_CROSSCOMPILING_EMULATOR)
  set(TQR_TESTS_RUN ON)
else()
  set(TQR_TESTS_RUN OFF)
endif()

# The path a test program sees for <path>: unchanged natively; Z:\... under Wine, where
# drive Z: is the Unix root.
function(tqr_test_path out path)
  if(WIN32 AND CMAKE_CROSSCOMPILING)
    string(REPLACE "/" "\\" path "${path}")
    set(path "Z:${path}")
  endif()
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

# Whether a test marked WINE_ONLY / NATIVE_ONLY belongs in this tree.
function(_tqr_test_wanted out wine_only native_only)
  if(wine_only AND native_only)
    message(FATAL_ERROR "WINE_ONLY and NATIVE_ONLY exclude each other")
  endif()
  if((wine_only AND NOT WIN32) OR (native_only AND WIN32))
    set(${out} OFF PARENT_SCOPE)
  else()
    set(${out} ON PARENT_SCOPE)
  endif()
endfunction()

function(_tqr_register_test name workdir timeout labels environment properties)
  if(NOT TQR_TESTS_RUN)
    return()
  endif()
  if(NOT workdir)
    set(workdir "${CMAKE_BINARY_DIR}/testrun/${name}")
    file(MAKE_DIRECTORY "${workdir}")
  endif()
  if(CMAKE_CROSSCOMPILING)
    set(where wine)
    set(default_timeout 300)
  else()
    set(where native)
    set(default_timeout 120)
  endif()
  if(NOT timeout)
    set(timeout ${default_timeout})
  endif()
  tqr_test_path(source_dir "${CMAKE_SOURCE_DIR}")
  tqr_test_path(binary_dir "${CMAKE_BINARY_DIR}")

  # ARGN is the command; add_test puts the emulator in front of an executable target.
  list(PREPEND labels ${where})
  list(PREPEND environment "TQR_SOURCE_DIR=${source_dir}" "TQR_BINARY_DIR=${binary_dir}")

  add_test(NAME ${name} COMMAND ${ARGN} WORKING_DIRECTORY "${workdir}")
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${timeout} LABELS "${labels}" ENVIRONMENT "${environment}")
  if(properties)
    set_tests_properties(${name} PROPERTIES ${properties})
  endif()
endfunction()

function(tqr_add_gtest)
  cmake_parse_arguments(PARSE_ARGV 0 arg "WINE_ONLY;NATIVE_ONLY" "NAME;TIMEOUT"
    "SOURCES;LIBS;ARGS;LABELS;ENVIRONMENT;PROPERTIES")
  if(NOT arg_NAME OR NOT arg_SOURCES)
    message(FATAL_ERROR "tqr_add_gtest needs NAME and SOURCES")
  endif()
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tqr_add_gtest(${arg_NAME}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  _tqr_test_wanted(wanted "${arg_WINE_ONLY}" "${arg_NATIVE_ONLY}")
  if(NOT wanted)
    return()
  endif()

  add_executable(${arg_NAME} ${arg_SOURCES})
  tqr_warnings(${arg_NAME})
  target_link_libraries(${arg_NAME} PRIVATE ${arg_LIBS} GTest::gtest_main)
  _tqr_register_test(${arg_NAME} "" "${arg_TIMEOUT}" "${arg_LABELS}"
    "${arg_ENVIRONMENT}" "${arg_PROPERTIES}"
    ${arg_NAME} ${arg_ARGS})
endfunction()

function(tqr_add_program_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "WINE_ONLY;NATIVE_ONLY"
    "NAME;WORKING_DIRECTORY;TIMEOUT" "COMMAND;LABELS;ENVIRONMENT;PROPERTIES")
  if(NOT arg_NAME OR NOT arg_COMMAND)
    message(FATAL_ERROR "tqr_add_program_test needs NAME and COMMAND")
  endif()
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR
      "tqr_add_program_test(${arg_NAME}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  _tqr_test_wanted(wanted "${arg_WINE_ONLY}" "${arg_NATIVE_ONLY}")
  if(NOT wanted)
    return()
  endif()
  _tqr_register_test(${arg_NAME} "${arg_WORKING_DIRECTORY}" "${arg_TIMEOUT}"
    "${arg_LABELS}" "${arg_ENVIRONMENT}" "${arg_PROPERTIES}"
    ${arg_COMMAND})
endfunction()
