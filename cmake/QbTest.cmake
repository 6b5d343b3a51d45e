# qb_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [ENV <VAR=value...>])
#
# Adds one QtTest program, registered with CTest and run offscreen. Tests
# find the built programs and language libraries through QB_BIN_DIR and
# their fixtures through QB_TEST_DATA; a test that needs a program folder of
# its own (settings file, language libraries) makes a temporary one.
# What every test runs with; a sanitizer build adds its runtime options. The
# suite needs no leak suppressions: offscreen, Qt frees what it allocates
# for a test, and Qt's objects that live to the end are still reachable.
# The leak checker does not follow the thread-local blocks of libraries
# loaded at run time (libjpeg through Qt's image plugin): this runtime
# misjudges their size on current glibc and crashes while scanning at exit.
# glibc allocates those blocks on the heap and keeps them reachable from the
# thread's own area, so nothing is lost by not tracking them.
set(QB_TEST_ENV "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8")
if(QB_SANITIZE)
  list(APPEND QB_TEST_ENV
    "ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0:detect_stack_use_after_return=1:check_initialization_order=1"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endif()

function(qb_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QB_BIN_DIR}/tests)
  target_compile_definitions(${T_NAME} PRIVATE
    QB_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data" QB_BIN_DIR="${QB_BIN_DIR}")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "${QB_TEST_ENV};${T_ENV}"
    TIMEOUT 300)
endfunction()

# qb_add_test_run(NAME <name> TARGET <test program> ENV <VAR=value...>)
#
# Runs an existing test program once more under another environment (a comma
# locale, say).
function(qb_add_test_run)
  cmake_parse_arguments(T "" "NAME;TARGET" "ENV" ${ARGN})
  add_test(NAME ${T_NAME} COMMAND ${T_TARGET} WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "${QB_TEST_ENV};${T_ENV}"
    TIMEOUT 300)
endfunction()
