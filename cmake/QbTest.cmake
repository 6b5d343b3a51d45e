# qb_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [ENV <VAR=value...>])
#
# Adds one QtTest program, registered with CTest and run offscreen. Tests
# find the built programs and language libraries through QB_BIN_DIR and
# their fixtures through QB_TEST_DATA; a test that needs a program folder of
# its own (settings file, language libraries) makes a temporary one.
function(qb_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QB_BIN_DIR}/tests)
  target_compile_definitions(${T_NAME} PRIVATE
    QB_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data" QB_BIN_DIR="${QB_BIN_DIR}")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8;${T_ENV}"
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
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8;${T_ENV}"
    TIMEOUT 300)
endfunction()
